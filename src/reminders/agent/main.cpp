// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentSyncOnDemand.h>
#include <QCommandLineParser>
#include <QCoreApplication>
#include <ReminderAgent.h>
#include <ReminderDelivery.h>
#include <TerminationSignals.h>
#include <XdgDirectories.h>
#include <cstdio>

namespace {

constexpr int defaultLingerSeconds = 60;

int lingerSeconds(const QCoreApplication &app)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Delivers Plimsa's reminders while no Plimsa window is open. "
                       "Started by the session bus and at login; exits when nothing is pending."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption linger(
        QStringLiteral("linger"),
        QStringLiteral("Seconds to stay after the last call once nothing is pending."),
        QStringLiteral("seconds"), QString::number(defaultLingerSeconds));
    parser.addOption(linger);
    parser.process(app);
    bool ok = false;
    const int seconds = parser.value(linger).toInt(&ok);
    if (!ok || seconds < 0) {
        std::fprintf(stderr, "plimsa-reminders: --linger wants a whole number of seconds, not '%s'\n",
                     qPrintable(parser.value(linger)));
        std::exit(2);
    }
    return seconds;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("plimsa-reminders"));
    QCoreApplication::setApplicationVersion(QStringLiteral(PLIMSA_VERSION));
    const int linger = lingerSeconds(app);

    // Pending changes are written before the agent goes, whatever ends it.
    TerminationSignals terminationSignals;
    QObject::connect(&terminationSignals, &TerminationSignals::received, &app,
                     &QCoreApplication::quit);

    const QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "plimsa-reminders: no session bus: %s\n",
                     qPrintable(bus.lastError().message()));
        return 1;
    }
    ReminderAgent agent{std::chrono::seconds(linger)};
    if (!agent.publish(bus)) {
        std::fputs("plimsa-reminders: another agent already delivers this session's reminders.\n",
                   stderr);
        return 0;
    }
    // Loaded only once the name is ours, so that two agents never deliver the same file.
    ReminderDelivery delivery(bus);
    // While there is an account the agent stays, to sync while no window is open.
    AgentSyncOnDemand sync(delivery, AgentSyncOnDemand::standardModulePath(),
                           XdgDirectories::dataHome() + QStringLiteral("/plimsa/sync"));
    agent.serve(delivery.center(), [&] {
        // An account set up in a window since the start is taken up here.
        sync.startIfAccount();
        return delivery.isBusy() || sync.hasAccount();
    });
    agent.serveSync(sync);
    sync.startIfAccount();
    QObject::connect(&agent, &ReminderAgent::finished, &app, &QCoreApplication::quit);
    return app.exec();
}
