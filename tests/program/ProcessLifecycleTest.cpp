// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <QThread>
#include <TodoJson.h>
#include <TodoListStore.h>
#include <csignal>
#include <gtest/gtest.h>

namespace {

// Runs the real binary against private directories and a private session bus.
class ProcessLifecycleTest : public ::testing::Test {
protected:
    PrivateSessionBus bus;
    PrivateHome home;
    FilePreferences preferences{home.storeDirectory()};

    void SetUp() override { ASSERT_TRUE(home.isReady()); }

    std::unique_ptr<PlimsaProcess> plimsa() { return std::make_unique<PlimsaProcess>(home, bus.address()); }
};

// Stored with spaces, so that a save is seen as the compact rewrite.
const QByteArray storedSpaced =
    R"([ {"name":"Buy milk","id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","time":786310200,"priority":"High"} ])";

} // namespace

TEST_F(ProcessLifecycleTest, EachTerminationSignalSavesTheList)
{
    const auto expected = decodeTodoList(storedSpaced.toStdString());
    ASSERT_TRUE(expected);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        ASSERT_TRUE(preferences.setData(todoListKey, storedSpaced));
        auto process = plimsa();
        ASSERT_TRUE(process->start()) << signalNumber;
        process->signal(signalNumber);
        EXPECT_TRUE(process->exitsNormally()) << signalNumber;
        EXPECT_EQ(preferences.data(todoListKey),
                  QByteArray::fromStdString(*encodeTodoList(*expected)))
            << signalNumber;
    }
}

TEST_F(ProcessLifecycleTest, FirstRunStoresAnEmptyArrayOnExit)
{
    auto process = plimsa();
    ASSERT_TRUE(process->start());
    process->signal(SIGTERM);
    ASSERT_TRUE(process->exitsNormally());
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}

TEST_F(ProcessLifecycleTest, ASecondLaunchLeavesTheFirstRunningAndExits)
{
    auto first = plimsa();
    ASSERT_TRUE(first->start());
    auto second = plimsa();
    second->launch();
    EXPECT_TRUE(second->exitsNormally());
    EXPECT_EQ(first->process().state(), QProcess::Running);
    EXPECT_FALSE(preferences.data(todoListKey)) << "the second launch must not save anything";

    first->signal(SIGTERM);
    ASSERT_TRUE(first->exitsNormally());
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}

TEST_F(ProcessLifecycleTest, ASecondSignalDuringTheSaveStillEndsWithOneWholeSave)
{
    std::vector<TodoItem> items;
    for (int i = 0; i < 20000; ++i)
        items.emplace_back("Item " + std::to_string(i), 786310200.0 + i, TodoPriority::low);
    const QByteArray compact = QByteArray::fromStdString(*encodeTodoList(items));
    ASSERT_TRUE(preferences.setData(todoListKey, QByteArray(compact).replace("},{", "}, {")));
    auto process = plimsa();
    ASSERT_TRUE(process->start());
    QThread::msleep(100);
    process->signal(SIGTERM);
    QThread::msleep(5);
    process->signal(SIGINT);
    process->signal(SIGHUP);
    EXPECT_TRUE(process->exitsNormally());
    EXPECT_EQ(preferences.data(todoListKey), compact);
}
