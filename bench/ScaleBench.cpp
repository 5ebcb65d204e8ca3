// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// One size of stored list, in a process of its own so that its memory is its
// own: first frame, resident memory, scrolling top to bottom, an add, a delete
// through the list's Delete key and the save on close, and the worst frame
// while the add is being saved. Prints one line of
// figures (tab-separated, after a header line) for scripts/bench.

#include "BenchSupport.h"
#include "ProcFigures.h"
#include "WindowBenchSupport.h"

#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <TodoListStore.h>
#include <TodoListView.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QScrollBar>
#include <QTemporaryDir>

#include <cstdio>
#include <malloc.h>

namespace {

double millisecondsOf(const QElapsedTimer &timer)
{
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

// Runs the event loop until the list has painted again; returns the time taken.
double untilPainted(PaintCounter &painted, const std::function<void()> &action)
{
    const int before = painted.paints;
    QElapsedTimer timer;
    timer.start();
    action();
    processUntil([&] { return painted.paints > before; });
    return millisecondsOf(timer);
}

std::vector<TodoItem> storedItems(int count)
{
    std::vector<TodoItem> items;
    items.reserve(static_cast<std::size_t>(count));
    for (int i = 0; i < count; ++i) {
        // Every tenth name is long enough to wrap.
        std::string name = "To-do number " + std::to_string(i);
        if (i % 10 == 0)
            name += ": call the garage about the winter tyres and ask whether they have the size";
        items.emplace_back(std::move(name), 786310200.0 + i, allTodoPriorities[i % 3]);
    }
    return items;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 1000;
    QTemporaryDir directory;
    FilePreferences preferences(directory.filePath(QStringLiteral("store")));
    writeTodoList(preferences, storedItems(count));
    const qint64 storedBytes =
        QFileInfo(directory.filePath(QStringLiteral("store/TodoList"))).size();
    const double load = medianMilliseconds(3, [&] { readTodoList(preferences); });
    // What writing and reading the store left on the heap is not the window's.
    malloc_trim(0);

    SystemClock clock;
    NoNotifications notifications;
    ReminderScheduler reminders(notifications);
    const long long residentBefore = procFigure(QStringLiteral("status"), "VmRSS");

    QElapsedTimer start;
    start.start();
    ContentView view(preferences, reminders, clock);
    ContentWindow window(view);
    window.resize(640, 480);
    TodoListView *list = window.listView();
    PaintCounter painted(list->viewport());
    window.show();
    processUntil([&] { return painted.paints > 0; });
    const double firstFrame = millisecondsOf(start);
    const long long resident = procFigure(QStringLiteral("status"), "VmRSS");

    // Top to bottom in at most 200 even jumps: the worst frame.
    QScrollBar *bar = list->verticalScrollBar();
    const int steps = std::max(1, std::min(200, bar->maximum() / std::max(1, bar->pageStep())));
    double worstScroll = 0;
    for (int step = 1; step <= steps && bar->maximum() > 0; ++step) {
        const int value = static_cast<int>(static_cast<qint64>(bar->maximum()) * step / steps);
        worstScroll = std::max(worstScroll, untilPainted(painted, [&] { bar->setValue(value); }));
    }

    view.setNewTodoName(QStringLiteral("One more"));
    const double add = untilPainted(painted, [&] { view.addTodo(); });
    // For 1.5 s after the add, within which it is saved: one small scroll a
    // frame (a repaint where the list is too short for two steps), and the
    // longest of those frames.
    double worstWhileSaving = 0;
    QElapsedTimer sinceAdd;
    sinceAdd.start();
    for (int step = 0; sinceAdd.elapsed() < 1500; ++step) {
        const int value = std::max(0, bar->maximum() - 1 - step % 2);
        const auto scroll = [&] {
            if (bar->maximum() >= 2)
                bar->setValue(value);
            else
                list->viewport()->update();
        };
        worstWhileSaving = std::max(worstWhileSaving, untilPainted(painted, scroll));
    }

    const QModelIndex last = list->model()->index(list->model()->rowCount() - 1, 0);
    list->setCurrentIndex(last);
    QCoreApplication::processEvents();
    const double remove = untilPainted(painted, [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier);
        QCoreApplication::sendEvent(list, &press);
    });

    QElapsedTimer save;
    save.start();
    window.close();
    const double saveOnClose = millisecondsOf(save);

    std::printf("todos\tstored_bytes\tload_ms\tfirst_frame_ms\tresident_kb\tresident_growth_kb\t"
                "scroll_worst_ms\tadd_ms\tworst_frame_while_saving_ms\tdelete_ms\tsave_ms\n");
    std::printf("%d\t%lld\t%.2f\t%.2f\t%lld\t%lld\t%.2f\t%.2f\t%.2f\t%.2f\t%.2f\n", count,
                static_cast<long long>(storedBytes), load, firstFrame, resident,
                resident - residentBefore, worstScroll, add, worstWhileSaving, remove, saveOnClose);
    return 0;
}
