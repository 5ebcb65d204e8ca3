// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"
#include "SetUpSync.h"

#include <AgentSyncReport.h>
#include <AttentionBar.h>
#include <CalDavClient.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <RecordingNotificationCenter.h>
#include <SyncButton.h>
#include <SyncController.h>
#include <SyncServicePanel.h>
#include <SyncSetupDialog.h>

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr double march5 = 794424600;

class SyncAttentionTest : public testing::Test {
protected:
    void SetUp() override
    {
        window.showSync(panel);
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

    bool connected(const CalDavTestServer &server)
    {
        return setUpSync(sync, server.url(), server.user(), server.password()) ==
                   ServerError::none &&
               syncEnds() && sync.state() == SyncController::State::synced;
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
    SyncServicePanel panel{sync};
};

} // namespace

TEST_F(SyncAttentionTest, OfflineIsAStateAndAServerGoneForADayAsksOnce)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    ASSERT_TRUE(server.start());
    ASSERT_TRUE(connected(server));

    server.stop();
    view.setNewTodoName(QStringLiteral("Written offline"));
    view.addTodo();
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::offline);
    EXPECT_FALSE(panel.attentionBar()->isVisible()) << "offline is no error";
    EXPECT_EQ(view.todoList().size(), 1u) << "work goes on";

    clock.set(march5 + 2 * 86400);
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.attention(), SyncController::Attention::serverGone);
    ASSERT_TRUE(panel.attentionBar()->isVisible());
    EXPECT_EQ(panel.attentionBar()->actionButton()->text(), QStringLiteral("Show"));
    QTest::mouseClick(panel.attentionBar()->dismissButton(), Qt::LeftButton);
    EXPECT_FALSE(panel.attentionBar()->isVisible());
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::needsAttention) << "the button still says so";
    EXPECT_FALSE(panel.attentionBar()->isVisible()) << "the line comes once";

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
    ASSERT_TRUE(QTest::qWaitFor([&] { return panel.attentionBar()->isVisible(); }, 10000));
    EXPECT_EQ(sync.attention(), SyncController::Attention::signIn);
    EXPECT_EQ(panel.attentionBar()->actionButton()->text(), QStringLiteral("Sign In…"));
    QTest::mouseClick(panel.attentionBar()->actionButton(), Qt::LeftButton);
    auto *dialog = window.findChild<SyncSetupDialog *>();
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->serverField()->text(), account.server.toString());
    EXPECT_EQ(dialog->userField()->text(), account.user);
    EXPECT_FALSE(panel.attentionBar()->isVisible());
}

TEST_F(SyncAttentionTest, WhatTheAgentsSyncMetShowsWhenTheWindowOpens)
{
    // Problems the window's own sync would not meet again at once; the
    // agent's held removals and refusals the window's sync finds itself.
    using Problem = AgentSyncReport::Problem;
    using Attention = SyncController::Attention;
    const std::pair<Problem, std::optional<Attention>> cases[] = {
        {Problem::signIn, Attention::signIn},
        {Problem::serverGone, Attention::serverGone},
        {Problem::listGone, Attention::listGone},
        {Problem::files, Attention::files},
        {Problem::none, std::nullopt},
    };
    const SyncAccount account{QUrl(QStringLiteral("http://127.0.0.1:9/")), QStringLiteral("ann"),
                              QUrl(QStringLiteral("http://127.0.0.1:9/ann/plimsa/"))};
    for (const auto &[problem, attention] : cases) {
        QTemporaryDir otherHome;
        const QString otherFolder = QDir(otherHome.path()).filePath(QStringLiteral("sync"));
        ASSERT_TRUE(writeSyncAccount(otherFolder, account));
        ASSERT_TRUE(writeAgentSyncReport(otherFolder, {problem, march5 - 2 * 86400}));
        SyncController opened{view, passwords, clock, otherFolder};
        opened.start();
        EXPECT_EQ(opened.state() == SyncController::State::needsAttention, attention.has_value());
        if (attention) {
            EXPECT_EQ(opened.attention(), *attention);
        }
        EXPECT_FALSE(readAgentSyncReport(otherFolder)) << "shown once";
    }
}

TEST_F(SyncAttentionTest, KeepPutsAListEmptiedOnTheServerBack)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    ASSERT_TRUE(server.start());
    for (int i = 0; i < 12; ++i) {
        view.setNewTodoName(QStringLiteral("To-do %1").arg(i));
        view.addTodo();
    }
    ASSERT_TRUE(connected(server));

    CalDavClient other(server.url(), server.user(), server.password());
    other.setCollection(sync.account()->collection);
    auto onServer = [&] {
        std::optional<ServerResult<std::vector<ServerObject>>> listed;
        other.listEtags([&](auto answer) { listed = std::move(answer); });
        EXPECT_TRUE(QTest::qWaitFor([&] { return listed.has_value(); }, 30000));
        return listed.value_or(ServerResult<std::vector<ServerObject>>{}).value;
    };
    for (const ServerObject &object : onServer()) {
        std::optional<ServerResult<bool>> removed;
        other.remove(object.href, object.etag, [&](auto answer) { removed = answer; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return removed.has_value(); }, 30000));
    }
    ASSERT_TRUE(onServer().empty());

    ASSERT_TRUE(syncEnds());
    ASSERT_EQ(sync.attention(), SyncController::Attention::confirmRemoval);
    ASSERT_TRUE(panel.attentionBar()->isVisible());
    ASSERT_EQ(panel.attentionBar()->dismissButton()->text(), QStringLiteral("Keep"));
    bool ended = false;
    QObject::connect(&sync, &SyncController::syncEnded, [&] { ended = true; });
    QTest::mouseClick(panel.attentionBar()->dismissButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([&] { return ended; }, 30000));
    EXPECT_EQ(sync.state(), SyncController::State::synced);
    EXPECT_FALSE(panel.attentionBar()->isVisible());
    EXPECT_EQ(view.todoList().size(), 12u);
    EXPECT_EQ(onServer().size(), 12u);
    ASSERT_TRUE(syncEnds());
    EXPECT_EQ(sync.state(), SyncController::State::synced) << "asks no more";
}

TEST_F(SyncAttentionTest, StopSyncingAsksFirstAndCancelIsTheDefault)
{
    QSignalSpy stops(panel.button(), &SyncButton::stopRequested);
    auto alert = [&] {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        panel.button()->stopAction()->trigger();
        return window.findChild<QMessageBox *>();
    };
    QMessageBox *box = alert();
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_TRUE(box->informativeText().contains(QStringLiteral("stay on this computer")));
    EXPECT_EQ(box->defaultButton(), box->button(QMessageBox::Cancel));
    QTest::keyClick(box, Qt::Key_Return);
    EXPECT_EQ(stops.count(), 0);

    box = alert();
    ASSERT_TRUE(box);
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_EQ(stops.count(), 0);

    box = alert();
    ASSERT_TRUE(box);
    const auto buttons = box->buttons();
    const auto stop = std::find_if(buttons.begin(), buttons.end(), [&](QAbstractButton *button) {
        return button->text() == QStringLiteral("Stop Syncing");
    });
    ASSERT_NE(stop, buttons.end());
    QTest::mouseClick(*stop, Qt::LeftButton);
    EXPECT_EQ(stops.count(), 1);
}
