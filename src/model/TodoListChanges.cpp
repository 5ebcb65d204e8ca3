// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListChanges.h"

#include <unordered_map>
#include <unordered_set>

std::vector<TodoItem> withChanges(std::vector<TodoItem> list, const std::vector<TodoItem> &changed,
                                  const std::vector<Uuid> &removed)
{
    std::unordered_map<Uuid, std::size_t, UuidHash> place;
    for (std::size_t offset = 0; offset < list.size(); ++offset)
        place.emplace(list[offset].id(), offset);
    for (const TodoItem &item : changed) {
        const auto [found, added] = place.emplace(item.id(), list.size());
        if (added)
            list.push_back(item);
        else
            list[found->second] = item;
    }
    if (!removed.empty()) {
        const std::unordered_set<Uuid, UuidHash> gone(removed.begin(), removed.end());
        std::erase_if(list, [&](const TodoItem &item) { return gone.contains(item.id()); });
    }
    return list;
}
