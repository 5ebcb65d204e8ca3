// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// A first sync of a long server list into an empty one against Radicale (or
// Xandikos): the
// real window (offscreen, a frame asked for every 16 ms) set up with the
// account until it shows every to-do, against Debian's python3-caldav
// fetching the same (`calendar.todos()`), in turns, each run a process of its
// own: time, the window's frames and longest event (WindowBenchSupport.h), and
// peak memory.
//
// Usage: first_sync_bench [xandikos] [runs, default 3] [to-dos ...; default 10000 100000]
// With FIRST_SYNC_BENCH_SERVER_LOG=PATH the server's log of each list goes to PATH.COUNT.

#include "ProcFigures.h"
#include "WindowBenchSupport.h"

#include <CalDavClient.h>
#include <CalDavTestServer.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <PlimsaList.h>
#include <ServerListFill.h>
#include <SyncController.h>
#include <SyncServicePanel.h>

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

constexpr double lateFrameMs = 20;

const char pythonFetch[] = R"(
import caldav, resource, sys, time
url, user, password, calendar_url = sys.argv[1:5]
calendar = caldav.DAVClient(url=url, username=user, password=password).calendar(url=calendar_url)
start = time.monotonic()
todos = calendar.todos()
print(len(todos), time.monotonic() - start, 0, 0, 0, resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)
)";

// One first sync through the real window; prints seconds, the longest interval
// between frames, frames over 20 ms apart, the longest event on the window's
// thread, and peak resident kilobytes.
int runPlimsa(const QUrl &server, const QString &user, const QString &password, int expected)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No Secret Service: the password lives for this run only.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    int argc = 1;
    char name[] = "first_sync_bench";
    char *argv[] = {name, nullptr};
    TimedApplication app(argc, argv);
    QTemporaryDir home;
    FilePreferences preferences(home.path());
    NoNotifications notifications;
    ReminderScheduler reminders(notifications);
    SystemClock clock;
    ContentView view(preferences, reminders, clock);
    PasswordStore passwords;
    SyncController sync(view, passwords, clock, home.filePath(QStringLiteral("sync")));
    ContentWindow window(view);
    SyncServicePanel panel(sync);
    window.showSync(panel);
    window.show();
    FrameClock frames(&window);
    // The window's first frames (fonts, layout) are the start's, not the sync's.
    processUntil([&] { return frames.intervalsMs.size() >= 2; });

    QEventLoop phase;
    QElapsedTimer took;
    QObject::connect(&sync, &SyncController::stateChanged, &phase, [&] {
        std::fprintf(stderr, "%.1f s: state %d, attention %d, %d taken, %zu to-dos\n",
                     took.nsecsElapsed() / 1e9, int(sync.state()), int(sync.attention()),
                     sync.progress().first, view.todoList().size());
        if (sync.state() == SyncController::State::synced &&
            view.todoList().size() == static_cast<std::size_t>(expected))
            phase.quit();
        else if (sync.state() == SyncController::State::needsAttention)
            phase.exit(2);
    });
    SyncService::SetupReply step = [&](SyncSetupStep answer) {
        if (answer.kind != SyncSetupStep::Kind::connected)
            phase.exit(3);
    };
    took.start();
    frames.restart();
    app.restartEventClock();
    sync.connectAccount(server, user, password, step);
    if (const int failed = phase.exec())
        return failed;
    const double seconds = took.nsecsElapsed() / 1e9;
    // The sync ends with the last to-dos handed to the window: the frame after
    // that counts too.
    const std::size_t framesAtEnd = frames.intervalsMs.size();
    processUntil([&] { return frames.intervalsMs.size() > framesAtEnd; });
    const std::vector<double> &intervals = frames.intervalsMs;
    const auto late = std::count_if(intervals.begin(), intervals.end(),
                                    [](double interval) { return interval > lateFrameMs; });
    std::fprintf(stderr, "longest events on the window's thread: %s\n",
                 app.longestKinds(3).c_str());
    std::printf("%zu %.3f %.1f %td %.1f %lld\n", view.todoList().size(), seconds,
                intervals.empty() ? 0.0 : *std::max_element(intervals.begin(), intervals.end()),
                late, app.longestEventMs, procFigure(QStringLiteral("status"), "VmHWM"));
    return 0;
}

struct Run {
    double seconds = 0;
    double worstFrameMs = 0;
    double lateFrames = 0;
    double longestEventMs = 0;
    double peakKilobytes = 0;
};

// Runs a process that prints "count seconds worst late longest peak"; nothing
// if it failed or did not bring `count`.
std::optional<Run> measured(const QString &program, const QStringList &arguments, int count)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    // Waited for in an event loop, which reads the server's log as it comes:
    // a server whose log pipe is full stops answering (Radicale logs every
    // request).
    QEventLoop finished;
    QObject::connect(&process, &QProcess::finished, &finished, &QEventLoop::quit);
    process.start(program, arguments);
    if (!process.waitForStarted(-1))
        return std::nullopt;
    finished.exec();
    if (process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return std::nullopt;
    const QStringList fields =
        QString::fromUtf8(process.readAllStandardOutput()).trimmed().split(u' ');
    if (fields.size() != 6 || fields[0].toInt() != count)
        return std::nullopt;
    return Run{fields[1].toDouble(), fields[2].toDouble(), fields[3].toDouble(),
               fields[4].toDouble(), fields[5].toDouble()};
}

double medianOf(const std::vector<Run> &runs, double Run::*field)
{
    std::vector<double> values;
    for (const Run &run : runs)
        values.push_back(run.*field);
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    if (argc == 6 && std::string_view(argv[1]) == "--plimsa")
        return runPlimsa(QUrl(QString::fromLocal8Bit(argv[2])), QString::fromLocal8Bit(argv[3]),
                         QString::fromLocal8Bit(argv[4]), std::atoi(argv[5]));
    QCoreApplication app(argc, argv);
    const bool xandikos = argc > 1 && std::string_view(argv[1]) == "xandikos";
    const int first = xandikos ? 2 : 1;
    const int runs = argc > first ? std::max(1, std::atoi(argv[first])) : 3;
    std::vector<int> counts;
    for (int i = first + 1; i < argc; ++i)
        counts.push_back(std::atoi(argv[i]));
    if (counts.empty())
        counts = {10000, 100000};

    std::printf(
        "to-dos\twho\tseconds\tworst_interval_ms\tintervals_over_20ms\tlongest_event_ms\t"
        "peak_MB\t(%s, medians of %d)\n",
        xandikos ? "Xandikos" : "Radicale", runs);
    for (const int count : counts) {
        CalDavTestServer server(xandikos ? CalDavTestServer::Kind::xandikos
                                         : CalDavTestServer::Kind::radicale);
        if (!server.start())
            return 1;
        CalDavClient client(server.url(), server.user(), server.password());
        const ServerResult<QUrl> list = usePlimsaList(client);
        if (!list.ok() || errandsOnServer(server, list.value, count).empty())
            return 1;
        const QStringList python = {QStringLiteral("-c"),    QString::fromLatin1(pythonFetch),
                                    server.url().toString(), server.user(),
                                    server.password(),       list.value.toString()};
        const QStringList plimsa = {QStringLiteral("--plimsa"), server.url().toString(),
                                    server.user(), server.password(), QString::number(count)};
        // The server reads a list's files once into a cache of its own: not either's time.
        if (!measured(QStringLiteral("/usr/bin/python3"), python, count))
            return 2;
        std::vector<Run> ours;
        std::vector<Run> theirs;
        for (int run = 0; run < runs; ++run) {
            const auto mine = measured(QCoreApplication::applicationFilePath(), plimsa, count);
            const auto other = measured(QStringLiteral("/usr/bin/python3"), python, count);
            if (!mine || !other)
                return 3;
            ours.push_back(*mine);
            theirs.push_back(*other);
        }
        std::printf("%d\tPlimsa\t%.2f\t%.1f\t%.0f\t%.1f\t%.0f\n", count,
                    medianOf(ours, &Run::seconds), medianOf(ours, &Run::worstFrameMs),
                    medianOf(ours, &Run::lateFrames), medianOf(ours, &Run::longestEventMs),
                    medianOf(ours, &Run::peakKilobytes) / 1024);
        std::printf("%d\tpython3-caldav\t%.2f\t-\t-\t-\t%.0f\n", count,
                    medianOf(theirs, &Run::seconds), medianOf(theirs, &Run::peakKilobytes) / 1024);
        std::printf("%d\tratio\t%.2f\n", count,
                    medianOf(ours, &Run::seconds) / medianOf(theirs, &Run::seconds));
        std::fflush(stdout);
        // Where the time went, by the server's own account of each request.
        if (const QString log = qEnvironmentVariable("FIRST_SYNC_BENCH_SERVER_LOG");
            !log.isEmpty()) {
            QFile file(log + u'.' + QString::number(count));
            if (file.open(QIODevice::WriteOnly))
                file.write(server.log());
        }
    }
    return 0;
}
