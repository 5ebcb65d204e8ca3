// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What journaling one local change costs with sync on, by the length of the
// list: the change written to the sync database, on disk when it returns.
// Median and worst of 11 changes, each adding a to-do.

#include <SyncJournal.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("to-dos\tmedian_ms\tworst_ms\n");
    for (const int count : {1000, 100000, 1000000}) {
        QTemporaryDir folder;
        SyncDatabase database(folder.filePath(QStringLiteral("sync.db")));
        database.open();
        SyncJournal journal(database);
        journal.load();
        std::vector<TodoItem> list;
        for (int i = 0; i < count; ++i)
            list.emplace_back("Errand " + std::to_string(i), 794424600 + i, TodoPriority::medium);
        journal.record(list, {}, 0);
        std::vector<double> took;
        for (int change = 1; change <= 11; ++change) {
            const TodoItem added("One more", 794424600, TodoPriority::high);
            QElapsedTimer timer;
            timer.start();
            journal.record({added}, {}, change);
            took.push_back(timer.nsecsElapsed() / 1e6);
        }
        std::sort(took.begin(), took.end());
        std::printf("%d\t%.2f\t%.2f\n", count, took[took.size() / 2], took.back());
    }
    return 0;
}
