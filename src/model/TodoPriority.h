// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ValueNamed.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string_view>

// The three-step priority of a to-do. Its raw string is both its stored form
// and the text shown for it.
enum class TodoPriority { low, medium, high };

// Every priority, in declaration order.
inline constexpr std::array<TodoPriority, 3> allTodoPriorities{
    TodoPriority::low, TodoPriority::medium, TodoPriority::high};

// "Low", "Medium" or "High".
constexpr std::string_view rawValue(TodoPriority priority)
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

// The priority whose raw string equals the text exactly (case-sensitive, no
// trimming).
constexpr std::optional<TodoPriority> todoPriorityFromRawValue(std::string_view text)
{
    return valueNamed(allTodoPriorities, rawValue, text);
}

// Equal priorities hash alike: only the raw string is fed to the hasher.
template <> struct std::hash<TodoPriority> {
    std::size_t operator()(TodoPriority priority) const noexcept
    {
        return std::hash<std::string_view>{}(rawValue(priority));
    }
};
