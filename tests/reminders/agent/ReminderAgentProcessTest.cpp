// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentNotificationCenter.h>
#include <Clock.h>
#include <FakeNotificationsServer.h>
#include <LocalCalendar.h>
#include <PendingRequestsFile.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <ReminderAgentProtocol.h>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The real plimsa-reminders, started by the private bus from a service file,
// with a real Plimsa beside it. Both run on a clock (libfaketime) a little
// before a whole minute, so that reminders for that minute come within seconds.
class ReminderAgentProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start";
        ASSERT_TRUE(home.isReady());
        const double now = SystemClock().now();
        const double offset = std::ceil((minuteStart - leadSeconds - now));
        ASSERT_GT(offset, 0);
        clockOffset = offset;
        // What a desktop session hands to the services it activates; the
        // minute is reckoned in UTC.
        QProcessEnvironment session;
        session.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        session.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKETIME_LIBRARY));
        session.insert(QStringLiteral("FAKETIME"), QStringLiteral("+%1").arg(offset));
        session.insert(QStringLiteral("DONT_FAKE_MONOTONIC"), QStringLiteral("1"));
        plimsaEnvironment = session;
        session.insert(home.sessionEnvironment(bus.address()));
        QMap<QString, QString> environment;
        for (const QString &key : session.keys())
            environment.insert(key, session.value(key));
        auto update = QDBusMessage::createMethodCall(
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
            QStringLiteral("org.freedesktop.DBus"), QStringLiteral("UpdateActivationEnvironment"));
        qDBusRegisterMetaType<QMap<QString, QString>>();
        update << QVariant::fromValue(environment);
        const QDBusMessage reply = observer.call(update);
        ASSERT_NE(reply.type(), QDBusMessage::ErrorMessage) << qPrintable(reply.errorMessage());
        ASSERT_TRUE(notifications.publish(bus.connect(QStringLiteral("notification server"))));
    }

    void TearDown() override
    {
        if (const uint pid = agentPid())
            ::kill(static_cast<pid_t>(pid), SIGKILL);
    }

    uint agentPid() { return observer.interface()->servicePid(reminderAgent::service).value(); }

    // The pid of the running Plimsa (also one the agent started), once it owns the session.
    qint64 plimsaPid()
    {
        qint64 pid = 0;
        const bool running = QTest::qWaitFor(
            [&] {
                QString host, application;
                return QFileInfo::exists(home.instanceSocket()) &&
                       QLockFile(home.runtimeDirectory() + QStringLiteral("/plimsa.lock"))
                           .getLockInfo(&pid, &host, &application);
            },
            10000);
        return running ? pid : 0;
    }

    // What the agents and the app take for now.
    double fakeNow() const { return SystemClock().now() + clockOffset; }

    static constexpr double leadSeconds = 8;
    // The first whole minute at least a minute away, in UTC.
    const double minuteStart = [] {
        const double now = SystemClock().now();
        const LocalCalendar utc("UTC");
        const DateComponents current = utc.components(now);
        return *utc.instant(current.year, current.month, current.day, current.hour,
                            current.minute, 0) +
               120;
    }();
    double clockOffset = 0;
    PrivateSessionBus bus{{QStringLiteral(SERVICE_DIRECTORY)}};
    QDBusConnection observer = bus.connect(QStringLiteral("observer"));
    PrivateHome home;
    QProcessEnvironment plimsaEnvironment;
    FakeNotificationsServer notifications{{QStringLiteral("body"), QStringLiteral("actions")}};
};

// False once the process has ended, also while it waits to be reaped.
bool processRuns(uint pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray fields = stat.readAll();
    return fields.mid(fields.lastIndexOf(')') + 2, 1) != "Z";
}

NotificationRequest requestAt(const QString &identifier, double time)
{
    return {identifier,
            {QStringLiteral("Reminder"), QStringLiteral("Todo: ") + identifier, true},
            {time, false}};
}

} // namespace

TEST_F(ReminderAgentProcessTest, DeliversWithTheWindowClosedOnceEachAndAClickOpensTheWindow)
{
    const double at = minuteStart;

    {
        // The app's side: the bus starts the agent on the first call.
        bool deliveredLocally = false;
        AgentNotificationCenter app(bus.connect(QStringLiteral("app")), [&] {
            deliveredLocally = true;
            return nullptr;
        });
        app.add(requestAt(QStringLiteral("A"), at));
        app.add(requestAt(QStringLiteral("B"), at));
        app.add(requestAt(QStringLiteral("C"), at));
        app.removePendingRequests({QStringLiteral("B")});
        app.finishCalls();
        EXPECT_FALSE(deliveredLocally);
    }
    const uint firstAgent = agentPid();
    ASSERT_NE(firstAgent, 0u) << "the service file starts the agent";

    // Killed outright, the agent still has A and C on disk.
    ::kill(static_cast<pid_t>(firstAgent), SIGKILL);
    ASSERT_TRUE(QTest::qWaitFor([&] { return agentPid() == 0; }));

    // Plimsa's first call (its permission request) starts the next agent.
    PlimsaProcess plimsa(home, bus.address(), plimsaEnvironment);
    ASSERT_TRUE(plimsa.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return agentPid() != 0; }));
    EXPECT_NE(agentPid(), firstAgent);

    const int untilDue = static_cast<int>((minuteStart - fakeNow()) * 1000);
    ASSERT_GT(untilDue, 0) << "everything before the minute took too long";
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifications.received.size() >= 2; }, untilDue + 5000));
    EXPECT_GE(fakeNow(), minuteStart - 0.5) << "not before the minute";
    EXPECT_FALSE(QTest::qWaitFor([&] { return notifications.received.size() > 2; }, 2000))
        << "one deliverer, with the app running too";
    QStringList bodies;
    for (const auto &notification : notifications.received)
        bodies.append(notification.body);
    bodies.sort();
    EXPECT_EQ(bodies, QStringList({QStringLiteral("Todo: A"), QStringLiteral("Todo: C")}));

    // With the window closed, a click on the reminder opens it again.
    plimsa.signal(SIGTERM);
    ASSERT_TRUE(plimsa.exitsNormally());
    notifications.click(1);
    const qint64 opened = plimsaPid();
    ASSERT_NE(opened, 0) << "the click started Plimsa";
    ::kill(static_cast<pid_t>(opened), SIGTERM);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !QFileInfo::exists(home.instanceSocket()); }));

    // Nothing pending and nothing left to click: the agent leaves by itself.
    EXPECT_NE(agentPid(), 0u) << "the other reminder may still be clicked";
    notifications.close(2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return agentPid() == 0; }, 10000));
}

TEST_F(ReminderAgentProcessTest, TheAgentLeavesWithItsSessionAndKeepsWhatIsPending)
{
    {
        AgentNotificationCenter app(bus.connect(QStringLiteral("app")), [] { return nullptr; });
        app.add(requestAt(QStringLiteral("A"), minuteStart + 3600));
        app.finishCalls();
    }
    const uint agent = agentPid();
    ASSERT_NE(agent, 0u);
    bus.stop();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !processRuns(agent); }, 10000))
        << "an agent outliving its session";
    const auto pending =
        PendingRequestsFile(home.dataHome() + QStringLiteral("/plimsa/pending-notifications.json"))
            .read(LocalCalendar("UTC"));
    ASSERT_TRUE(pending);
    EXPECT_EQ(*pending, std::vector{requestAt(QStringLiteral("A"), minuteStart + 3600)});
}

TEST_F(ReminderAgentProcessTest, CallsQueuedAtAStoppedAgentReachTheNextOneWhenItIsKilled)
{
    const double later = minuteStart + 3600;
    AgentNotificationCenter app(bus.connect(QStringLiteral("app")), [] { return nullptr; });
    app.add(requestAt(QStringLiteral("A"), later));
    app.finishCalls();
    const uint stopped = agentPid();
    ASSERT_NE(stopped, 0u);
    ::kill(static_cast<pid_t>(stopped), SIGSTOP);
    app.add(requestAt(QStringLiteral("B"), later));
    app.removePendingRequests({QStringLiteral("A")});
    // Time for the calls to reach the stopped agent's queue on the bus.
    QTest::qWait(300);
    ::kill(static_cast<pid_t>(stopped), SIGKILL);
    app.finishCalls();
    EXPECT_NE(agentPid(), stopped) << "the next agent took them";
    const auto pending =
        PendingRequestsFile(home.dataHome() + QStringLiteral("/plimsa/pending-notifications.json"))
            .read(LocalCalendar("UTC"));
    ASSERT_TRUE(pending);
    EXPECT_EQ(*pending, std::vector{requestAt(QStringLiteral("B"), later)})
        << "B not lost, and A withdrawn";
}
