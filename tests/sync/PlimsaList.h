// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <CalDavClient.h>

#include <QEventLoop>
#include <QTimer>

#include <optional>

// Makes the account's "Plimsa" task list the client's collection, creating it
// when the account has none: where the tests' devices meet. Waits at most 30 s.
inline ServerResult<QUrl> usePlimsaList(CalDavClient &client)
{
    std::optional<ServerResult<QUrl>> result;
    QEventLoop loop;
    auto done = [&](ServerResult<QUrl> answer) {
        if (answer.ok())
            client.setCollection(answer.value);
        result = answer;
        loop.quit();
    };
    client.discover([&](ServerResult<AccountLists> found) {
        if (!found.ok())
            return done({found.error, {}});
        for (const TaskList &list : found.value.lists) {
            if (list.name == u"Plimsa")
                return done({ServerError::none, list.url});
        }
        client.createTaskList(found.value.home, QStringLiteral("Plimsa"),
                              [&](ServerResult<TaskList> made) {
                                  done({made.error, made.value.url});
                              });
    });
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    if (!result)
        loop.exec();
    return result.value_or(ServerResult<QUrl>{ServerError::network, {}});
}
