// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The real reminder agent syncing with no window open, against Radicale, with
// its password in gnome-keyring on a bus of the test's own, python3-caldav as
// another device, and the real Plimsa window taking sync over from it.

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"
#include "TestKeyring.h"

#include <CalDavClient.h>
#include <FilePreferences.h>
#include <PasswordStore.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <ReminderAgentProtocol.h>
#include <SyncAccount.h>
#include <TodoJson.h>
#include <TodoListStore.h>

#include <QDBusConnectionInterface>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <set>

namespace {

constexpr int waitMs = 60000;

// One bus and keyring for the whole program: Qt's own connection to the
// session bus, which the keyring's client uses, ends the process when its bus
// goes.
class SessionEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        bus = new PrivateSessionBus;
        qputenv("DBUS_SESSION_BUS_ADDRESS", bus->address().toUtf8());
        keyring = new TestKeyring(*bus);
    }
    void TearDown() override
    {
        delete std::exchange(keyring, nullptr);
        delete std::exchange(bus, nullptr);
    }

    static inline PrivateSessionBus *bus = nullptr;
    static inline TestKeyring *keyring = nullptr;
};

[[maybe_unused]] const auto *const environment =
    ::testing::AddGlobalTestEnvironment(new SessionEnvironment);

class AgentSyncProcessTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus->isRunning());
        ASSERT_TRUE(keyring->isRunning());
        ASSERT_TRUE(radicale.start()) << radicale.log().toStdString();
        ASSERT_TRUE(home.isReady());
        server =
            std::make_unique<CalDavClient>(radicale.url(), radicale.user(), radicale.password());
        const ServerResult<QUrl> found = usePlimsaList(*server);
        ASSERT_TRUE(found.ok());
        list = found.value;
        const SyncAccount account{radicale.url(), radicale.user(), list};
        ASSERT_TRUE(writeSyncAccount(home.dataHome() + QStringLiteral("/plimsa/sync"), account));
        PasswordStore passwords;
        ASSERT_TRUE(awaitAnswer<bool>(
            [&](auto done) { passwords.store(account.passwordKey(), radicale.password(), done); }));
    }

    void TearDown() override
    {
        if (agent.state() != QProcess::NotRunning) {
            agent.kill();
            agent.waitForFinished();
        }
    }

    void startAgent()
    {
        agent.setProcessEnvironment(home.processEnvironment(bus->address()));
        agent.start(QStringLiteral(PLIMSA_AGENT_BINARY));
        ASSERT_TRUE(QTest::qWaitFor(
            [&] { return observer.interface()->isServiceRegistered(reminderAgent::service); },
            10000));
    }

    void askAgentToSync()
    {
        const QDBusMessage reply = observer.call(
            QDBusMessage::createMethodCall(reminderAgent::service, reminderAgent::path,
                                           reminderAgent::interface, QStringLiteral("SyncNow")));
        ASSERT_EQ(reply.type(), QDBusMessage::ReplyMessage) << qPrintable(reply.errorMessage());
    }

    bool otherClient(const QStringList &arguments)
    {
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     QStringList{QStringLiteral(PLIMSA_OTHER_CALDAV_CLIENT),
                                 radicale.url().toString(), radicale.user(), radicale.password(),
                                 list.toString()} +
                         arguments);
        const bool done = python.waitForFinished(60000) && python.exitCode() == 0;
        if (!done)
            ADD_FAILURE() << python.readAllStandardError().toStdString();
        return done;
    }

    std::vector<TodoItem> stored()
    {
        FilePreferences preferences{home.storeDirectory()};
        return readTodoList(preferences).value_or(std::vector<TodoItem>{});
    }

    QByteArray pending()
    {
        QFile file(home.dataHome() + QStringLiteral("/plimsa/pending-notifications.json"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    // The UIDs on the server, each as often as it is there.
    std::multiset<QString> onServer()
    {
        const auto listed = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
            [&](auto done) { server->listEtags(done); });
        QStringList hrefs;
        for (const ServerObject &object : listed.value)
            hrefs.append(object.href);
        std::multiset<QString> uids;
        if (hrefs.isEmpty())
            return uids;
        const auto fetched = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
            [&](auto done) { server->fetch(hrefs, done); });
        for (const ServerObject &object : fetched.value) {
            const qsizetype at = object.data.indexOf("\nUID:") + 5;
            const qsizetype end = object.data.indexOf('\n', at);
            uids.insert(QString::fromUtf8(object.data.mid(at, end - at).trimmed()));
        }
        return uids;
    }

    std::multiset<QString> inList()
    {
        std::multiset<QString> ids;
        for (const TodoItem &item : stored())
            ids.insert(QString::fromStdString(item.id().uuidString()));
        return ids;
    }

    PrivateSessionBus *bus = SessionEnvironment::bus;
    TestKeyring *keyring = SessionEnvironment::keyring;
    QDBusConnection observer = bus->connect(QStringLiteral("observer"));
    CalDavTestServer radicale{CalDavTestServer::Kind::radicale};
    std::unique_ptr<CalDavClient> server;
    PrivateHome home;
    QUrl list;
    QProcess agent;
};

bool holds(const std::vector<TodoItem> &items, const QString &id)
{
    return std::ranges::any_of(
        items, [&](const TodoItem &item) { return item.id().uuidString() == id.toStdString(); });
}

} // namespace

TEST_F(AgentSyncProcessTest, WithNoWindowAnotherDevicesChangesReachTheListAndTheReminders)
{
    startAgent();
    const QString uid = QStringLiteral("6C1E8A4F-2B7D-4C3A-9E51-0D2F3A4B5C6D");
    struct Step {
        const char *what;
        QStringList change;
        bool kept;
    };
    const std::vector<Step> steps{
        {"added there",
         {QStringLiteral("create"), uid, QStringLiteral("Call Ann"),
          QStringLiteral("20991231T090000Z")},
         true},
        {"removed there", {QStringLiteral("delete"), uid}, false},
    };
    for (const Step &step : steps) {
        ASSERT_TRUE(otherClient(step.change)) << step.what;
        askAgentToSync();
        EXPECT_TRUE(QTest::qWaitFor([&] { return holds(stored(), uid) == step.kept; }, waitMs))
            << step.what << agent.readAllStandardError().toStdString();
        EXPECT_TRUE(
            QTest::qWaitFor([&] { return pending().contains(uid.toUtf8()) == step.kept; }, waitMs))
            << step.what << ": its reminder follows";
    }
    EXPECT_TRUE(observer.interface()->isServiceRegistered(reminderAgent::service))
        << "with an account the agent stays, to sync";
}

// How the window opening meets the agent's sync: while it syncs, after a kill
// of the agent mid-sync, the window killed mid-sync and the agent asked, or
// the window closed while the agent syncs and does not answer.
enum class Interleaving {
    windowOpensWhileAgentSyncs,
    agentKilledThenWindow,
    windowKilledThenAgent,
    windowClosedWhileAgentHangs
};

class TakeOverTest : public AgentSyncProcessTest,
                     public ::testing::WithParamInterface<Interleaving> {};

TEST_P(TakeOverTest, NoChangeIsLostOrDoubled)
{
    // A long first sync: 150 to-dos made here go up one request each, and one
    // from another device comes down.
    std::vector<TodoItem> local;
    for (int n = 0; n < 150; ++n)
        local.emplace_back("Here " + std::to_string(n), 4102444800.0 + n, TodoPriority::low);
    FilePreferences preferences{home.storeDirectory()};
    ASSERT_TRUE(writeTodoList(preferences, local));
    const QString remote = QStringLiteral("0A6F3C2E-7D41-4B8A-9C25-E13F4A5B6C7D");
    ASSERT_TRUE(otherClient({QStringLiteral("create"), remote, QStringLiteral("From the phone"),
                             QStringLiteral("20991231T090000Z")}));
    const std::size_t expected = local.size() + 1;

    startAgent();
    PlimsaProcess window(home, bus->address());
    const auto someWentUp = [&] {
        return QTest::qWaitFor([&] { return onServer().size() > 1; }, waitMs);
    };
    switch (GetParam()) {
    case Interleaving::windowOpensWhileAgentSyncs:
        askAgentToSync();
        ASSERT_TRUE(someWentUp());
        ASSERT_TRUE(window.start());
        break;
    case Interleaving::agentKilledThenWindow:
        askAgentToSync();
        ASSERT_TRUE(someWentUp());
        agent.kill();
        agent.waitForFinished();
        ASSERT_TRUE(window.start());
        break;
    case Interleaving::windowKilledThenAgent:
        ASSERT_TRUE(window.start());
        ASSERT_TRUE(someWentUp());
        window.signal(SIGKILL);
        window.process().waitForFinished();
        askAgentToSync();
        break;
    case Interleaving::windowClosedWhileAgentHangs:
        askAgentToSync();
        ASSERT_TRUE(someWentUp());
        ::kill(pid_t(agent.processId()), SIGSTOP);
        ASSERT_TRUE(window.start());
        window.signal(SIGTERM);
        // Past the three seconds the window waits for the agent to let go;
        // its reminder calls wait for the agent to answer again.
        QTest::qWait(4500);
        ::kill(pid_t(agent.processId()), SIGCONT);
        EXPECT_TRUE(window.exitsNormally());
        break;
    }
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return onServer().size() >= expected && inList().size() >= expected; }, waitMs))
        << agent.readAllStandardError().toStdString()
        << window.process().readAllStandardError().toStdString();
    if (window.process().state() != QProcess::NotRunning) {
        window.signal(SIGTERM);
        EXPECT_TRUE(window.exitsNormally());
    }
    const std::multiset<QString> there = onServer();
    EXPECT_EQ(there.size(), expected);
    EXPECT_EQ(std::set<QString>(there.begin(), there.end()).size(), there.size())
        << "nothing doubled on the server";
    EXPECT_EQ(inList(), there) << "the list holds what the server holds, once each";
    EXPECT_TRUE(there.contains(remote));
}

INSTANTIATE_TEST_SUITE_P(Interleavings, TakeOverTest,
                         ::testing::Values(Interleaving::windowOpensWhileAgentSyncs,
                                           Interleaving::agentKilledThenWindow,
                                           Interleaving::windowKilledThenAgent,
                                           Interleaving::windowClosedWhileAgentHangs));
