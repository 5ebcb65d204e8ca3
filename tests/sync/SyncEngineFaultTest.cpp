// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FakeCalendarServer.h"

#include <FixedClock.h>
#include <SyncEngine.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using Call = FakeCalendarServer::Call;

struct FaultCase {
    const char *what;
    Call call;
    ServerError error;
};

class SyncEngineFaults : public testing::TestWithParam<FaultCase> {};

SyncOutcome syncOnce(SyncEngine &engine)
{
    std::optional<SyncOutcome> outcome;
    engine.sync([&](SyncOutcome answer) { outcome = std::move(answer); });
    EXPECT_TRUE(outcome) << "the fake answers at once";
    return outcome.value_or(SyncOutcome{});
}

TEST_P(SyncEngineFaults, AFailedSyncKeepsEverythingForTheNext)
{
    const FaultCase &c = GetParam();
    FakeCalendarServer server;
    const TodoItem phones("From the phone", 794424600, TodoPriority::high);
    server.put(server.hrefForUid(QString::fromStdString(phones.id().uuidString())),
               QByteArray::fromStdString(newVTodo(phones, 0, LocalCalendar("UTC"))), {},
               [](auto) {});
    QTemporaryDir folder;
    FixedClock clock(794424600);
    const std::vector<TodoItem> local{TodoItem("Buy milk", 794424600, TodoPriority::low),
                                      TodoItem("Call Ann", 794428200, TodoPriority::medium)};
    std::vector<TodoItem> list = local;
    {
        SyncEngine engine(server, folder.path(), clock);
        ASSERT_TRUE(engine.load());
        ASSERT_TRUE(engine.listChanged(local));
        server.fault = {c.call, c.error};
        const SyncOutcome failed = syncOnce(engine);
        EXPECT_EQ(failed.status, SyncOutcome::Status::failed) << c.what;
        EXPECT_EQ(failed.error, c.error) << c.what;
        list = appliedChanges(list, failed);
    }
    // The next run, from the files alone, finishes the work once.
    SyncEngine engine(server, folder.path(), clock);
    ASSERT_TRUE(engine.load());
    const SyncOutcome outcome = syncOnce(engine);
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << c.what;
    EXPECT_EQ(server.objects.size(), 3u) << c.what;
    list = appliedChanges(list, outcome);
    ASSERT_EQ(list.size(), 3u) << c.what;
    EXPECT_EQ(list.back(), phones) << c.what;
    EXPECT_TRUE(engine.journal().changes().empty());
}

// The window takes a long pull in slices and may be killed once the list on
// disk holds some of them: the next start brings back the rest, once each,
// and removes nothing here or on the server.
TEST(SyncEngineFiles, AListStoredWithPartOfAPullGetsTheRestAndRemovesNothing)
{
    FakeCalendarServer server;
    for (int i = 0; i < 4500; ++i) {
        const TodoItem item("Errand " + std::to_string(i), 794424600 + i, TodoPriority::low);
        server.put(server.hrefForUid(QString::fromStdString(item.uid())),
                   QByteArray::fromStdString(newVTodo(item, 0, LocalCalendar("UTC"))), {},
                   [](auto) {});
    }
    QTemporaryDir folder;
    FixedClock clock(794424600);
    std::vector<TodoItem> stored;
    std::vector<TodoItem> pulled;
    {
        SyncEngine engine(server, folder.path(), clock);
        ASSERT_TRUE(engine.load());
        ASSERT_TRUE(engine.reconcile({}, true));
        pulled = syncOnce(engine).upserts;
        ASSERT_EQ(pulled.size(), 4500u);
        stored.assign(pulled.begin(), pulled.begin() + 2000);
    }
    SyncEngine engine(server, folder.path(), clock);
    ASSERT_TRUE(engine.load());
    const std::optional<ListChanges> back = engine.reconcile(stored, true);
    ASSERT_TRUE(back);
    std::vector<TodoItem> list = appliedChanges(stored, *back);
    const SyncOutcome next = syncOnce(engine);
    EXPECT_EQ(next.status, SyncOutcome::Status::done);
    EXPECT_TRUE(next.removals.empty());
    list = appliedChanges(list, next);
    std::ranges::sort(list, {}, &TodoItem::time);
    std::ranges::sort(pulled, {}, &TodoItem::time);
    EXPECT_EQ(list, pulled);
    EXPECT_EQ(server.objects.size(), 4500u);
}

TEST(SyncEngineFiles, AFolderThatCannotBeWrittenSyncsNothingAndADamagedDatabaseIsSetAside)
{
    FakeCalendarServer server;
    QTemporaryDir home;
    FixedClock clock(794424600);
    // A file where its folder should be: nothing can be written, even as root.
    QFile blocker(home.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    EXPECT_FALSE(SyncEngine(server, blocker.fileName() + QStringLiteral("/sync"), clock).load());

    QFile damaged(home.filePath(QStringLiteral("sync/sync.db")));
    ASSERT_TRUE(QDir(home.path()).mkpath(QStringLiteral("sync")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(8192, 'x'));
    damaged.close();
    SyncEngine engine(server, home.filePath(QStringLiteral("sync")), clock);
    ASSERT_TRUE(engine.load());
    ASSERT_TRUE(engine.setAsideDatabase());
    QFile aside(*engine.setAsideDatabase());
    ASSERT_TRUE(aside.open(QIODevice::ReadOnly));
    EXPECT_EQ(aside.readAll(), QByteArray(8192, 'x'));
    EXPECT_TRUE(engine.listChanged({TodoItem("Buy milk", 794424600, TodoPriority::low)}));
}

TEST(SyncEngineRefusals, AChangeRefusedForGoodIsSetAsideAndTheRestGoesOn)
{
    FakeCalendarServer server;
    const TodoItem phones("From the phone", 794424600, TodoPriority::high);
    server.put(server.hrefForUid(QString::fromStdString(phones.uid())),
               QByteArray::fromStdString(newVTodo(phones, 0, LocalCalendar("UTC"))), {}, [](auto) {});
    QTemporaryDir folder;
    FixedClock clock(794424600);
    const TodoItem refused("Refused", 794424600, TodoPriority::low);
    const TodoItem taken("Taken", 794428200, TodoPriority::medium);
    server.refusing[server.hrefForUid(QString::fromStdString(refused.uid()))] =
        QStringLiteral("DUE must occur after DTSTART");
    SyncEngine engine(server, folder.path(), clock);
    ASSERT_TRUE(engine.load());
    ASSERT_TRUE(engine.listChanged({refused, taken}));

    const SyncOutcome outcome = syncOnce(engine);
    EXPECT_EQ(outcome.status, SyncOutcome::Status::done);
    ASSERT_EQ(outcome.refused.size(), 1u);
    EXPECT_EQ(outcome.refused[0].change.item, refused);
    EXPECT_EQ(outcome.refused[0].message, u"DUE must occur after DTSTART");
    EXPECT_EQ(appliedChanges({}, outcome), std::vector<TodoItem>{phones}) << "pulled all the same";
    EXPECT_EQ(server.objects.size(), 2u);
    const SyncOutcome again = syncOnce(engine);
    EXPECT_EQ(again.uploaded, 0) << "not sent again by itself";
    EXPECT_EQ(again.refused.size(), 1u) << "still told";

    server.refusing.clear();
    ASSERT_TRUE(engine.retrySetAside());
    EXPECT_EQ(syncOnce(engine).uploaded, 1);
    EXPECT_EQ(server.objects.size(), 3u);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SyncEngineFaults,
    testing::Values(FaultCase{"500 on a write", Call::put, ServerError::server},
                    FaultCase{"401 on a write", Call::put, ServerError::unauthorized},
                    FaultCase{"cut off while asking for changes", Call::changesSince,
                              ServerError::network},
                    FaultCase{"500 while fetching changes", Call::fetch, ServerError::server}));

} // namespace
