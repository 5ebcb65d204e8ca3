// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <LocalCalendar.h>
#include <PendingRequestsFile.h>
#include <TodoListStore.h>

#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

// A process killed outright (an OOM kill, a power cut, a lost display) 1.5 s
// after a change: the store has the change, and the reminder file agrees.
TEST(KillTest, AChangeIsOnDiskAndItsReminderAgreesAfterSigkill)
{
    const TodoItem first("Water the plants", 1e9, TodoPriority::low);
    const struct {
        const char *change;
        std::vector<std::string> namesAfter;
        std::vector<std::string> remindersAfter;
    } cases[] = {
        {"add", {"Water the plants", "Survives a crash"}, {"Todo: Survives a crash"}},
        {"delete", {}, {}},
        {"undo", {"Water the plants", "Survives a crash"}, {"Todo: Survives a crash"}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.change);
        QTemporaryDir home;
        const QString store = home.filePath(QStringLiteral("config"));
        const QString pending = home.filePath(QStringLiteral("pending.json"));
        FilePreferences preferences(store);
        ASSERT_TRUE(writeTodoList(preferences, {first}));

        QProcess child;
        child.start(QStringLiteral(PLIMSA_KILL_CHILD),
                    {QString::fromLatin1(c.change), store, pending});
        ASSERT_TRUE(child.waitForReadyRead(10000));
        ASSERT_EQ(child.readLine().trimmed(), QByteArray("changed"));
        QThread::msleep(1500);
        ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
        ASSERT_TRUE(child.waitForFinished(10000));

        const auto stored = readTodoList(preferences);
        ASSERT_TRUE(stored);
        std::vector<std::string> names;
        for (const TodoItem &item : *stored)
            names.push_back(item.name());
        EXPECT_EQ(names, c.namesAfter);

        std::vector<std::string> reminders;
        for (const NotificationRequest &request :
             PendingRequestsFile(pending).read(LocalCalendar("UTC")).value_or(std::vector<NotificationRequest>{})) {
            reminders.push_back(request.content.body.toStdString());
            EXPECT_TRUE(std::any_of(stored->begin(), stored->end(), [&](const TodoItem &item) {
                return QString::fromStdString(item.id().uuidString()) == request.identifier;
            })) << "a reminder only for a to-do that is kept";
        }
        EXPECT_EQ(reminders, c.remindersAfter);
    }
}
