// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FakeCalendarServer.h"

#include <FixedClock.h>
#include <SyncWorker.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

// Waits for the worker's answer, and checks that it came on this thread.
template <typename... Values> std::tuple<Values...> answered(auto ask)
{
    std::optional<std::tuple<Values...>> result;
    ask([&](Values... values) {
        EXPECT_EQ(QThread::currentThread(), QCoreApplication::instance()->thread());
        result.emplace(std::move(values)...);
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }, 10000));
    return result.value_or(std::tuple<Values...>{});
}

TEST(SyncWorker, SyncsOnItsOwnThreadAndAnswersOnTheAskingOne)
{
    QTemporaryDir folder;
    FixedClock clock(794424600);
    const Qt::HANDLE asking = QThread::currentThreadId();
    Qt::HANDLE serverThread = nullptr;
    const TodoItem phones("From the phone", 794424600, TodoPriority::high);
    SyncWorker worker(
        [&] {
            serverThread = QThread::currentThreadId();
            auto server = std::make_unique<FakeCalendarServer>();
            server->put(server->hrefForUid(QString::fromStdString(phones.uid())),
                        QByteArray::fromStdString(newVTodo(phones, 0, LocalCalendar("UTC"))), {},
                        [](auto) {});
            return server;
        },
        folder.path(), clock);
    int progressed = 0;
    QObject::connect(&worker, &SyncWorker::progress, [&] { ++progressed; });

    EXPECT_TRUE(
        std::get<0>(answered<bool, std::optional<QString>>([&](auto done) { worker.load(done); })));
    const TodoItem mine("Buy milk", 794424600, TodoPriority::low);
    auto list = std::make_shared<const std::vector<TodoItem>>(std::vector{mine});
    EXPECT_TRUE(std::get<0>(answered<std::optional<ListChanges>>(
        [&](auto done) { worker.reconcile(list, true, done); })));
    const SyncOutcome outcome =
        std::get<0>(answered<SyncOutcome>([&](auto done) { worker.sync(false, done); }));
    EXPECT_EQ(outcome.status, SyncOutcome::Status::done);
    EXPECT_EQ(appliedChanges(*list, outcome), (std::vector{mine, phones}));
    EXPECT_EQ(progressed, 1);
    EXPECT_NE(serverThread, asking);
}

// A first sync of a long list, and then removals from most of it, reach the
// asking thread in slices, each in a turn of its event loop of its own, and
// nothing is lost or comes twice; without a taker, as the agent has it, all
// comes in the answer.
TEST(SyncWorker, ManyChangesComeInSlicesOneTurnApart)
{
    std::vector<TodoItem> onServer;
    for (int i = 0; i < 4500; ++i)
        onServer.emplace_back("Errand " + std::to_string(i), 794424600 + i, TodoPriority::low);
    for (const bool sliced : {true, false}) {
        SCOPED_TRACE(sliced ? "with a taker" : "without");
        QTemporaryDir folder;
        FixedClock clock(794424600);
        std::vector<ListChanges> ahead;
        std::vector<int> turnsAtSlice;
        int turns = 0;
        QTimer everyTurn;
        QObject::connect(&everyTurn, &QTimer::timeout, [&] { ++turns; });
        everyTurn.start(0);
        SyncWorker::ChangesTaker taker;
        if (sliced) {
            taker = [&](const ListChanges &slice) {
                ahead.push_back(slice);
                turnsAtSlice.push_back(turns);
            };
        }
        FakeCalendarServer *server = nullptr;
        SyncWorker worker(
            [&] {
                auto made = std::make_unique<FakeCalendarServer>();
                for (const TodoItem &item : onServer)
                    made->put(made->hrefForUid(QString::fromStdString(item.uid())),
                              QByteArray::fromStdString(newVTodo(item, 0, LocalCalendar("UTC"))),
                              {}, [](auto) {});
                server = made.get();
                return made;
            },
            folder.path(), clock, taker);
        answered<bool, std::optional<QString>>([&](auto done) { worker.load(done); });
        auto empty = std::make_shared<const std::vector<TodoItem>>();
        answered<std::optional<ListChanges>>(
            [&](auto done) { worker.reconcile(empty, true, done); });
        const auto syncedWhole = [&](std::size_t slicesAhead) {
            ahead.clear();
            turnsAtSlice.clear();
            ListChanges whole =
                std::get<0>(answered<SyncOutcome>([&](auto done) { worker.sync(false, done); }));
            EXPECT_EQ(ahead.size(), sliced ? slicesAhead : 0u);
            for (std::size_t i = 1; i < turnsAtSlice.size(); ++i)
                EXPECT_GT(turnsAtSlice[i], turnsAtSlice[i - 1]) << "slice " << i;
            for (const ListChanges &slice : ahead) {
                whole.upserts.insert(whole.upserts.end(), slice.upserts.begin(),
                                     slice.upserts.end());
                whole.removals.insert(whole.removals.end(), slice.removals.begin(),
                                      slice.removals.end());
            }
            std::ranges::sort(whole.upserts, {}, &TodoItem::time);
            std::ranges::sort(whole.removals, {}, &Uuid::uuidString);
            return whole;
        };
        EXPECT_EQ(syncedWhole(2).upserts, onServer);

        std::vector<Uuid> gone;
        for (std::size_t i = 0; i < 2100; ++i) {
            gone.push_back(onServer[i].id());
            server->objects.erase(server->hrefForUid(QString::fromStdString(onServer[i].uid())));
        }
        std::ranges::sort(gone, {}, &Uuid::uuidString);
        // The fake lists no removals by token: the whole list shows them.
        server->fault = {FakeCalendarServer::Call::changesSince, ServerError::invalidSyncToken};
        const ListChanges removed = syncedWhole(1);
        EXPECT_TRUE(removed.upserts.empty());
        EXPECT_EQ(removed.removals, gone);
    }
}

} // namespace
