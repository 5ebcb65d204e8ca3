// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <vector>

// A list on a calendar server that holds to-dos.
struct TaskList {
    QUrl url;
    QString name;
    friend bool operator==(const TaskList &, const TaskList &) = default;
};

// What an account holds: its calendar home, where a new list goes, and the
// task lists in it that the user may write, in the server's order.
struct AccountLists {
    QUrl home;
    std::vector<TaskList> lists;
    // The origins ("https://host:443") the password goes to, the typed one
    // first: keep them with the account and give them back to the next
    // client (CalDavClient::setPasswordOrigins).
    QStringList passwordOrigins;
};
