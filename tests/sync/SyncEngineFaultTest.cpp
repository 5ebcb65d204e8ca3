// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FakeCalendarServer.h"

#include <FixedClock.h>
#include <SyncEngine.h>

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
    {
        SyncEngine engine(server, folder.path(), clock);
        ASSERT_TRUE(engine.load());
        ASSERT_TRUE(engine.listChanged(local));
        server.fault = {c.call, c.error};
        const SyncOutcome failed = syncOnce(engine);
        EXPECT_EQ(failed.status, SyncOutcome::Status::failed) << c.what;
        EXPECT_EQ(failed.error, c.error) << c.what;
        EXPECT_TRUE(failed.upserts.empty());
        EXPECT_TRUE(engine.state().syncToken.isEmpty()) << c.what;
    }
    // The next run, from the files alone, finishes the work once.
    SyncEngine engine(server, folder.path(), clock);
    ASSERT_TRUE(engine.load());
    const SyncOutcome outcome = syncOnce(engine);
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << c.what;
    EXPECT_EQ(server.objects.size(), 3u) << c.what;
    const auto list = appliedOutcome(local, outcome);
    ASSERT_EQ(list.size(), 3u) << c.what;
    EXPECT_EQ(list.back(), phones) << c.what;
    EXPECT_TRUE(engine.journal().changes().empty());
}

TEST(SyncEngineFiles, AWriteThatFailsInTheBackgroundIsTold)
{
    FakeCalendarServer server;
    QTemporaryDir home;
    // A file where its folder should be: every write fails, even as root.
    QFile blocker(home.filePath(QStringLiteral("sync")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    FixedClock clock(794424600);
    SyncEngine engine(server, blocker.fileName() + QStringLiteral("/inside"), clock);
    ASSERT_TRUE(engine.load());
    bool told = false;
    engine.writeFailed = [&] { told = true; };
    EXPECT_TRUE(engine.listChanged({TodoItem("Buy milk", 794424600, TodoPriority::low)}))
        << "journaled at once, written later";
    EXPECT_TRUE(QTest::qWaitFor([&] { return told; }, 10000));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SyncEngineFaults,
    testing::Values(FaultCase{"500 on a write", Call::put, ServerError::server},
                    FaultCase{"401 on a write", Call::put, ServerError::unauthorized},
                    FaultCase{"cut off while asking for changes", Call::changesSince,
                              ServerError::network},
                    FaultCase{"500 while fetching changes", Call::fetch, ServerError::server}));

} // namespace
