// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What a first sync's reminders cost: the app's side (AgentNotificationCenter)
// is handed 10,000 and then 100,000 reminders in one turn of the event loop,
// and passes them to a real plimsa-reminders that a private bus starts, with a
// home of its own. Prints the time from the first reminder handed over until
// the pending file holds them all, and how many times the file was written
// (inotify), as medians of RUNS runs, each a process of its own.
//
// usage: reminder_batch_bench [RUNS] [OTHER_BENCH...]
// Other builds of this bench (another tree's, with its own agent and client)
// run in turns with this one, so that both see the same machine.
// reminder_batch_bench --once COUNT runs once and prints "milliseconds writes
// on-disk"; a run gives up after two minutes.

#include <AgentNotificationCenter.h>
#include <FilePlacementCounter.h>
#include <PendingRequestsFile.h>
#include <PrivateHome.h>
#include <PrivateSessionBus.h>
#include <ReminderAgentProtocol.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

constexpr int longestRunMs = 120000;
const int counts[] = {10000, 100000};

struct Result {
    double milliseconds = 0;
    int writes = 0;
    long long onDisk = 0;
};

// The agent sees this home, as a session's services do.
bool shareHome(QDBusConnection &bus, const PrivateHome &home, const QString &address)
{
    qDBusRegisterMetaType<QMap<QString, QString>>();
    const QProcessEnvironment session = home.sessionEnvironment(address);
    QMap<QString, QString> environment;
    for (const QString &key : session.keys())
        environment.insert(key, session.value(key));
    auto update = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
        QStringLiteral("org.freedesktop.DBus"), QStringLiteral("UpdateActivationEnvironment"));
    update << QVariant::fromValue(environment);
    return bus.call(update).type() != QDBusMessage::ErrorMessage;
}

std::optional<Result> runOnce(int count)
{
    QTemporaryDir services;
    QFile service(services.filePath(QStringLiteral("org.plimsa.Reminders.service")));
    if (!service.open(QIODevice::WriteOnly))
        return std::nullopt;
    service.write("[D-BUS Service]\nName=org.plimsa.Reminders\nExec=" REMINDER_AGENT
                  " --linger 60\n");
    service.close();
    PrivateSessionBus bus{{services.path()}};
    PrivateHome home;
    QDBusConnection observer = bus.connect(QStringLiteral("observer"));
    const QString folder = home.dataHome() + QStringLiteral("/plimsa");
    if (!bus.isRunning() || !home.isReady() || !shareHome(observer, home, bus.address()) ||
        !QDir().mkpath(folder))
        return std::nullopt;

    // Left to the end of the process: its destructor would wait for calls that
    // an overwhelmed agent may never answer.
    auto *app = new AgentNotificationCenter(
        bus.connect(QStringLiteral("app")), []() -> std::unique_ptr<NotificationCenter> {
            std::fputs("no agent: the bench measures nothing\n", stderr);
            std::exit(1);
        });
    // The agent runs before the clock starts.
    app->removePendingRequests({QStringLiteral("none")});
    app->finishCalls();
    // Asked now: a bus flooded with calls answers late.
    const uint agent = observer.interface()->servicePid(reminderAgent::service).value();

    std::vector<NotificationRequest> reminders;
    for (int i = 0; i < count; ++i) {
        reminders.push_back(
            {QStringLiteral("%1").arg(i, 8, 10, QLatin1Char('0')),
             {QStringLiteral("Reminder"), QStringLiteral("Todo: to-do number %1").arg(i), true},
             {1.0e9 + i * 60.0, false}});
    }
    const QString path = folder + QStringLiteral("/pending-notifications.json");
    // The agent writes them in the order given, so all are there once the
    // file is this long.
    const qint64 wholeSize = encodePendingRequests(reminders).size();
    FilePlacementCounter writes(folder, "pending-notifications.json");
    if (!writes.isWatching())
        return std::nullopt;

    QElapsedTimer clock;
    clock.start();
    for (const NotificationRequest &request : reminders)
        app->add(request);
    // Looked at every millisecond, so that the kernel's queue of file events
    // never overflows.
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        writes.count();
        if (QFileInfo(path).size() == wholeSize)
            loop.quit();
    });
    look.start(1);
    QTimer::singleShot(longestRunMs, &loop, &QEventLoop::quit);
    loop.exec();
    const bool allOnDisk = QFileInfo(path).size() == wholeSize;
    Result result;
    result.milliseconds = static_cast<double>(clock.nsecsElapsed()) / 1e6;
    result.writes = writes.count();
    result.onDisk = static_cast<long long>(PendingRequestsFile(path)
                                               .read(LocalCalendar("UTC"))
                                               .value_or(std::vector<NotificationRequest>{})
                                               .size());
    if (!allOnDisk)
        result.milliseconds = -1;
    if (agent != 0)
        ::kill(static_cast<pid_t>(agent), SIGKILL);
    return result;
}

std::optional<Result> runProgram(const QString &program, int count)
{
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    run.start(program, {QStringLiteral("--once"), QString::number(count)});
    if (!run.waitForFinished(longestRunMs + 60000) || run.exitCode() != 0)
        return std::nullopt;
    const QList<QByteArray> fields = run.readAllStandardOutput().simplified().split(' ');
    if (fields.size() != 3)
        return std::nullopt;
    return Result{fields[0].toDouble(), fields[1].toInt(), fields[2].toLongLong()};
}

template <typename T> T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.size() == 2 && arguments.front() == QLatin1String("--once")) {
        const std::optional<Result> result = runOnce(arguments.back().toInt());
        if (!result)
            return 1;
        std::printf("%.1f %d %lld\n", result->milliseconds, result->writes, result->onDisk);
        std::fflush(stdout);
        // The bus and the home are gone; Qt's own teardown would wait on the
        // calls an overwhelmed agent never answered.
        std::_Exit(0);
    }
    const int runs = arguments.isEmpty() ? 5 : arguments.front().toInt();
    QStringList programs{QCoreApplication::applicationFilePath()};
    programs += arguments.mid(1);

    std::printf("program\treminders\truns\tmedian ms to disk\tmedian writes\tfewest on disk\n");
    for (const int count : counts) {
        std::vector<std::vector<Result>> results(static_cast<std::size_t>(programs.size()));
        for (int run = 0; run < runs; ++run) {
            for (qsizetype p = 0; p < programs.size(); ++p) {
                if (const auto result = runProgram(programs[p], count))
                    results[static_cast<std::size_t>(p)].push_back(*result);
            }
        }
        for (qsizetype p = 0; p < programs.size(); ++p) {
            const auto &each = results[static_cast<std::size_t>(p)];
            if (each.empty()) {
                std::printf("%s\t%d\t0\tfailed\n", qPrintable(programs[p]), count);
                continue;
            }
            std::vector<double> times;
            std::vector<int> writes;
            long long fewest = count;
            bool allFinished = true;
            for (const Result &result : each) {
                allFinished = allFinished && result.milliseconds >= 0;
                times.push_back(result.milliseconds);
                writes.push_back(result.writes);
                fewest = std::min(fewest, result.onDisk);
            }
            const QString time =
                allFinished ? QString::number(median(times), 'f', 1)
                            : QStringLiteral("not all within %1 s").arg(longestRunMs / 1000);
            std::printf("%s\t%d\t%zu\t%s\t%d\t%lld\n", qPrintable(programs[p]), count, each.size(),
                        qPrintable(time), median(writes), fewest);
            std::fflush(stdout);
        }
    }
    return 0;
}
