// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <SyncScheduler.h>

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>

namespace {

// Runs the event loop until `starts` reaches `count`, at most 10 s.
void processUntil(const int &starts, int count)
{
    const QDeadlineTimer deadline(10000);
    while (starts < count && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
}

TEST(SyncScheduler, ChangesInARowMakeOneSync)
{
    int starts = 0;
    SyncScheduler scheduler([&] { ++starts; });
    scheduler.setDelaysForTesting(0, 3600000);
    for (int i = 0; i < 3; ++i)
        scheduler.localChange();
    EXPECT_EQ(starts, 0);
    processUntil(starts, 1);
    EXPECT_EQ(starts, 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(starts, 1);
    EXPECT_TRUE(scheduler.isSyncing());
}

TEST(SyncScheduler, AReasonDuringASyncStartsOneMoreAfterIt)
{
    int starts = 0;
    SyncScheduler scheduler([&] { ++starts; });
    scheduler.syncNow();
    scheduler.syncNow();
    scheduler.localChange();
    scheduler.syncNow();
    EXPECT_EQ(starts, 1);
    scheduler.finished();
    EXPECT_EQ(starts, 2);
    scheduler.finished();
    EXPECT_EQ(starts, 2);
    EXPECT_FALSE(scheduler.isSyncing());
}

TEST(SyncScheduler, SyncsAgainEveryPeriod)
{
    int starts = 0;
    SyncScheduler scheduler([&] { ++starts; });
    scheduler.setDelaysForTesting(3600000, 1);
    processUntil(starts, 1);
    scheduler.finished();
    processUntil(starts, 2);
    EXPECT_EQ(starts, 2);
}

} // namespace
