// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What journaling one local change costs the window's thread with sync on, by
// the length of the list: the list compared with the last synced one and the
// journal's snapshot taken (its encoding and writing happen on the writer's
// thread). Median and worst of 11 changes, each adding a to-do, with the
// journal's writes done between them.

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
    for (const int count : {1000, 10000, 100000}) {
        QTemporaryDir folder;
        SyncJournal journal(folder.filePath(QStringLiteral("journal.json")));
        SyncFileWriter writer;
        journal.setWriter(&writer);
        journal.load();
        std::vector<TodoItem> list;
        for (int i = 0; i < count; ++i)
            list.emplace_back("Errand " + std::to_string(i), 794424600 + i, TodoPriority::medium);
        journal.listChanged(list, 0);
        writer.finish();
        std::vector<double> took;
        for (int change = 1; change <= 11; ++change) {
            list.emplace_back("One more", 794424600, TodoPriority::high);
            QElapsedTimer timer;
            timer.start();
            journal.listChanged(list, change);
            took.push_back(timer.nsecsElapsed() / 1e6);
            writer.finish();
        }
        std::sort(took.begin(), took.end());
        std::printf("%d\t%.2f\t%.2f\n", count, took[took.size() / 2], took.back());
    }
    return 0;
}
