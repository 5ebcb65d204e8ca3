// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListEdit.h"

#include <unordered_map>

TodoListEdit editBetween(const std::vector<TodoItem> &before, const std::vector<TodoItem> &after)
{
    std::unordered_map<Uuid, const TodoItem *, UuidHash> earlier;
    for (const TodoItem &item : before)
        earlier.emplace(item.id(), &item);
    TodoListEdit edit;
    for (const TodoItem &item : after) {
        const auto found = earlier.find(item.id());
        if (found == earlier.end() || !(*found->second == item))
            edit.saved.push_back(item);
        if (found != earlier.end())
            earlier.erase(found);
    }
    for (const TodoItem &item : before) {
        if (earlier.contains(item.id()))
            edit.removed.push_back(item);
    }
    return edit;
}
