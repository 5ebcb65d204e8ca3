// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncedChangesPlan.h"

#include <unordered_map>

SyncedChangesPlan::SyncedChangesPlan(const std::vector<TodoItem> &list,
                                     const SyncedChanges &changes, double now)
{
    // The list may be long and the changes few: one pass over the list looks
    // up only the changes' identifiers.
    std::unordered_map<Uuid, std::size_t, UuidHash> shownAt;
    shownAt.reserve(changes.changed.size() + changes.removed.size());
    for (const SyncedChanges::Todo &todo : changes.changed)
        shownAt.emplace(todo.item.id(), notListed);
    for (const Uuid &id : changes.removed)
        shownAt.emplace(id, notListed);
    for (std::size_t offset = 0; offset < list.size(); ++offset) {
        const auto found = shownAt.find(list[offset].id());
        if (found != shownAt.end() && found->second == notListed)
            found->second = offset;
    }
    for (const SyncedChanges::Todo &todo : changes.changed) {
        const Uuid &id = todo.item.id();
        const std::size_t at = shownAt.at(id);
        // A done to-do reminds of nothing, whatever alarm came with it.
        const bool toCome = !todo.item.isCompleted() && todo.reminder && *todo.reminder > now;
        if (toCome)
            scheduled.emplace_back(todo.item, *todo.reminder);
        // Another device may have moved only its alarm.
        if (at != notListed && list[at] == todo.item)
            continue;
        if (at != notListed)
            withdrawn.append(QString::fromStdString(id.uuidString()));
        changed.push_back(todo.item);
        changedAt.push_back(at);
        gone.insert(id);
    }
    for (const Uuid &id : changes.removed) {
        const std::size_t at = shownAt.at(id);
        if (at != notListed && gone.insert(id).second) {
            withdrawn.append(QString::fromStdString(id.uuidString()));
            removed.push_back(id);
            removedAt.push_back(at);
        }
    }
}
