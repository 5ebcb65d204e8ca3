// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FakeCalendarServer.h"

#include <FixedClock.h>
#include <SyncWorker.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <QTest>

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
                        QByteArray::fromStdString(newVTodo(phones, 0, LocalCalendar("UTC"))), {}, [](auto) {});
            return server;
        },
        folder.path(), clock);
    int progressed = 0;
    QObject::connect(&worker, &SyncWorker::progress, [&] { ++progressed; });

    EXPECT_TRUE(std::get<0>(answered<bool, std::optional<QString>>(
        [&](auto done) { worker.load(done); })));
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

} // namespace
