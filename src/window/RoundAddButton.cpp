// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RoundAddButton.h"

#include "Palette.h"
#include "Symbols.h"

#include <QPainter>
#include <QPainterPath>
#include <QStyle>

namespace {

constexpr int plusSize = 16;

} // namespace

RoundAddButton::RoundAddButton(QWidget *parent) : QAbstractButton(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize RoundAddButton::sizeHint() const
{
    const int padding = style()->pixelMetric(QStyle::PM_LayoutLeftMargin, nullptr, this);
    const int side = plusSize + 2 * padding;
    return QSize(side, side);
}

bool RoundAddButton::hitButton(const QPoint &position) const
{
    QPainterPath circle;
    circle.addEllipse(QRectF(rect()));
    return circle.contains(position);
}

void RoundAddButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF circle = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(isDown() ? Palette::blue.darker(120) : Palette::blue);
    painter.drawEllipse(circle);
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawEllipse(circle.adjusted(1, 1, -1, -1));
    }
    const QPixmap plus = tintedSymbol(Symbol::plus, Palette::black, plusSize, devicePixelRatioF());
    const QRect target((width() - plusSize) / 2, (height() - plusSize) / 2, plusSize, plusSize);
    painter.drawPixmap(target, plus);
}
