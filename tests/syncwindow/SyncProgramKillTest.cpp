// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The program killed during a first sync of a long list, against both servers
// (one session bus and keyring for both: the test's own connection to the bus
// is made once per process).

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"
#include "ServerListFill.h"
#include "TestKeyring.h"

#include <CalDavClient.h>
#include <FilePreferences.h>
#include <PasswordStore.h>
#include <PlimsaProcess.h>
#include <SyncAccount.h>
#include <TodoListStore.h>

#include <QFile>
#include <QTest>

#include <gtest/gtest.h>

#include <csignal>
#include <set>

namespace {

// The app killed during a first sync of a list long enough to reach the window
// in slices: as it starts syncing, and once its list on disk holds any of it.
// Started again, it holds every to-do once, and the server still holds them.
void killDuringALongFirstSync(const PrivateSessionBus &bus, CalDavTestServer::Kind kind)
{
    CalDavTestServer server(kind);
    ASSERT_TRUE(server.start()) << server.log().toStdString();
    PrivateHome home;
    ASSERT_TRUE(home.isReady());
    CalDavClient client(server.url(), server.user(), server.password());
    const ServerResult<QUrl> found = usePlimsaList(client);
    ASSERT_TRUE(found.ok());
    const std::vector<TodoItem> written = errandsOnServer(server, found.value, 2500);
    ASSERT_EQ(written.size(), 2500u);
    const SyncAccount account{server.url(), server.user(), found.value};
    ASSERT_TRUE(writeSyncAccount(home.dataHome() + QStringLiteral("/plimsa/sync"), account));
    PasswordStore passwords;
    ASSERT_TRUE(awaitAnswer<bool>(
        [&](auto done) { passwords.store(account.passwordKey(), server.password(), done); }));

    FilePreferences preferences{home.storeDirectory()};
    const auto stored = [&] { return readTodoList(preferences).value_or(std::vector<TodoItem>{}); };
    // As it starts syncing (a second in), and once its list on disk holds any.
    const std::function<bool()> killWhen[] = {
        [] {
            QTest::qWait(1000);
            return true;
        },
        [&] { return QTest::qWaitFor([&] { return !stored().empty(); }, 120000); },
    };
    for (const auto &when : killWhen) {
        PlimsaProcess plimsa(home, bus.address());
        ASSERT_TRUE(plimsa.start());
        ASSERT_TRUE(when());
        plimsa.signal(SIGKILL);
        plimsa.process().waitForFinished();
        // What a killed app leaves: the next start is told by a new one.
        QFile::remove(home.instanceSocket());
    }
    PlimsaProcess plimsa(home, bus.address());
    ASSERT_TRUE(plimsa.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return stored().size() >= written.size(); }, 120000));
    // Its sync after the start, whatever it finds, before it is closed.
    QTest::qWait(3000);
    plimsa.signal(SIGTERM);
    EXPECT_TRUE(plimsa.exitsNormally());

    const std::vector<TodoItem> kept = stored();
    std::set<std::string> ids;
    for (const TodoItem &item : kept)
        ids.insert(item.id().uuidString());
    std::set<std::string> wanted;
    for (const TodoItem &item : written)
        wanted.insert(item.id().uuidString());
    EXPECT_EQ(kept.size(), written.size()) << "none twice";
    EXPECT_EQ(ids, wanted);
    const auto listed =
        awaitAnswer<ServerResult<std::vector<ServerObject>>>([&](auto r) { client.listEtags(r); });
    ASSERT_TRUE(listed.ok());
    EXPECT_EQ(listed.value.size(), written.size()) << "none removed or added on the server";
}

} // namespace

TEST(SyncProgramKill, AKillDuringALongFirstSyncLosesAndDuplicatesNothing)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    TestKeyring keyring(bus);
    ASSERT_TRUE(keyring.isRunning());
    for (const auto kind : {CalDavTestServer::Kind::radicale, CalDavTestServer::Kind::xandikos}) {
        SCOPED_TRACE(CalDavTestServer(kind).name().toStdString());
        killDuringALongFirstSync(bus, kind);
    }
}
