// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Start to first painted frame, and add to the new row painted, with an empty
// store and with 100,000 stored to-dos, in one run (offscreen platform).

#include "BenchSupport.h"
#include "WindowBenchSupport.h"

#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <TodoListStore.h>
#include <TodoListView.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

struct Figures {
    double firstFrame;
    double add;
};

Figures measure(FilePreferences &preferences)
{
    SystemClock clock;
    NoNotifications notifications;
    ReminderScheduler reminders(notifications);

    QElapsedTimer start;
    start.start();
    ContentView view(preferences, reminders, clock);
    ContentWindow window(view);
    window.resize(640, 480);
    PaintCounter painted(window.listView()->viewport());
    window.show();
    processUntil([&] { return painted.paints > 0; });
    const double firstFrame = static_cast<double>(start.nsecsElapsed()) / 1e6;

    view.setNewTodoName(QStringLiteral("One more"));
    const int before = painted.paints;
    QElapsedTimer add;
    add.start();
    view.addTodo();
    processUntil([&] {
        const QModelIndex last =
            window.listView()->model()->index(static_cast<int>(view.todoList().size()) - 1, 0);
        return painted.paints > before && window.listView()->viewport()->rect().intersects(
                                              window.listView()->visualRect(last));
    });
    const double addMs = static_cast<double>(add.nsecsElapsed()) / 1e6;
    window.hide();
    return {firstFrame, addMs};
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir directory;
    FilePreferences empty(directory.filePath(QStringLiteral("empty")));
    FilePreferences full(directory.filePath(QStringLiteral("full")));
    std::vector<TodoItem> items;
    for (int i = 0; i < 100000; ++i)
        items.emplace_back("To-do number " + std::to_string(i), 786310200.0 + i,
                           allTodoPriorities[i % 3]);

    constexpr int runs = 5;
    std::vector<double> emptyStart, emptyAdd, fullStart, fullAdd, load;
    for (int run = 0; run < runs; ++run) {
        writeTodoList(empty, {});
        writeTodoList(full, items);
        const Figures e = measure(empty);
        writeTodoList(full, items);
        const Figures f = measure(full);
        emptyStart.push_back(e.firstFrame);
        emptyAdd.push_back(e.add);
        fullStart.push_back(f.firstFrame);
        fullAdd.push_back(f.add);
        load.push_back(medianMilliseconds(1, [&] { readTodoList(full); }));
    }
    const auto median = [](std::vector<double> values) {
        std::sort(values.begin(), values.end());
        return values[values.size() / 2];
    };
    const double budget = median(emptyStart) + median(load);
    std::printf("%-32s %10s %10s\n", "median of 5 runs, ms", "empty", "100,000");
    std::printf("%-32s %10.2f %10.2f\n", "start to first painted frame", median(emptyStart),
                median(fullStart));
    std::printf("%-32s %10s %10.2f\n", "store load alone", "", median(load));
    std::printf("%-32s %10.2f %10.2f\n", "add to new row painted", median(emptyAdd),
                median(fullAdd));
    std::printf("first frame at 100,000 / (empty start + load) = %.2fx (goal <= 2x)\n",
                median(fullStart) / budget);
    return 0;
}
