// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The engine as SyncKillTest kills it: with the sync folder, server address,
// user, password, list address and a count, journals that many to-dos the
// first time, syncs and prints "taken" after each change the server takes.
// Exits 0 once a sync is done.

#include <CalDavClient.h>
#include <SyncEngine.h>

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList arguments = app.arguments();
    if (arguments.size() != 7)
        return 2;
    CalDavClient client(QUrl(arguments[2]), arguments[3], arguments[4]);
    client.setCollection(QUrl(arguments[5]));
    SystemClock clock;
    SyncEngine engine(client, arguments[1], clock);
    if (!engine.load())
        return 3;
    if (engine.journal().knownCount() == 0) {
        std::vector<TodoItem> list;
        for (int i = 0; i < arguments[6].toInt(); ++i)
            list.emplace_back("To-do " + std::to_string(i), 794424600 + 60 * i,
                              TodoPriority::medium);
        if (!engine.listChanged(list))
            return 4;
    }
    engine.progress = [](int, int) {
        std::puts("taken");
        std::fflush(stdout);
    };
    QTimer::singleShot(0, [&] {
        engine.sync([](SyncOutcome outcome) {
            QCoreApplication::exit(outcome.status == SyncOutcome::Status::done ? 0 : 5);
        });
    });
    return app.exec();
}
