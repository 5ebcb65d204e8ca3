// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <NotificationCenter.h>
#include <OwnerLock.h>
#include <StoredFile.h>
#include <SyncEngine.h>
#include <TodoItem.h>

#include <optional>
#include <vector>

// The stored list as the reminder agent reads and changes it while it owns
// sync. Each change is applied to the list as it is on disk at that moment,
// never to a copy kept since, under the lock a window that has not yet taken
// sync over also takes to save, and goes to the pending reminders as the
// window would hand it over.
class AgentTodoList {
public:
    // `path` is the list's file; the user's own unless told.
    explicit AgentTodoList(const QString &lockPath, QString path = standardPath());
    static QString standardPath();

    struct Read {
        std::vector<TodoItem> items;
        // False when there is no stored list.
        bool wasRead = false;
    };
    // None when the file cannot be read or decoded: sync then waits for the
    // window, which keeps such a file aside before anything overwrites it.
    std::optional<Read> read();

    // Applies a sync's changes: changed to-dos keep their place, new ones are
    // appended, and their reminders follow (withdrawn for changed and removed
    // ones, set again only when still to come at `now`). False when the list
    // could not be read or written: then no reminder is added either.
    bool apply(const ListChanges &changes, NotificationCenter &reminders, double now);

private:
    StoredFile m_file;
    OwnerLock m_lock;
};
