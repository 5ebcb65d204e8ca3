// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"
#include "SetUpSync.h"

#include <ContentView.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <Instant.h>
#include <RecordingNotificationCenter.h>
#include <SyncController.h>

#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr double march5 = 794424600; // 2026-03-05 18:30 UTC
constexpr double march10At8Utc = 794822400;

const char *const uidA = "other-client-a@example.org";
const char *const uidB = "other-client-b@example.org";
const char *const uidC = "other-client-c@example.org";
const char *const uidD = "other-client-d@example.org";

// Plimsa and Debian's python3-caldav on one task list of each server.
class SyncInteropTest : public testing::TestWithParam<CalDavTestServer::Kind> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.log().toStdString();
        ASSERT_EQ(setUpSync(sync, server.url(), server.user(), server.password()),
                  ServerError::none);
        ASSERT_TRUE(synced());
    }

    // Runs the other client; its standard output.
    QByteArray other(const QStringList &arguments)
    {
        QProcess process;
        process.start(QStringLiteral("/usr/bin/python3"),
                      QStringList{QStringLiteral(PLIMSA_OTHER_CALDAV_CLIENT),
                                  server.url().toString(), server.user(), server.password(),
                                  sync.account()->collection.toString()} +
                          arguments);
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        return process.readAllStandardOutput();
    }

    std::map<QString, QJsonObject> othersView()
    {
        std::map<QString, QJsonObject> byName;
        for (const QJsonValue &value : QJsonDocument::fromJson(other({"dump"})).array()) {
            QJsonObject todo = value.toObject();
            todo[QLatin1String("due")] =
                todo[QLatin1String("due")].toDouble() - referenceDateUnixSeconds;
            byName[todo[QLatin1String("summary")].toString()] = todo;
        }
        return byName;
    }

    bool synced()
    {
        bool ended = false;
        auto ends = QObject::connect(&sync, &SyncController::stateChanged, [&] {
            ended = ended || sync.state() != SyncController::State::syncing;
        });
        sync.syncNow();
        // A sync asked for while one runs starts right after it.
        const bool waited = QTest::qWaitFor(
            [&] { return ended && sync.state() != SyncController::State::syncing; }, 30000);
        QObject::disconnect(ends);
        return waited && sync.state() == SyncController::State::synced;
    }

    const TodoItem *shown(const std::string &name) const
    {
        const int offset = offsetOf(name);
        return offset < 0 ? nullptr : &view.todoList()[static_cast<std::size_t>(offset)];
    }

    int offsetOf(const std::string &name) const
    {
        const auto found = std::ranges::find(view.todoList(), name, &TodoItem::name);
        return found == view.todoList().end() ? -1
                                              : static_cast<int>(found - view.todoList().begin());
    }

    CalDavTestServer server{GetParam()};
    QTemporaryDir home;
    FilePreferences preferences{home.path()};
    FixedClock clock{march5};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    PasswordStore passwords;
    SyncController sync{view, passwords, clock, QDir(home.path()).filePath("sync")};
};

} // namespace

TEST_P(SyncInteropTest, EachSideReadsTheOthersChanges)
{
    for (const auto &[uid, name] :
         {std::pair{uidA, "Buy stamps"}, std::pair{uidB, "Call Kim"},
          std::pair{uidC, "Water plants"}, std::pair{uidD, "Return book"}})
        other({"create", uid, name});
    ASSERT_TRUE(synced());
    ASSERT_EQ(view.todoList().size(), 4u);
    const TodoItem *stamps = shown("Buy stamps");
    ASSERT_TRUE(stamps);
    EXPECT_EQ(stamps->time(), march10At8Utc) << "09:00 in Europe/Berlin";
    EXPECT_EQ(stamps->priority(), TodoPriority::high);

    other({"rename", uidA, "Buy stamps and envelopes"});
    other({"complete", uidB});
    other({"delete", uidC});
    ASSERT_TRUE(synced());
    EXPECT_TRUE(shown("Buy stamps and envelopes")) << "renamed there";
    const TodoItem *kim = shown("Call Kim");
    ASSERT_TRUE(kim) << "completed there: kept, done";
    EXPECT_TRUE(kim->isCompleted());
    EXPECT_FALSE(shown("Water plants")) << "deleted there";
    EXPECT_EQ(view.todoList().size(), 3u);

    view.setNewTodoName(QStringLiteral("Made in Plimsa"));
    view.setSelectedPriority(TodoPriority::low);
    view.setSelectedHour(9);
    view.setIsAM(false);
    view.addTodo();
    const TodoItem made = view.todoList().back();
    view.renameTodo(offsetOf("Return book"), QStringLiteral("Return the library book"));
    view.deleteTodos({offsetOf("Buy stamps and envelopes")});
    view.completeTodo(offsetOf("Made in Plimsa"));
    view.reopenTodo(offsetOf("Call Kim"));
    ASSERT_TRUE(synced());

    const auto seen = othersView();
    EXPECT_FALSE(seen.contains(QStringLiteral("Buy stamps and envelopes"))) << "deleted here";
    ASSERT_TRUE(seen.contains(QStringLiteral("Made in Plimsa")));
    const QJsonObject added = seen.at(QStringLiteral("Made in Plimsa"));
    EXPECT_EQ(added[QLatin1String("due")].toDouble(), made.time());
    EXPECT_EQ(added[QLatin1String("priority")].toInt(), 9);
    EXPECT_EQ(added[QLatin1String("alarms")].toInt(), 1);
    // Ticked off here: done by every marker another client may read.
    EXPECT_EQ(added[QLatin1String("status")].toString(), QStringLiteral("COMPLETED"));
    EXPECT_EQ(added[QLatin1String("completed")].toDouble() - referenceDateUnixSeconds, march5);
    EXPECT_EQ(added[QLatin1String("percent")].toInt(), 100);
    ASSERT_TRUE(seen.contains(QStringLiteral("Call Kim")));
    const QJsonObject reopened = seen.at(QStringLiteral("Call Kim"));
    EXPECT_EQ(reopened[QLatin1String("status")].toString(), QStringLiteral("NEEDS-ACTION"))
        << "done there, opened again here";
    EXPECT_TRUE(reopened[QLatin1String("completed")].isNull());
    EXPECT_EQ(reopened[QLatin1String("percent")].toInt(), 0);
    ASSERT_TRUE(seen.contains(QStringLiteral("Return the library book"))) << "renamed here";
    const QJsonObject renamed = seen.at(QStringLiteral("Return the library book"));
    EXPECT_EQ(renamed[QLatin1String("due")].toDouble(), march10At8Utc);
    EXPECT_EQ(renamed[QLatin1String("priority")].toInt(), 1);
    EXPECT_EQ(renamed[QLatin1String("categories")].toArray(), QJsonArray{"Errands"}) << "untouched";
    EXPECT_EQ(renamed[QLatin1String("description")].toString(),
              QStringLiteral("Written by the other client"));
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncInteropTest,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });
