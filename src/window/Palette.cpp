// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Palette.h"

#include <algorithm>
#include <cmath>

QColor Palette::priorityColor(TodoPriority priority)
{
    switch (priority) {
    case TodoPriority::low:
        return green;
    case TodoPriority::medium:
        return orange;
    case TodoPriority::high:
        return red;
    }
    return QColor();
}

namespace {

double luminance(const QColor &color)
{
    const auto channel = [](double value) {
        return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(color.redF()) + 0.7152 * channel(color.greenF()) +
           0.0722 * channel(color.blueF());
}

} // namespace

double Palette::contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor Palette::readableOn(const QColor &color, const QColor &background, double minimum)
{
    const QColor white(Qt::white);
    const QColor black(Qt::black);
    const QColor toward = contrast(white, background) > contrast(black, background) ? white : black;
    constexpr int steps = 20;
    for (int step = 0; step < steps; ++step) {
        const double share = static_cast<double>(step) / steps;
        const QColor shade = QColor::fromRgbF(
            static_cast<float>(color.redF() + (toward.redF() - color.redF()) * share),
            static_cast<float>(color.greenF() + (toward.greenF() - color.greenF()) * share),
            static_cast<float>(color.blueF() + (toward.blueF() - color.blueF()) * share));
        if (contrast(shade, background) >= minimum)
            return shade;
    }
    return toward;
}
