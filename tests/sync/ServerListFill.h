// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Fills a server's list faster than by PUT (about 50 ms each on Radicale): an
// object file per to-do in the list's folder, as Radicale keeps them; on
// Xandikos, which serves what its list's git repository holds, then one commit.

#include <CalDavTestServer.h>
#include <LocalCalendar.h>
#include <VTodoMapping.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QUrl>

#include <string>

inline std::vector<TodoItem> errandsOnServer(const CalDavTestServer &server, const QUrl &list,
                                             int count)
{
    const QString folder = server.userFolder() + u'/' + QDir(list.path()).dirName();
    const LocalCalendar local = LocalCalendar::current();
    std::vector<TodoItem> written;
    written.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        TodoItem item("Errand " + std::to_string(i), 794424600 + 60.0 * i, TodoPriority::medium);
        QFile file(folder + u'/' + QString::fromStdString(item.id().uuidString()) +
                   QStringLiteral(".ics"));
        if (!file.open(QIODevice::WriteOnly) ||
            !file.write(QByteArray::fromStdString(newVTodo(item, 794424600, local))))
            return {};
        written.push_back(std::move(item));
    }
    if (server.kind() == CalDavTestServer::Kind::xandikos) {
        for (const QStringList &git : {QStringList{QStringLiteral("add"), QStringLiteral("-A")},
                                       QStringList{QStringLiteral("commit"), QStringLiteral("-qm"),
                                                   QStringLiteral("Errands")}}) {
            QProcess process;
            process.setWorkingDirectory(folder);
            process.start(QStringLiteral("git"),
                          QStringList{QStringLiteral("-c"), QStringLiteral("user.name=bench"),
                                      QStringLiteral("-c"),
                                      QStringLiteral("user.email=bench@localhost")} +
                              git);
            if (!process.waitForFinished(-1) || process.exitCode() != 0)
                return {};
        }
    }
    return written;
}
