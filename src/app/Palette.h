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

QColor priorityColor(TodoPriority priority);

} // namespace Palette
