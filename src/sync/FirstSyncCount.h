// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CalendarServer.h"

#include <TodoItem.h>

#include <QObject>

#include <vector>

// What a first sync of a local list with a server list would move, counted by
// UID over the to-dos the list shows (a to-do on both sides moves neither way).
struct FirstSyncCount {
    // Shown to-dos on the server.
    int onServer = 0;
    int fromServer = 0;
    int toServer = 0;
};

// Reads every to-do of `server`'s list, on a thread of the pool so that a
// long list does not hold up the server's thread; `local` is the list as it is
// now. Answers on the main thread, unless `context` (of that thread) is gone.
void countFirstSync(CalendarServer &server, QObject *context, const std::vector<TodoItem> &local,
                    CalendarServer::Reply<FirstSyncCount> reply);
