// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

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
std::string_view rawValue(TodoPriority priority);

// The priority whose raw string equals the text exactly (case-sensitive, no trimming).
std::optional<TodoPriority> todoPriorityFromRawValue(std::string_view text);

// Equal priorities hash alike: only the raw string is fed to the hasher.
template <> struct std::hash<TodoPriority> {
    std::size_t operator()(TodoPriority priority) const noexcept
    {
        return std::hash<std::string_view>{}(rawValue(priority));
    }
};
