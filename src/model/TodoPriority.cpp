// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoPriority.h"

std::string_view rawValue(TodoPriority priority)
{
    switch (priority) {
    case TodoPriority::low:
        return "Low";
    case TodoPriority::medium:
        return "Medium";
    case TodoPriority::high:
        return "High";
    }
    return {};
}

std::optional<TodoPriority> todoPriorityFromRawValue(std::string_view text)
{
    for (TodoPriority priority : allTodoPriorities) {
        if (rawValue(priority) == text)
            return priority;
    }
    return std::nullopt;
}
