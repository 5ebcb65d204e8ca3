// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <optional>
#include <vector>

// What a sync brought from the server for the list.
struct SyncedChanges {
    struct Todo {
        TodoItem item;
        // When its reminder comes, which another device may have set apart from
        // the due time; none for no reminder.
        std::optional<double> reminder;
    };
    // New or changed on the server.
    std::vector<Todo> changed;
    // Gone from the server, or no longer shown there.
    std::vector<Uuid> removed;
};
