// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Edits a test makes to a to-do, as the window would, for the mapping tests.

#include <TodoItem.h>

#include <functional>
#include <optional>
#include <string>

using Change = std::function<TodoItem(const TodoItem &)>;

inline Change completedAt(std::optional<double> at)
{
    return [at](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.completed = at;
        return item.withExtras(extras);
    };
}

inline Change renamed(std::string name)
{
    return [name](const TodoItem &item) { return item.with(name, item.time(), item.priority()); };
}
