// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What a sync's changes cost the window's thread: the real window (offscreen,
// a frame asked for every 16 ms) takes N new to-dos into an empty list, then
// the same N renamed, then ticked off, then every other one removed, as the
// sync worker hands them over: in slices of 2,000, a turn of the event loop
// apart, against all in one go.
// Prints the whole time and the longest event on the window's thread
// (WindowBenchSupport.h), medians of the runs, each run a process of its own.
//
// Usage: sync_apply_bench [runs, default 3] [to-dos ...; default 10000 100000]

#include "WindowBenchSupport.h"

#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr std::size_t sliceSize = 2000;

constexpr int steps = 4;

// One run: prints "ms longest" for each of the changes.
int runOnce(int count, bool sliced)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int argc = 1;
    char name[] = "sync_apply_bench";
    char *argv[] = {name, nullptr};
    TimedApplication app(argc, argv);
    QTemporaryDir home;
    FilePreferences preferences(home.path());
    NoNotifications notifications;
    ReminderScheduler reminders(notifications);
    SystemClock clock;
    ContentView view(preferences, reminders, clock);
    ContentWindow window(view);
    window.show();
    FrameClock frames(&window);
    processUntil([&] { return frames.intervalsMs.size() >= 2; });

    const double now = clock.now();
    SyncedChanges changes;
    for (int i = 0; i < count; ++i) {
        const TodoItem item("Errand " + std::to_string(i), now + 3600 + i, TodoPriority::medium);
        changes.changed.push_back({item, item.reminderAt()});
    }
    const auto renamed = [](const TodoItem &item) {
        return item.with(item.name() + " there", item.time(), item.priority());
    };
    const auto ticked = [&](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.completed = now;
        return item.withExtras(extras);
    };
    for (int step = 0; step < steps; ++step) {
        if (step == 1 || step == 2) {
            for (SyncedChanges::Todo &todo : changes.changed)
                todo.item = step == 1 ? renamed(todo.item) : ticked(todo.item);
        }
        if (step == 3) {
            for (std::size_t i = 0; i < changes.changed.size(); i += 2)
                changes.removed.push_back(changes.changed[i].item.id());
            changes.changed.clear();
        }
        std::size_t left = 0;
        QElapsedTimer took;
        took.start();
        app.restartEventClock();
        const std::size_t total = changes.changed.size() + changes.removed.size();
        const std::size_t slice = sliced ? sliceSize : total;
        for (std::size_t from = 0; from < total; from += slice) {
            const std::size_t to = std::min(total, from + slice);
            SyncedChanges part;
            if (!changes.changed.empty())
                part.changed.assign(changes.changed.begin() + std::ptrdiff_t(from),
                                    changes.changed.begin() + std::ptrdiff_t(to));
            else
                part.removed.assign(changes.removed.begin() + std::ptrdiff_t(from),
                                    changes.removed.begin() + std::ptrdiff_t(to));
            ++left;
            // Each slice posted once the one before is taken, as the worker does.
            QTimer::singleShot(0, &view, [&view, &left, part] {
                view.applySyncedChanges(part);
                --left;
            });
            processUntil([&] { return left == 0; });
        }
        const double ms = took.nsecsElapsed() / 1e6;
        const std::size_t framesAtEnd = frames.intervalsMs.size();
        processUntil([&] { return frames.intervalsMs.size() > framesAtEnd; });
        std::printf("%.1f %.1f ", ms, app.longestEventMs);
        std::fprintf(stderr, "%d %s, step %d: %s\n", count, sliced ? "sliced" : "whole", step,
                     app.longestKinds(2).c_str());
    }
    std::printf("\n");
    return view.todoList().size() == static_cast<std::size_t>(count / 2) ? 0 : 1;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 4 && std::string_view(argv[1]) == "--run")
        return runOnce(std::atoi(argv[2]), std::string_view(argv[3]) == "sliced");
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::vector<int> counts;
    for (int i = 2; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {10000, 100000};
    const char *names[steps] = {"new", "renamed", "ticked off", "every other removed"};
    std::printf("to-dos\tchange\thanded over\tms\tlongest_event_ms\t(medians of %d)\n", runs);
    for (const int count : counts) {
        // [sliced][step][field]
        std::vector<double> figures[2][steps][2];
        for (int run = 0; run < runs; ++run) {
            for (const bool sliced : {false, true}) {
                QProcess process;
                process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
                process.start(QCoreApplication::applicationFilePath(),
                              {QStringLiteral("--run"), QString::number(count),
                               sliced ? QStringLiteral("sliced") : QStringLiteral("whole")});
                if (!process.waitForFinished(-1) || process.exitCode() != 0)
                    return 1;
                const QStringList fields = QString::fromUtf8(process.readAllStandardOutput())
                                               .split(u' ', Qt::SkipEmptyParts);
                if (fields.size() < 2 * steps)
                    return 1;
                for (int step = 0; step < steps; ++step) {
                    for (int field = 0; field < 2; ++field)
                        figures[sliced][step][field].push_back(fields[step * 2 + field].toDouble());
                }
            }
        }
        for (int step = 0; step < steps; ++step) {
            for (const bool sliced : {false, true}) {
                std::printf("%d\t%s\t%s\t%.1f\t%.1f\n", count, names[step],
                            sliced ? "in slices of 2,000" : "in one go",
                            median(figures[sliced][step][0]), median(figures[sliced][step][1]));
            }
        }
        std::fflush(stdout);
    }
    return 0;
}
