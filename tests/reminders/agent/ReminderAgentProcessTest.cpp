// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentNotificationCenter.h>
#include <Clock.h>
#include <FakeNotificationsServer.h>
#include <LocalCalendar.h>
#include <PrivateHome.h>
#include <PrivateSessionBus.h>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <ReminderAgentProtocol.h>
#include <QTest>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// The real plimsa-reminders, started by the private bus from a service file,
// with a real Plimsa beside it.
class ReminderAgentProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start";
        ASSERT_TRUE(home.isReady());
        // What a desktop session hands to the services it activates; the
        // minute below is reckoned in UTC.
        sessionEnvironment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        QMap<QString, QString> environment;
        for (const QString &key : sessionEnvironment.keys())
            environment.insert(key, sessionEnvironment.value(key));
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

    std::unique_ptr<QProcess> startPlimsa()
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(home.processEnvironment(bus.address()));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(PLIMSA_BINARY), {});
        return process;
    }

    // The pid of the running Plimsa, once it owns the session.
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

    PrivateSessionBus bus{{QStringLiteral(SERVICE_DIRECTORY)}};
    QDBusConnection observer = bus.connect(QStringLiteral("observer"));
    PrivateHome home;
    QProcessEnvironment sessionEnvironment = home.sessionEnvironment(bus.address());
    FakeNotificationsServer notifications{{QStringLiteral("body"), QStringLiteral("actions")}};
};

NotificationRequest requestAt(const QString &identifier, DateComponents at)
{
    return {identifier,
            {QStringLiteral("Reminder"), QStringLiteral("Todo: ") + identifier, true},
            {at, false}};
}

} // namespace

TEST_F(ReminderAgentProcessTest, DeliversWithTheWindowClosedOnceEachAndAClickOpensTheWindow)
{
    // A minute far enough ahead for everything before it to happen first.
    const double now = SystemClock().now();
    const LocalCalendar utc("UTC");
    const DateComponents current = utc.components(now);
    const double currentMinute =
        *utc.instant(current.year, current.month, current.day, current.hour, current.minute, 0);
    const double minuteStart = currentMinute + (now - currentMinute < 40 ? 60 : 120);
    const DateComponents at = utc.components(minuteStart);

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
    auto plimsa = startPlimsa();
    ASSERT_NE(plimsaPid(), 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return agentPid() != 0; }));
    EXPECT_NE(agentPid(), firstAgent);

    const int untilDue = static_cast<int>((minuteStart - SystemClock().now()) * 1000);
    ASSERT_TRUE(QTest::qWaitFor([&] { return notifications.received.size() >= 2; }, untilDue + 5000));
    EXPECT_GE(SystemClock().now(), minuteStart) << "not before the minute";
    EXPECT_FALSE(QTest::qWaitFor([&] { return notifications.received.size() > 2; }, 2000))
        << "one deliverer, with the app running too";
    QStringList bodies;
    for (const auto &notification : notifications.received)
        bodies.append(notification.body);
    bodies.sort();
    EXPECT_EQ(bodies, QStringList({QStringLiteral("Todo: A"), QStringLiteral("Todo: C")}));

    // With the window closed, a click on the reminder opens it again.
    ::kill(static_cast<pid_t>(plimsa->processId()), SIGTERM);
    ASSERT_TRUE(plimsa->waitForFinished(10000));
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
