// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncedChanges.h"

#include <TodoItem.h>

#include <QStringList>

#include <cstddef>
#include <unordered_set>
#include <utility>
#include <vector>

// What a sync's changes do to the list shown and to its reminders: changed
// to-dos keep their place and new ones are appended; reminders of changed and
// removed to-dos are withdrawn, and those of new and changed ones come back
// at their own time, only when still to come and not done, so that a first
// sync of many overdue to-dos sets off none.
struct SyncedChangesPlan {
    SyncedChangesPlan(const std::vector<TodoItem> &list, const SyncedChanges &changes, double now);

    // Whether the list changes, not only reminders.
    bool changesList() const { return !changed.empty() || !removed.empty(); }

    static constexpr std::size_t notListed = static_cast<std::size_t>(-1);

    // New, or different from the list's.
    std::vector<TodoItem> changed;
    // In the list, and gone from the server.
    std::vector<Uuid> removed;
    // The offset in the list of each of `changed` (`notListed` when new) and
    // of each of `removed`, as long as the list stays as it was.
    std::vector<std::size_t> changedAt;
    std::vector<std::size_t> removedAt;
    // The reminders of changed and removed to-dos, by identifier.
    QStringList withdrawn;
    // The to-dos changed or removed: a reminder still waiting for a save is
    // for the to-do as it was.
    std::unordered_set<Uuid, UuidHash> gone;
    // The reminders still to come, each at its own time; also of to-dos whose
    // alarm alone moved.
    std::vector<std::pair<TodoItem, double>> scheduled;
};
