// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"
#include "SetUpSync.h"

#include <AttentionBar.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <RecordingNotificationCenter.h>
#include <SyncButton.h>
#include <SyncController.h>
#include <SyncSetupDialog.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr double march5 = 794424600;

class SyncAttentionTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.showSync(sync);
        window.show();
    }

    bool syncEnds()
    {
        bool ended = false;
        auto ends = QObject::connect(&sync, &SyncController::syncEnded, [&] { ended = true; });
        sync.syncNow();
        const bool waited = QTest::qWaitFor(
            [&] { return ended && sync.state() != SyncController::State::syncing; }, 30000);
        QObject::disconnect(ends);
        return waited;
    }

    QTemporaryDir home;
    QString folder = QDir(home.path()).filePath(QStringLiteral("sync"));
    FilePreferences preferences{home.path()};
    FixedClock clock{march5};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    PasswordStore passwords;
    SyncController sync{view, passwords, clock, folder};
    ContentWindow window{view};
};

} // namespace

TEST_F(SyncAttentionTest, OfflineIsAStateAndAServerGoneForADayAsksOnce)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    ASSERT_TRUE(server.start());
    ASSERT_EQ(setUpSync(sync, server.url(), server.user(), server.password()), ServerError::none);
    ASSERT_TRUE(syncEnds());
    ASSERT_EQ(sync.state(), SyncController::State::synced);

    server.stop();
    view.setNewTodoName(QStringLiteral("Written offline"));
    view.addTodo();
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::offline);
    EXPECT_FALSE(window.attentionBar()->isVisible()) << "offline is no error";
    EXPECT_EQ(view.todoList().size(), 1u) << "work goes on";

    clock.set(march5 + 2 * 86400);
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.attention(), SyncController::Attention::serverGone);
    ASSERT_TRUE(window.attentionBar()->isVisible());
    EXPECT_EQ(window.attentionBar()->actionButton()->text(), QStringLiteral("Show"));
    QTest::mouseClick(window.attentionBar()->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(window.attentionBar()->isVisible());
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::needsAttention) << "the button still says so";
    EXPECT_FALSE(window.attentionBar()->isVisible()) << "the line comes once";

    ASSERT_TRUE(server.start());
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::synced) << "the journal catches up";
}

TEST_F(SyncAttentionTest, AMissingPasswordAsksToSignInWithTheAccountFilledIn)
{
    const SyncAccount account{QUrl(QStringLiteral("http://127.0.0.1:9/")), QStringLiteral("ann"),
                              QUrl(QStringLiteral("http://127.0.0.1:9/ann/plimsa/"))};
    ASSERT_TRUE(writeSyncAccount(folder, account));
    sync.start();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.attentionBar()->isVisible(); }, 10000));
    EXPECT_EQ(sync.attention(), SyncController::Attention::signIn);
    EXPECT_EQ(window.attentionBar()->actionButton()->text(), QStringLiteral("Sign In…"));
    QTest::mouseClick(window.attentionBar()->actionButton(), Qt::LeftButton);
    auto *dialog = window.findChild<SyncSetupDialog *>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->serverField()->text(), account.server.toString());
    EXPECT_EQ(dialog->userField()->text(), account.user);
    EXPECT_FALSE(window.attentionBar()->isVisible());
}
