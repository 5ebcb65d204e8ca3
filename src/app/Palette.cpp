// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Palette.h"

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
