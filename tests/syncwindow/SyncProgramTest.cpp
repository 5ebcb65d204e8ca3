// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The program as users start it: sync loads only with an account, then finds
// its password in the Secret Service and sends the list to the server.

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"
#include "TestKeyring.h"

#include <CalDavClient.h>
#include <FilePreferences.h>
#include <PasswordStore.h>
#include <PlimsaProcess.h>
#include <SyncAccount.h>
#include <TodoJson.h>
#include <TodoListStore.h>
#include <VTodoMapping.h>

#include <QDirIterator>
#include <QEventLoop>
#include <QFile>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <csignal>

namespace {

QByteArray mappedFiles(pid_t pid)
{
    QFile maps(QStringLiteral("/proc/%1/maps").arg(pid));
    return maps.open(QIODevice::ReadOnly) ? maps.readAll() : QByteArray();
}

std::vector<std::string> namesOnServer(CalDavClient &server)
{
    const auto listed =
        awaitAnswer<ServerResult<std::vector<ServerObject>>>([&](auto r) { server.listEtags(r); });
    QStringList hrefs;
    for (const ServerObject &object : listed.value)
        hrefs.append(object.href);
    std::vector<std::string> names;
    if (hrefs.isEmpty())
        return names;
    const auto fetched = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
        [&](auto r) { server.fetch(hrefs, r); });
    for (const ServerObject &object : fetched.value) {
        if (auto todo = readVTodo(object.data.toStdString(), LocalCalendar::current(), 0))
            names.push_back(todo->name);
    }
    return names;
}

bool anyFileHolds(const QString &folder, const QByteArray &text)
{
    QDirIterator files(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.readAll().contains(text))
            return true;
    }
    return false;
}

} // namespace

TEST(SyncProgram, LoadsSyncOnlyWithAnAccountAndSendsTheListWithTheKeptPassword)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    TestKeyring keyring(bus);
    ASSERT_TRUE(keyring.isRunning());
    CalDavTestServer radicale(CalDavTestServer::Kind::radicale);
    ASSERT_TRUE(radicale.start()) << radicale.log().toStdString();
    PrivateHome home;
    ASSERT_TRUE(home.isReady());
    FilePreferences preferences{home.storeDirectory()};
    const TodoItem tea("Tea", 2000000000, TodoPriority::high);
    ASSERT_TRUE(
        preferences.setData(todoListKey, QByteArray::fromStdString(*encodeTodoList({tea}))));

    {
        PlimsaProcess plimsa(home, bus.address());
        ASSERT_TRUE(plimsa.start());
        // Past the first frame, when an account would have loaded it.
        QTest::qWait(1500);
        const QByteArray maps = mappedFiles(plimsa.pid());
        EXPECT_FALSE(maps.contains("plimsa-sync.so")) << "no account, no sync";
        EXPECT_FALSE(maps.contains("libQt6Network"));
        plimsa.signal(SIGTERM);
        EXPECT_TRUE(plimsa.exitsNormally());
    }

    CalDavClient server(radicale.url(), radicale.user(), radicale.password());
    const ServerResult<QUrl> found = usePlimsaList(server);
    ASSERT_TRUE(found.ok());
    const SyncAccount account{radicale.url(), radicale.user(), found.value};
    ASSERT_TRUE(writeSyncAccount(home.dataHome() + QStringLiteral("/plimsa/sync"), account));
    PasswordStore passwords;
    ASSERT_TRUE(awaitAnswer<bool>([&](auto done) {
        passwords.store(account.passwordKey(), radicale.password(), done);
    }));

    PlimsaProcess plimsa(home, bus.address());
    ASSERT_TRUE(plimsa.start());
    EXPECT_TRUE(QTest::qWaitFor([&] { return !namesOnServer(server).empty(); }, 20000))
        << plimsa.process().readAllStandardError().toStdString();
    EXPECT_EQ(namesOnServer(server), std::vector<std::string>{"Tea"});
    EXPECT_TRUE(mappedFiles(plimsa.pid()).contains("plimsa-sync.so"));
    plimsa.signal(SIGTERM);
    EXPECT_TRUE(plimsa.exitsNormally());
    EXPECT_FALSE(anyFileHolds(home.dataHome() + QStringLiteral("/.."), radicale.password().toUtf8()))
        << "the password is in the Secret Service only";

    // An idle window syncs every 5 minutes, on a clock a minute a second.
    QProcessEnvironment fastClock;
    fastClock.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(FAKETIME_LIBRARY));
    fastClock.insert(QStringLiteral("FAKETIME"), QStringLiteral("+0 x60"));
    PlimsaProcess idle(home, bus.address(), fastClock);
    const int before = radicale.requestsSoFar("REPORT");
    ASSERT_TRUE(idle.start());
    ASSERT_TRUE(QTest::qWaitFor([&] { return radicale.requestsSoFar("REPORT") > before; }, 20000));
    const int started = radicale.requestsSoFar("REPORT");
    QTest::qWait(4000);
    EXPECT_LE(radicale.requestsSoFar("REPORT") - started, 1) << "4 idle minutes, 0 syncs";
    idle.signal(SIGTERM);
    EXPECT_TRUE(idle.exitsNormally());
}
