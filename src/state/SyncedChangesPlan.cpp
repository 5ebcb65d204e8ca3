// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncedChangesPlan.h"

#include <unordered_map>

SyncedChangesPlan::SyncedChangesPlan(const std::vector<TodoItem> &list,
                                     const SyncedChanges &changes, double now)
{
    std::unordered_map<Uuid, const TodoItem *, UuidHash> shown;
    for (const TodoItem &item : list)
        shown.emplace(item.id(), &item);
    for (const SyncedChanges::Todo &todo : changes.changed) {
        const Uuid &id = todo.item.id();
        const auto found = shown.find(id);
        // A done to-do reminds of nothing, whatever alarm came with it.
        const bool toCome = !todo.item.isCompleted() && todo.reminder && *todo.reminder > now;
        if (toCome)
            scheduled.emplace_back(todo.item, *todo.reminder);
        // Another device may have moved only its alarm.
        if (found != shown.end() && *found->second == todo.item)
            continue;
        if (found != shown.end())
            withdrawn.append(QString::fromStdString(id.uuidString()));
        changed.push_back(todo.item);
        gone.insert(id);
    }
    for (const Uuid &id : changes.removed) {
        if (shown.contains(id) && gone.insert(id).second) {
            withdrawn.append(QString::fromStdString(id.uuidString()));
            removed.push_back(id);
        }
    }
}
