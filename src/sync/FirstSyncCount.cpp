// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FirstSyncCount.h"

#include "VTodoMapping.h"

#include <Clock.h>

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

#include <set>

void countFirstSync(CalendarServer &server, QObject *context, const std::vector<TodoItem> &local,
                    CalendarServer::Reply<FirstSyncCount> reply)
{
    std::set<Uuid::Bytes> localIds;
    for (const TodoItem &item : local)
        localIds.insert(item.id().bytes());
    server.listEtags([&server, context = QPointer(context), localIds = std::move(localIds),
                      reply](ServerResult<std::vector<ServerObject>> listed) {
        if (!listed.ok())
            return reply({listed.error, {}});
        QStringList hrefs;
        for (const ServerObject &object : listed.value)
            hrefs += object.href;
        if (hrefs.isEmpty())
            return reply({ServerError::none, FirstSyncCount{0, 0, int(localIds.size())}});
        server.fetch(hrefs, [context, localIds,
                             reply](ServerResult<std::vector<ServerObject>> fetched) {
            if (!fetched.ok())
                return reply({fetched.error, {}});
            QThreadPool::globalInstance()->start([context, localIds, reply,
                                                  objects = std::move(fetched.value)] {
                const LocalCalendar calendar = LocalCalendar::current();
                const double now = SystemClock().now();
                std::set<Uuid::Bytes> serverIds;
                for (const ServerObject &object : objects) {
                    const auto todo = readVTodo(
                        std::string_view(object.data.constData(), std::size_t(object.data.size())),
                        calendar, now);
                    if (todo && todo->shown())
                        serverIds.insert(todo->id.bytes());
                }
                FirstSyncCount count{int(serverIds.size()), 0, 0};
                for (const auto &id : serverIds)
                    count.fromServer += localIds.contains(id) ? 0 : 1;
                for (const auto &id : localIds)
                    count.toServer += serverIds.contains(id) ? 0 : 1;
                // Through the application, which outlives `context`.
                QMetaObject::invokeMethod(
                    QCoreApplication::instance(),
                    [context, reply, count] {
                        if (context)
                            reply({ServerError::none, count});
                    },
                    Qt::QueuedConnection);
            });
        });
    });
}
