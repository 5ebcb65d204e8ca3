// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <CalendarServer.h>
#include <TaskList.h>

#include <QStringList>

#include <vector>

// Where the sync set-up stands after a step with the server: what the set-up
// dialog shows next.
struct SyncSetupStep {
    enum class Kind {
        // Nothing is kept; `error` says why.
        failed,
        // The account has several task lists: the user picks one of `lists`.
        chooseList,
        // The account has none: the user may have Plimsa make one.
        offerList,
        // Both sides hold to-dos: the user agrees to what goes each way first.
        confirm,
        // The account is kept and its first sync runs.
        connected,
    };
    Kind kind = Kind::failed;
    ServerError error = ServerError::none;
    std::vector<TaskList> lists;
    int fromServer = 0;
    int toServer = 0;
    // The hosts the password goes to, once the account is found.
    QStringList passwordHosts{};
    // The server's own words for a refusal.
    QString message{};
};
