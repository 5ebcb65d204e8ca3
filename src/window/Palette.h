// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoPriority.h>

#include <QColor>

// Fixed colours, chosen to stay readable on light and dark backgrounds: each has
// at least 3:1 contrast on white and on near-black list backgrounds.
namespace Palette {

inline const QColor green{0x2B, 0x8A, 0x3E};
inline const QColor orange{0xE8, 0x59, 0x0C};
inline const QColor red{0xE0, 0x31, 0x31};
inline const QColor blue{0x1C, 0x7E, 0xD6};
inline const QColor black{0x00, 0x00, 0x00};
// An open to-do's check box is drawn in `checkBox`; a done one's is filled
// with `blue` and ticked in `checkMark`.
inline const QColor checkBox{0x7C, 0x7C, 0x7C};
inline const QColor checkMark{0xFF, 0xFF, 0xFF};

QColor priorityColor(TodoPriority priority);

// WCAG 2 contrast ratio of two colours, from 1 to 21.
double contrast(const QColor &a, const QColor &b);
// `color` when it keeps `minimum` contrast on `background`, else the nearest
// shade of it toward white or black (whichever stands out more there) that
// does: a priority keeps its hue on the selection colour.
QColor readableOn(const QColor &color, const QColor &background, double minimum = 3.0);

} // namespace Palette
