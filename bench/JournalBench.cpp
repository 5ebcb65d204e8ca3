// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What one local change costs the window's thread with sync on, by the length
// of the list: an add through the list's state, with and without the sync
// worker taking each change as the app hands it over, in turns (median of 11
// each, and of their ratios); and how long the worker takes to have the
// change on disk.

#include "BenchSupport.h"
#include "WindowBenchSupport.h"

#include <CalDavClient.h>
#include <ContentView.h>
#include <FilePreferences.h>
#include <SyncWorker.h>
#include <TodoListStore.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <string>

namespace {

std::vector<TodoItem> errands(int count)
{
    std::vector<TodoItem> list;
    list.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i)
        list.emplace_back("Errand " + std::to_string(i), 794424600 + i, TodoPriority::medium);
    return list;
}

// A view of `count` stored to-dos, loaded.
struct LoadedView {
    explicit LoadedView(int count)
    {
        writeTodoList(preferences, errands(count));
        view.loadTodoList();
    }
    QTemporaryDir folder;
    FilePreferences preferences{folder.filePath(QStringLiteral("store"))};
    SystemClock clock;
    NoNotifications notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
};

void add(ContentView &view)
{
    view.setNewTodoName(QStringLiteral("One more"));
    view.addTodo();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    std::printf("to-dos\tsync_off_ms\tsync_on_ms\tratio\tworker_on_disk_ms\n");
    for (const int count : {1000, 100000, 1000000}) {
        LoadedView plain(count);
        LoadedView synced(count);
        QTemporaryDir syncFolder;
        // Never asked: recording a change does not reach the server.
        SyncWorker worker(
            [] {
                return std::make_unique<CalDavClient>(QUrl(QStringLiteral("http://127.0.0.1:9/")),
                                                      QStringLiteral("bench"), QString());
            },
            syncFolder.path(), synced.clock);
        bool loaded = false;
        worker.load([&](bool ok, std::optional<QString>) { loaded = ok; });
        processUntil([&] { return loaded; });

        // As the app hands a change over; the answer says it is on disk.
        QElapsedTimer sinceHandOver;
        std::vector<double> onDisk;
        int handedOver = 0;
        int answered = 0;
        QObject::connect(&synced.view, &ContentView::listEdited, [&](const TodoListEdit &edit) {
            ++handedOver;
            sinceHandOver.start();
            worker.record(edit.saved, edit.removed, [&](bool recorded) {
                if (recorded)
                    onDisk.push_back(sinceHandOver.nsecsElapsed() / 1e6);
                ++answered;
            });
        });
        const auto answersIn = [&] { processUntil([&] { return answered == handedOver; }); };
        const TurnMedians change = medianMillisecondsInTurns(
            11, [&] { add(synced.view); }, [&] { add(plain.view); }, answersIn);
        answersIn();
        std::printf("%d\t%.3f\t%.3f\t%.2f\t%.2f\n", count, change.second, change.first,
                    change.ratio, onDisk.empty() ? -1.0 : median(onDisk));
        std::fflush(stdout);
    }
    return 0;
}
