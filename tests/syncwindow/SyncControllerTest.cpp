// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"
#include "SetUpSync.h"

#include <CalDavClient.h>
#include <ContentView.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <RecordingNotificationCenter.h>
#include <SyncController.h>
#include <VTodoMapping.h>

#include <QDir>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr double march5 = 794424600; // 2026-03-05 18:30 UTC

class SyncControllerTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()) << server.log().toStdString(); }

    ServerError connect(const QString &password)
    {
        return setUpSync(sync, server.url(), server.user(), password);
    }

    bool syncedAfter(const std::function<void()> &action)
    {
        bool ended = false;
        auto ends = QObject::connect(&sync, &SyncController::stateChanged, [&] {
            ended = ended || (sync.state() != SyncController::State::syncing);
        });
        action();
        // A sync asked for while one runs starts right after it.
        const bool waited = QTest::qWaitFor(
            [&] { return ended && sync.state() != SyncController::State::syncing; }, 30000);
        QObject::disconnect(ends);
        return waited && sync.state() == SyncController::State::synced;
    }

    QStringList summariesOnServer(CalDavClient &other)
    {
        const auto listed = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
            [&](auto r) { other.listEtags(r); });
        QStringList hrefs;
        for (const ServerObject &object : listed.value)
            hrefs.append(object.href);
        QStringList summaries;
        for (const ServerObject &object :
             awaitAnswer<ServerResult<std::vector<ServerObject>>>([&](auto r) {
                 other.fetch(hrefs, r);
             }).value) {
            if (auto todo = readVTodo(object.data.toStdString(), LocalCalendar::current(), march5))
                summaries.append(QString::fromStdString(todo->name));
        }
        summaries.sort();
        return summaries;
    }

    CalDavTestServer server{CalDavTestServer::Kind::radicale};
    QTemporaryDir home;
    QString folder = QDir(home.path()).filePath(QStringLiteral("sync"));
    FilePreferences preferences{home.path()};
    FixedClock clock{march5};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    PasswordStore passwords;
    SyncController sync{view, passwords, clock, folder};
};

} // namespace

TEST_F(SyncControllerTest, WithoutAnAccountNothingOfSyncRuns)
{
    sync.start();
    view.setNewTodoName(QStringLiteral("Tea"));
    view.addTodo();
    EXPECT_EQ(sync.state(), SyncController::State::noAccount);
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(SyncControllerTest, AWrongPasswordKeepsNoAccount)
{
    EXPECT_EQ(connect(QStringLiteral("wrong")), ServerError::unauthorized);
    EXPECT_FALSE(sync.hasAccount());
    EXPECT_FALSE(QDir(folder).exists());
}

TEST_F(SyncControllerTest, ConnectingSyncsBothWaysAndStoppingKeepsEveryTodo)
{
    CalDavClient phone(server.url(), server.user(), server.password());
    ASSERT_TRUE(usePlimsaList(phone).ok());
    const TodoItem overdue("Overdue on the phone", march5 - 86400, TodoPriority::high);
    const TodoItem coming("Coming on the phone", march5 + 3600, TodoPriority::low);
    for (const TodoItem &item : {overdue, coming}) {
        const QByteArray text =
            QByteArray::fromStdString(newVTodo(item, march5, LocalCalendar::current()));
        const QString href = phone.hrefForUid(QString::fromStdString(item.id().uuidString()));
        ASSERT_TRUE(
            awaitAnswer<ServerResult<QString>>([&](auto r) { phone.put(href, text, {}, r); }).ok());
    }
    view.setNewTodoName(QStringLiteral("Made here"));
    view.addTodo();
    view.finishSavesForTesting();
    notifications.added.clear();

    ASSERT_TRUE(syncedAfter([&] { EXPECT_EQ(connect(server.password()), ServerError::none); }))
        << server.log().toStdString();
    EXPECT_EQ(view.todoList().size(), 3u);
    EXPECT_EQ(summariesOnServer(phone),
              (QStringList{"Coming on the phone", "Made here", "Overdue on the phone"}));
    view.finishSavesForTesting();
    ASSERT_EQ(notifications.added.size(), 1u) << "none for the overdue one";
    EXPECT_EQ(notifications.added.front().identifier,
              QString::fromStdString(coming.id().uuidString()));

    ASSERT_TRUE(syncedAfter([&] {
        view.renameTodo(0, QStringLiteral("Renamed here"));
        sync.syncNow();
    }));
    EXPECT_EQ(summariesOnServer(phone),
              (QStringList{"Coming on the phone", "Overdue on the phone", "Renamed here"}));

    awaitAnswer<bool>([&](auto done) { sync.stopSyncing([done] { done(true); }); });
    EXPECT_FALSE(sync.hasAccount());
    EXPECT_EQ(sync.state(), SyncController::State::noAccount);
    EXPECT_EQ(view.todoList().size(), 3u);
    EXPECT_FALSE(QDir(folder).exists());
    const auto kept = awaitAnswer<std::optional<QString>>([&](auto done) {
        passwords.read(SyncAccount{server.url(), server.user(), {}}.passwordKey(), done);
    });
    EXPECT_FALSE(kept.has_value());
}
