// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentNotificationCenter.h>
#include <FixedClock.h>
#include <Instant.h>
#include <LocalNotificationCenter.h>
#include <MethodCallMonitor.h>
#include <PrivateSessionBus.h>
#include <QDBusConnectionInterface>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <RecordingNotificationCenter.h>
#include <ReminderAgent.h>
#include <ReminderAgentProtocol.h>
#include <gtest/gtest.h>
#include <limits>

using namespace std::chrono_literals;

namespace {

class SilentServer final : public NotificationServer {
public:
    void show(const NotificationRequest &, StillWanted, ShowAnswer answer) override { answer(1); }
    void probe(ProbeAnswer answer) override { answer(true, std::nullopt); }
};

// 2026-03-05 19:30:00 UTC.
constexpr double evening = 1772739000.0 - referenceDateUnixSeconds;

NotificationRequest requestFor(const QString &identifier, double time = evening + 0.25)
{
    return {identifier,
            {QStringLiteral("Reminder"), QStringLiteral("Todo: ") + identifier, true},
            {time, false}};
}

QStringList identifiers(const std::vector<NotificationRequest> &requests)
{
    QStringList result;
    for (const NotificationRequest &request : requests)
        result.append(request.identifier);
    return result;
}

// Refuses every call with `error`, the way an agent does once it has let go of
// its name; or, with no error, leaves every call unanswered.
class RefusingAgent : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.plimsa.Reminders1")

public:
    QString error;
    std::function<void()> onFirstRefusal;
    int refused = 0;

public slots:
    Q_SCRIPTABLE void Add(const QString &, const QString &, const QString &, bool, double)
    {
        refuse();
    }
    Q_SCRIPTABLE void RemovePending(const QStringList &) { refuse(); }
    Q_SCRIPTABLE QList<uint> ApplyChanges(const QList<ReminderAgentChange> &)
    {
        refuse();
        return {};
    }

private:
    void refuse()
    {
        if (error.isEmpty())
            setDelayedReply(true);
        else
            sendErrorReply(error, QStringLiteral("refused by the test"));
        if (refused++ == 0 && onFirstRefusal)
            onFirstRefusal();
    }
};

// An agent from before batches: it knows the calls of one change each, and
// hands them to `center`.
class OlderAgent : public QObject {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.plimsa.Reminders1")

public:
    explicit OlderAgent(NotificationCenter &center) : m_center(center) {}

public slots:
    Q_SCRIPTABLE void Add(const QString &identifier, const QString &title, const QString &body,
                          bool defaultSound, double time)
    {
        m_center.add({identifier, {title, body, defaultSound}, {time, false}});
    }
    Q_SCRIPTABLE void RemovePending(const QStringList &identifiers)
    {
        m_center.removePendingRequests(identifiers);
    }
    Q_SCRIPTABLE void RestoreRemoved(const QStringList &identifiers)
    {
        m_center.restoreRemovedRequests(identifiers);
    }
    Q_SCRIPTABLE bool RequestAuthorization(int, QString &) { return true; }

private:
    NotificationCenter &m_center;
};

class ReminderAgentTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start"; }

    // An agent serving on its own connection, delivering through `center`.
    std::unique_ptr<ReminderAgent> startAgent(const QString &connectionName,
                                              std::chrono::milliseconds linger = 1h)
    {
        auto agent = std::make_unique<ReminderAgent>(linger);
        if (!agent->publish(bus.connect(connectionName)))
            return nullptr;
        agent->serve(center, [this] { return busy; });
        return agent;
    }

    std::unique_ptr<AgentNotificationCenter> makeClient()
    {
        return std::make_unique<AgentNotificationCenter>(
            bus.connect(QStringLiteral("app")), [this] {
                auto local = std::make_unique<RecordingNotificationCenter>();
                localCenter = local.get();
                return local;
            });
    }

    // Calls are answered in order: once a last one is answered, all are. A
    // client must not end with calls out, or its wait would stall this thread.
    static bool settled(AgentNotificationCenter &client)
    {
        bool answered = false;
        client.requestAuthorization(0, [&](bool, std::optional<QString>) { answered = true; });
        return QTest::qWaitFor([&] { return answered; });
    }

    bool nameOwned()
    {
        return bus.connect(QStringLiteral("observer"))
            .interface()
            ->isServiceRegistered(reminderAgent::service)
            .value();
    }

    PrivateSessionBus bus;
    QTemporaryDir directory;
    SilentServer server;
    FixedClock clock{evening - 600};
    LocalNotificationCenter center{
        PendingRequestsFile(directory.filePath(QStringLiteral("p.json"))), server, clock,
        [] { return LocalCalendar("UTC"); }};
    bool busy = false;
    RecordingNotificationCenter *localCenter = nullptr;
};

} // namespace

TEST_F(ReminderAgentTest, CallsReachTheAgentInTheOrderTheyWereMade)
{
    auto agent = startAgent(QStringLiteral("agent"));
    ASSERT_TRUE(agent);
    auto client = makeClient();

    std::optional<bool> granted;
    client->requestAuthorization(6, [&](bool answer, std::optional<QString> error) {
        granted = answer;
        EXPECT_FALSE(error);
    });
    client->add(requestFor(QStringLiteral("A")));
    client->add(requestFor(QStringLiteral("B")));
    client->removePendingRequests({QStringLiteral("A")});
    client->add(requestFor(QStringLiteral("A")));
    client->removePendingRequests({QStringLiteral("B"), QStringLiteral("C")});
    client->add(requestFor(QStringLiteral("C")));
    client->restoreRemovedRequests({QStringLiteral("B")});
    ASSERT_TRUE(settled(*client));
    EXPECT_EQ(identifiers(center.pendingRequests()),
              QStringList({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("B")}));
    EXPECT_EQ(center.pendingRequests().front(), requestFor(QStringLiteral("A")))
        << "every field crosses the bus";
    EXPECT_EQ(granted, std::optional<bool>(true));
    EXPECT_FALSE(client->isDeliveringLocally());
    EXPECT_EQ(localCenter, nullptr);
}

TEST_F(ReminderAgentTest, ChangesThePendingFileCannotHoldAreLeftOutAndTheRestTaken)
{
    auto agent = startAgent(QStringLiteral("agent"));
    ASSERT_TRUE(agent);
    ReminderAgentProxy proxy(reminderAgent::service, reminderAgent::path,
                             bus.connect(QStringLiteral("caller")));
    const auto added = [](const QString &identifier, double time) {
        return ReminderAgentChange{QStringLiteral("add"),
                                   identifier,
                                   QStringLiteral("Reminder"),
                                   QStringLiteral("Todo: ") + identifier,
                                   true,
                                   time};
    };
    QDBusPendingReply<QList<uint>> batch = proxy.ApplyChanges({
        added(QStringLiteral("far"), 1e300),
        added(QStringLiteral("A"), evening + 0.25),
        {QStringLiteral("snooze"), QStringLiteral("A"), {}, {}, false, 0},
        added(QStringLiteral("nan"), std::numeric_limits<double>::quiet_NaN()),
        {QStringLiteral("remove"), QStringLiteral("B"), {}, {}, false, 0},
    });
    ASSERT_TRUE(QTest::qWaitFor([&] { return batch.isFinished(); }));
    ASSERT_FALSE(batch.isError()) << qPrintable(batch.error().message());
    EXPECT_EQ(batch.value(), QList<uint>({0, 2, 3})) << "the positions left out";
    EXPECT_EQ(identifiers(center.pendingRequests()), QStringList{QStringLiteral("A")});

    QDBusPendingReply<> single = proxy.Add(QStringLiteral("far"), {}, {}, false, 1e300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return single.isFinished(); }));
    EXPECT_EQ(single.error().name(), reminderAgent::invalidRequestError) << "the older call";

    // The app's side drops what was left out, and sends nothing again.
    MethodCallMonitor calls(bus.address(), QStringLiteral("org.plimsa.Reminders1"));
    ASSERT_TRUE(calls.isReady());
    auto client = makeClient();
    client->add(requestFor(QStringLiteral("bad"), 1e300));
    client->add(requestFor(QStringLiteral("good")));
    ASSERT_TRUE(settled(*client));
    EXPECT_EQ(identifiers(center.pendingRequests()),
              QStringList({QStringLiteral("A"), QStringLiteral("good")}));
    EXPECT_TRUE(QTest::qWaitFor([&] {
        return calls.members() == QStringList({QStringLiteral("ApplyChanges"),
                                               QStringLiteral("RequestAuthorization")});
    })) << qPrintable(calls.members().join(QLatin1Char(' ')));
}

TEST_F(ReminderAgentTest, AnAgentFromBeforeBatchesGetsTheChangesOneCallEach)
{
    OlderAgent older(center);
    QDBusConnection olderConnection = bus.connect(QStringLiteral("older agent"));
    ASSERT_TRUE(olderConnection.registerObject(reminderAgent::path, &older,
                                               QDBusConnection::ExportScriptableSlots));
    ASSERT_TRUE(olderConnection.registerService(reminderAgent::service));
    MethodCallMonitor calls(bus.address(), QStringLiteral("org.plimsa.Reminders1"));
    ASSERT_TRUE(calls.isReady());
    auto client = makeClient();
    client->add(requestFor(QStringLiteral("A")));
    client->add(requestFor(QStringLiteral("B")));
    client->removePendingRequests({QStringLiteral("A")});
    client->restoreRemovedRequests({QStringLiteral("A")});
    client->add(requestFor(QStringLiteral("C")));
    ASSERT_TRUE(settled(*client));
    EXPECT_EQ(identifiers(center.pendingRequests()),
              QStringList({QStringLiteral("B"), QStringLiteral("A"), QStringLiteral("C")}));
    EXPECT_FALSE(client->isDeliveringLocally());

    // Once an agent of today takes the name, batches again.
    bool ownerChanged = false;
    QDBusServiceWatcher watcher(reminderAgent::service, bus.connect(QStringLiteral("app")),
                                QDBusServiceWatcher::WatchForOwnerChange);
    QObject::connect(&watcher, &QDBusServiceWatcher::serviceOwnerChanged,
                     [&](const QString &, const QString &, const QString &owner) {
                         ownerChanged = !owner.isEmpty();
                     });
    ASSERT_TRUE(olderConnection.unregisterService(reminderAgent::service));
    auto agent = startAgent(QStringLiteral("agent"));
    ASSERT_TRUE(agent);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ownerChanged; }));
    client->add(requestFor(QStringLiteral("D")));
    client->removePendingRequests({QStringLiteral("B")});
    ASSERT_TRUE(settled(*client));
    EXPECT_EQ(identifiers(center.pendingRequests()),
              QStringList({QStringLiteral("A"), QStringLiteral("C"), QStringLiteral("D")}));
    const QStringList expected{QStringLiteral("ApplyChanges"),
                               QStringLiteral("Add"),
                               QStringLiteral("Add"),
                               QStringLiteral("RemovePending"),
                               QStringLiteral("RestoreRemoved"),
                               QStringLiteral("Add"),
                               QStringLiteral("RequestAuthorization"),
                               QStringLiteral("ApplyChanges"),
                               QStringLiteral("RequestAuthorization")};
    EXPECT_TRUE(QTest::qWaitFor([&] { return calls.members() == expected; }))
        << qPrintable(calls.members().join(QLatin1Char(' ')));
}

TEST_F(ReminderAgentTest, AChangeThatCannotBeWrittenIsNotAnsweredAsDone)
{
    auto agent = startAgent(QStringLiteral("agent"));
    ASSERT_TRUE(agent);
    // A folder where the pending file should be: it cannot be replaced.
    ASSERT_TRUE(QDir(directory.path()).mkdir(QStringLiteral("p.json")));
    ReminderAgentProxy proxy(reminderAgent::service, reminderAgent::path,
                             bus.connect(QStringLiteral("app")));
    const NotificationRequest a = requestFor(QStringLiteral("A"));
    QDBusPendingReply<> reply = proxy.Add(a.identifier, a.content.title, a.content.body,
                                          a.content.defaultSound, a.trigger.time);
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply.isFinished(); }));
    EXPECT_EQ(reply.error().name(), reminderAgent::notStoredError);

    ASSERT_TRUE(QDir(directory.path()).rmdir(QStringLiteral("p.json")));
    reply = proxy.RemovePending({QStringLiteral("B")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return reply.isFinished(); }));
    EXPECT_FALSE(reply.isError()) << qPrintable(reply.error().message());
    EXPECT_EQ(PendingRequestsFile(directory.filePath(QStringLiteral("p.json")))
                  .read(LocalCalendar("UTC")),
              std::vector<NotificationRequest>{a})
        << "kept, and written once it could be";
}

TEST_F(ReminderAgentTest, AnAgentBesideAnAppThatDeliversItselfHandsItsChangesOver)
{
    // The app, without a session bus, took the pending file's lock first.
    const QString path = directory.filePath(QStringLiteral("q.json"));
    const auto utc = [] { return LocalCalendar("UTC"); };
    LocalNotificationCenter app{PendingRequestsFile(path), server, clock, utc};
    LocalNotificationCenter handingOver{PendingRequestsFile(path), server, clock, utc};
    ReminderAgent agent{1h};
    ASSERT_TRUE(agent.publish(bus.connect(QStringLiteral("agent"))));
    agent.serve(handingOver, [] { return false; });
    auto client = makeClient();
    client->add(requestFor(QStringLiteral("A")));
    client->add(requestFor(QStringLiteral("B")));
    client->removePendingRequests({QStringLiteral("A")});
    ASSERT_TRUE(settled(*client));
    EXPECT_FALSE(handingOver.isDelivering());
    const std::vector<NotificationRequest> expected{requestFor(QStringLiteral("B"))};
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return PendingRequestsFile(path).read(LocalCalendar("UTC")) == expected;
    })) << "written by the app, with the agent's changes in order";
    EXPECT_EQ(app.pendingRequests(), expected);
}

TEST_F(ReminderAgentTest, OnlyOneAgentOwnsTheName)
{
    auto first = startAgent(QStringLiteral("agent"));
    ASSERT_TRUE(first);
    EXPECT_FALSE(startAgent(QStringLiteral("second agent")));
}

TEST_F(ReminderAgentTest, TheAgentExitsOnlyWhenNothingIsPendingAndNothingIsShowing)
{
    auto agent = startAgent(QStringLiteral("agent"), 50ms);
    ASSERT_TRUE(agent);
    bool finished = false;
    QObject::connect(agent.get(), &ReminderAgent::finished, [&] { finished = true; });
    auto client = makeClient();
    client->add(requestFor(QStringLiteral("A")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !center.pendingRequests().empty(); }));
    busy = true;
    EXPECT_FALSE(QTest::qWaitFor([&] { return finished; }, 300)) << "A is pending";

    client->removePendingRequests({QStringLiteral("A")});
    ASSERT_TRUE(QTest::qWaitFor([&] { return center.pendingRequests().empty(); }));
    EXPECT_FALSE(QTest::qWaitFor([&] { return finished; }, 300))
        << "a shown reminder may still be clicked";

    ASSERT_TRUE(settled(*client));
    busy = false;
    ASSERT_TRUE(QTest::qWaitFor([&] { return finished; }));
    EXPECT_FALSE(nameOwned()) << "the name is free for the next agent";
}

TEST_F(ReminderAgentTest, CallsAnAgentDidNotKeepGoInOrderToTheNextOne)
{
    const struct {
        const char *what;
        QString error; // none: it vanishes with the calls unanswered
    } cases[] = {
        {"an exiting agent refuses them", reminderAgent::exitingError},
        {"the agent dies with the calls queued", QString()},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RefusingAgent refusing;
        refusing.error = c.error;
        const QString connectionName = QStringLiteral("refusing agent ") + QLatin1String(c.what);
        QDBusConnection refusingConnection = bus.connect(connectionName);
        ASSERT_TRUE(refusingConnection.registerObject(reminderAgent::path, &refusing,
                                                      QDBusConnection::ExportScriptableSlots));
        ASSERT_TRUE(refusingConnection.registerService(reminderAgent::service));
        std::unique_ptr<ReminderAgent> next;
        const QString nextName = QStringLiteral("next agent ") + QLatin1String(c.what);
        refusing.onFirstRefusal = [&] {
            QTimer::singleShot(0, [&] {
                if (c.error.isEmpty()) {
                    refusingConnection = QDBusConnection(QString());
                    QDBusConnection::disconnectFromBus(connectionName);
                } else {
                    refusingConnection.interface()->unregisterService(reminderAgent::service);
                }
                next = startAgent(nextName);
            });
        };

        auto client = makeClient();
        bool reached = false;
        QObject::connect(client.get(), &AgentNotificationCenter::agentReached,
                         [&] { reached = true; });
        client->add(requestFor(QStringLiteral("A")));
        client->add(requestFor(QStringLiteral("B")));
        client->removePendingRequests({QStringLiteral("B")});
        client->add(requestFor(QStringLiteral("C")));
        ASSERT_TRUE(settled(*client));
        EXPECT_EQ(identifiers(center.pendingRequests()),
                  QStringList({QStringLiteral("A"), QStringLiteral("C")}));
        EXPECT_GE(refusing.refused, 1);
        EXPECT_TRUE(reached);
        EXPECT_FALSE(client->isDeliveringLocally());
        client.reset();
        next.reset();
        QDBusConnection::disconnectFromBus(nextName);
        center.removePendingRequests({QStringLiteral("A"), QStringLiteral("C")});
    }
}

TEST_F(ReminderAgentTest, ACallNoAgentTakesIsGivenUpAndReachesNoAgent)
{
    const struct {
        const char *what;
        QString error;
        int tries;
    } cases[] = {
        {"no answer, again and again: given up after five tries",
         QStringLiteral("org.freedesktop.DBus.Error.NoReply"), 5},
        {"an error that no try mends: given up at once",
         QStringLiteral("org.freedesktop.DBus.Error.AccessDenied"), 1},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        RefusingAgent refusing;
        refusing.error = c.error;
        const QString connectionName = QStringLiteral("refusing agent ") + QLatin1String(c.what);
        QDBusConnection refusingConnection = bus.connect(connectionName);
        ASSERT_TRUE(refusingConnection.registerObject(reminderAgent::path, &refusing,
                                                      QDBusConnection::ExportScriptableSlots));
        ASSERT_TRUE(refusingConnection.registerService(reminderAgent::service));
        auto client = makeClient();
        bool reached = false;
        QObject::connect(client.get(), &AgentNotificationCenter::agentReached,
                         [&] { reached = true; });
        client->add(requestFor(QStringLiteral("A")));
        client->removePendingRequests({QStringLiteral("A")});
        ASSERT_TRUE(settled(*client));
        EXPECT_EQ(refusing.refused, c.tries) << "the batch, tried again";
        EXPECT_FALSE(reached) << "a refused call is no agent reached (no login entry)";
        EXPECT_FALSE(client->isDeliveringLocally());
        refusingConnection.unregisterService(reminderAgent::service);
        QDBusConnection::disconnectFromBus(connectionName);
    }
}

TEST_F(ReminderAgentTest, WithoutAnAgentTheAppDeliversItselfAndHoldsTheName)
{
    auto client = makeClient();
    client->add(requestFor(QStringLiteral("A")));
    client->removePendingRequests({QStringLiteral("A")});
    client->add(requestFor(QStringLiteral("B")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->isDeliveringLocally(); }));
    ASSERT_NE(localCenter, nullptr);
    EXPECT_EQ(localCenter->calls,
              QStringList({QStringLiteral("add"), QStringLiteral("removePendingRequests"),
                           QStringLiteral("add")}));
    EXPECT_TRUE(nameOwned()) << "no agent can start beside the app";
    EXPECT_FALSE(startAgent(QStringLiteral("late agent")));

    client->add(requestFor(QStringLiteral("C")));
    EXPECT_EQ(localCenter->added.size(), 3u) << "later calls go straight to the app's own service";
}

TEST_F(ReminderAgentTest, WithoutASessionBusTheAppDeliversItself)
{
    auto client = std::make_unique<AgentNotificationCenter>(
        QDBusConnection::connectToBus(QStringLiteral("unix:path=/nonexistent"),
                                      QStringLiteral("no bus")),
        [this] {
            auto local = std::make_unique<RecordingNotificationCenter>();
            localCenter = local.get();
            return local;
        });
    EXPECT_TRUE(client->isDeliveringLocally());
    client->add(requestFor(QStringLiteral("A")));
    ASSERT_NE(localCenter, nullptr);
    EXPECT_EQ(localCenter->added.size(), 1u);
}

#include "ReminderAgentTest.moc"
