// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PrivateHome.h>
#include <PrivateSessionBus.h>
#include <QFileInfo>
#include <QProcess>
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

    std::unique_ptr<QProcess> start()
    {
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(home.processEnvironment(bus.address()));
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(QStringLiteral(PLIMSA_BINARY), {});
        process->waitForStarted();
        return process;
    }

    // The instance socket appears once the app handles signals and owns the session.
    bool waitUntilRunning(QProcess &process)
    {
        for (int i = 0; i < 200 && process.state() == QProcess::Running; ++i) {
            if (QFileInfo::exists(home.instanceSocket()))
                return true;
            QThread::msleep(25);
        }
        return false;
    }
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
        auto process = start();
        ASSERT_TRUE(waitUntilRunning(*process)) << signalNumber;
        ::kill(static_cast<pid_t>(process->processId()), signalNumber);
        ASSERT_TRUE(process->waitForFinished(10000)) << signalNumber;
        EXPECT_EQ(process->exitStatus(), QProcess::NormalExit) << signalNumber;
        EXPECT_EQ(process->exitCode(), 0) << signalNumber;
        EXPECT_EQ(preferences.data(todoListKey),
                  QByteArray::fromStdString(*encodeTodoList(*expected)))
            << signalNumber;
    }
}

TEST_F(ProcessLifecycleTest, FirstRunStoresAnEmptyArrayOnExit)
{
    auto process = start();
    ASSERT_TRUE(waitUntilRunning(*process));
    ::kill(static_cast<pid_t>(process->processId()), SIGTERM);
    ASSERT_TRUE(process->waitForFinished(10000));
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}

TEST_F(ProcessLifecycleTest, ASecondLaunchLeavesTheFirstRunningAndExits)
{
    auto first = start();
    ASSERT_TRUE(waitUntilRunning(*first));
    auto second = start();
    ASSERT_TRUE(second->waitForFinished(10000));
    EXPECT_EQ(second->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(second->exitCode(), 0);
    EXPECT_EQ(first->state(), QProcess::Running);
    EXPECT_FALSE(preferences.data(todoListKey)) << "the second launch must not save anything";

    ::kill(static_cast<pid_t>(first->processId()), SIGTERM);
    ASSERT_TRUE(first->waitForFinished(10000));
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}

TEST_F(ProcessLifecycleTest, ASecondSignalDuringTheSaveStillEndsWithOneWholeSave)
{
    std::vector<TodoItem> items;
    for (int i = 0; i < 20000; ++i)
        items.emplace_back("Item " + std::to_string(i), 786310200.0 + i, TodoPriority::low);
    const QByteArray compact = QByteArray::fromStdString(*encodeTodoList(items));
    ASSERT_TRUE(preferences.setData(todoListKey, QByteArray(compact).replace("},{", "}, {")));
    auto process = start();
    ASSERT_TRUE(waitUntilRunning(*process));
    QThread::msleep(100);
    const auto pid = static_cast<pid_t>(process->processId());
    ::kill(pid, SIGTERM);
    QThread::msleep(5);
    ::kill(pid, SIGINT);
    ::kill(pid, SIGHUP);
    ASSERT_TRUE(process->waitForFinished(10000));
    EXPECT_EQ(process->exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process->exitCode(), 0);
    EXPECT_EQ(preferences.data(todoListKey), compact);
}
