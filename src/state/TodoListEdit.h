// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <vector>

// One change the user made to the list, as it was made: to-dos added or
// changed, and to-dos removed, each as it now is or last was.
struct TodoListEdit {
    std::vector<TodoItem> saved;
    std::vector<TodoItem> removed;
};

// What turns `before` into `after`, by the to-dos' ids.
TodoListEdit editBetween(const std::vector<TodoItem> &before, const std::vector<TodoItem> &after);
