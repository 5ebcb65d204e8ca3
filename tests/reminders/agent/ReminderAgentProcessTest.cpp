// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentNotificationCenter.h>
#include <Clock.h>
#include <FakeNotificationsServer.h>
#include <FilePlacementCounter.h>
#include <LocalCalendar.h>
#include <MethodCallMonitor.h>
#include <PendingRequestsFile.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QTest>
#include <ReminderAgentProtocol.h>
#include <algorithm>
#include <cmath>
#include <csignal>
#include <gtest/gtest.h>
#include <iterator>

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

    QString pendingFolder() const { return home.dataHome() + QStringLiteral("/plimsa"); }

    std::vector<NotificationRequest> pendingOnDisk() const
    {
        return PendingRequestsFile(pendingFolder() + QStringLiteral("/pending-notifications.json"))
            .read(LocalCalendar("UTC"))
            .value_or(std::vector<NotificationRequest>{});
    }

    // What the agents and the app take for now.
    double fakeNow() const { return SystemClock().now() + clockOffset; }

    static constexpr double leadSeconds = 8;
    // The first whole minute at least a minute away, in UTC.
    const double minuteStart = [] {
        const double now = SystemClock().now();
        const LocalCalendar utc("UTC");
        const DateComponents current = utc.components(now);
        return *utc.instant(current.year, current.month, current.day, current.hour, current.minute,
                            0) +
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

std::vector<NotificationRequest> numbered(int count, double time)
{
    std::vector<NotificationRequest> requests;
    for (int i = 0; i < count; ++i)
        requests.push_back(requestAt(QString::number(i), time));
    return requests;
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
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return notifications.received.size() >= 2; }, untilDue + 5000));
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
    const struct {
        const char *what;
        int adds;
    } cases[] = {
        {"an add and a withdrawal", 1},
        {"10,000 adds and a withdrawal", 10000},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        AgentNotificationCenter app(bus.connect(QLatin1String(c.what)), [] { return nullptr; });
        app.add(requestAt(QStringLiteral("A"), later));
        app.finishCalls();
        const uint stopped = agentPid();
        ASSERT_NE(stopped, 0u);
        ::kill(static_cast<pid_t>(stopped), SIGSTOP);
        const std::vector<NotificationRequest> added = numbered(c.adds, later);
        for (const NotificationRequest &request : added)
            app.add(request);
        app.removePendingRequests({QStringLiteral("A")});
        // Time for the calls to reach the stopped agent's queue on the bus.
        QTest::qWait(300);
        ::kill(static_cast<pid_t>(stopped), SIGKILL);
        app.finishCalls();
        EXPECT_NE(agentPid(), stopped) << "the next agent took them";
        const std::vector<NotificationRequest> onDisk = pendingOnDisk();
        EXPECT_EQ(onDisk.size(), added.size());
        EXPECT_TRUE(onDisk == added) << "none lost, and A withdrawn";

        if (const uint next = agentPid())
            ::kill(static_cast<pid_t>(next), SIGKILL);
        ASSERT_TRUE(QTest::qWaitFor([&] { return agentPid() == 0; }));
        QFile::remove(pendingFolder() + QStringLiteral("/pending-notifications.json"));
    }
}

TEST_F(ReminderAgentProcessTest, TenThousandRemindersInOneTurnAreAFewCallsAndAFewWrites)
{
    ASSERT_TRUE(QDir().mkpath(pendingFolder()));
    AgentNotificationCenter app(bus.connect(QStringLiteral("app")), [] { return nullptr; });
    // The agent runs before the counting starts.
    app.removePendingRequests({QStringLiteral("none")});
    app.finishCalls();
    MethodCallMonitor calls(bus.address(), QStringLiteral("org.plimsa.Reminders1"));
    ASSERT_TRUE(calls.isReady());
    FilePlacementCounter writes(pendingFolder(), "pending-notifications.json");
    ASSERT_TRUE(writes.isWatching());

    const std::vector<NotificationRequest> reminders = numbered(10000, minuteStart + 3600);
    for (const NotificationRequest &request : reminders)
        app.add(request);
    app.finishCalls();
    // Routed after every call of the app: once the monitor has it, it has them all.
    const QDBusMessage marker =
        observer.call(QDBusMessage::createMethodCall(reminderAgent::service, reminderAgent::path,
                                                     QStringLiteral("org.plimsa.Reminders1"),
                                                     QStringLiteral("RemovePending"))
                      << QStringList());
    ASSERT_NE(marker.type(), QDBusMessage::ErrorMessage) << qPrintable(marker.errorMessage());
    QStringList members;
    ASSERT_TRUE(QTest::qWaitFor([&] {
        members = calls.members();
        return !members.isEmpty() && members.back() == QLatin1String("RemovePending");
    }));
    members.removeLast();
    EXPECT_GE(members.size(), 1);
    EXPECT_LE(members.size(), 2) << "calls: " << members.size() << ", the first "
                                 << qPrintable(members.value(0));
    const int written = writes.count();
    EXPECT_GE(written, 1);
    EXPECT_LE(written, 2) << "writes of the pending file";
    const std::vector<NotificationRequest> onDisk = pendingOnDisk();
    EXPECT_EQ(onDisk.size(), reminders.size());
    EXPECT_TRUE(onDisk == reminders);
}

TEST_F(ReminderAgentProcessTest, ChangesToOneReminderInOneTurnEndAsTheLastOneSays)
{
    enum class Step { add, withdraw, restore };
    const struct {
        const char *what;
        std::vector<Step> steps;
        int ends; // the version pending at the end, -1 for none
    } cases[] = {
        {"added again, then withdrawn: gone", {Step::add, Step::withdraw}, -1},
        {"withdrawn, then added again: the new one", {Step::withdraw, Step::add}, 1},
        {"withdrawn and restored: as it was", {Step::withdraw, Step::restore}, 0},
        {"replaced, withdrawn and restored: the replacement",
         {Step::add, Step::withdraw, Step::restore},
         1},
        {"withdrawn, restored, withdrawn: gone",
         {Step::withdraw, Step::restore, Step::withdraw},
         -1},
        {"replaced twice: the last", {Step::add, Step::add}, 2},
    };
    AgentNotificationCenter app(bus.connect(QStringLiteral("app")), [] { return nullptr; });
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const QString identifier = QLatin1String(c.what);
        const auto version = [&](int number) {
            return requestAt(identifier, minuteStart + 3600 + 60 * number);
        };
        app.add(version(0));
        app.finishCalls();
        int added = 0;
        for (const Step step : c.steps) {
            if (step == Step::add)
                app.add(version(++added));
            else if (step == Step::withdraw)
                app.removePendingRequests({identifier});
            else
                app.restoreRemovedRequests({identifier});
        }
        app.finishCalls();
        std::vector<NotificationRequest> pending;
        std::ranges::copy_if(pendingOnDisk(), std::back_inserter(pending),
                             [&](const auto &request) { return request.identifier == identifier; });
        EXPECT_EQ(pending,
                  c.ends < 0 ? std::vector<NotificationRequest>{} : std::vector{version(c.ends)});
    }
}
