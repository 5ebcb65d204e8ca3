// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ChangesOnDisk.h"

#include <unordered_map>

namespace {

using ById = std::unordered_map<Uuid, const TodoItem *, UuidHash>;

ById byId(const std::vector<TodoItem> &list)
{
    ById found;
    for (const TodoItem &item : list)
        found.emplace(item.id(), &item);
    return found;
}

const TodoItem *find(const ById &list, const Uuid &id)
{
    const auto found = list.find(id);
    return found == list.end() ? nullptr : found->second;
}

} // namespace

SyncedChanges changesOnDisk(const std::vector<TodoItem> &read, const std::vector<TodoItem> &stored,
                            const std::vector<TodoItem> &here)
{
    const ById wasRead = byId(read);
    const ById isHere = byId(here);
    const ById isStored = byId(stored);
    // Untouched here: as read, or new on both sides (never, with random ids).
    const auto untouchedHere = [&](const Uuid &id) {
        const TodoItem *before = find(wasRead, id);
        const TodoItem *now = find(isHere, id);
        return before ? now && *now == *before : !now;
    };
    SyncedChanges changes;
    for (const TodoItem &item : stored) {
        const TodoItem *before = find(wasRead, item.id());
        if ((before && *before == item) || !untouchedHere(item.id()))
            continue;
        changes.changed.push_back({item, item.reminderAt()});
    }
    for (const TodoItem &item : read) {
        if (!find(isStored, item.id()) && untouchedHere(item.id()))
            changes.removed.push_back(item.id());
    }
    return changes;
}
