// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// What an account costs the reminder agent at its start: a real
// plimsa-reminders on a private bus, with a home of its own, with no account
// and with one (its sync module then loads; the server is not reachable and
// there is no keyring, so no request goes out). Prints the time until it owns
// its bus name, and its resident memory once settled (VmRSS after 2 s), as
// medians of RUNS runs, the agents named on the command line in turns, so
// that all see the same machine (the first is this tree's own).
//
// usage: agent_start_bench [RUNS] [OTHER_AGENT...]

#include <PrivateHome.h>
#include <PrivateSessionBus.h>
#include <ReminderAgentProtocol.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Run {
    double startMs = 0;
    double residentKiB = 0;
};

double residentKiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble();
    }
    return 0;
}

Run runOnce(const QString &agent, bool withAccount)
{
    PrivateSessionBus bus;
    PrivateHome home;
    if (withAccount) {
        const QString folder = home.dataHome() + QStringLiteral("/plimsa/sync");
        QDir().mkpath(folder);
        QFile account(folder + QStringLiteral("/account.json"));
        account.open(QIODevice::WriteOnly);
        account.write(R"({"server":"http://127.0.0.1:9/","user":"ann",)"
                      R"("collection":"http://127.0.0.1:9/ann/plimsa/","passwordOrigins":[]})");
    }
    const QDBusConnection observer = bus.connect(QStringLiteral("bench"));
    QProcess process;
    process.setProcessEnvironment(home.processEnvironment(bus.address()));
    QElapsedTimer clock;
    clock.start();
    process.start(agent);
    while (!observer.interface()->isServiceRegistered(reminderAgent::service) &&
           clock.elapsed() < 10000)
        QThread::usleep(500);
    Run run;
    run.startMs = double(clock.nsecsElapsed()) / 1e6;
    QThread::sleep(2);
    run.residentKiB = residentKiB(process.processId());
    process.kill();
    process.waitForFinished();
    return run;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 5;
    QStringList agents{QStringLiteral(PLIMSA_AGENT_BINARY)};
    for (int n = 2; n < argc; ++n)
        agents.append(QString::fromLocal8Bit(argv[n]));
    std::printf("agent\taccount\tstart ms\tresident KiB\n");
    for (const bool withAccount : {false, true}) {
        std::vector<std::vector<double>> starts(agents.size()), resident(agents.size());
        for (int run = 0; run < runs; ++run) {
            for (qsizetype n = 0; n < agents.size(); ++n) {
                const Run measured = runOnce(agents[n], withAccount);
                starts[n].push_back(measured.startMs);
                resident[n].push_back(measured.residentKiB);
            }
        }
        for (qsizetype n = 0; n < agents.size(); ++n)
            std::printf("%s\t%s\t%.1f\t%.0f\n", qPrintable(agents[n]), withAccount ? "yes" : "no",
                        median(starts[n]), median(resident[n]));
    }
    return 0;
}
