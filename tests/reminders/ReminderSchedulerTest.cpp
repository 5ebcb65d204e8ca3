// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <DeferredNotificationCenter.h>
#include <Instant.h>
#include <LocalCalendar.h>
#include <RecordingNotificationCenter.h>
#include <ReminderScheduler.h>
#include <gtest/gtest.h>

namespace {

const Uuid fixedId = *Uuid::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");

// 2026-03-05 19:30 in Berlin (UTC+1).
constexpr double berlinEvening = 1772735400.0 - referenceDateUnixSeconds;

} // namespace

TEST(ReminderScheduler, ScheduleSubmitsOneRequestForTheToDosMinute)
{
    RecordingNotificationCenter center;
    ReminderScheduler scheduler(center);
    scheduler.scheduleReminder(
        TodoItem("Buy milk", berlinEvening + 59.9, TodoPriority::high, fixedId));

    ASSERT_EQ(center.added.size(), 1u);
    const NotificationRequest &request = center.added.front();
    EXPECT_EQ(request.identifier, QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
    EXPECT_EQ(request.content.title, QStringLiteral("Reminder"));
    EXPECT_EQ(request.content.body, QStringLiteral("Todo: Buy milk"));
    EXPECT_TRUE(request.content.defaultSound);
    EXPECT_EQ(request.trigger.time, berlinEvening + 59.9) << "the to-do's own instant";
    EXPECT_FALSE(request.trigger.repeats);
}

TEST(ReminderScheduler, TheTriggerIsTheStoredInstantNotALocalTime)
{
    // Local times that the zone makes ambiguous or skips must not move it.
    const LocalCalendar berlin("Europe/Berlin");
    const double cases[] = {
        berlinEvening,
        *berlin.instant(2026, 10, 25, 2, 30, 0) + 3600, // the second 2:30 of a fall-back
        *berlin.instant(2026, 3, 29, 3, 0, 0) - 1,      // just before a spring-forward gap
    };
    for (const double time : cases) {
        RecordingNotificationCenter center;
        ReminderScheduler(center).scheduleReminder(TodoItem("x", time, TodoPriority::low));
        ASSERT_EQ(center.added.size(), 1u);
        EXPECT_EQ(center.added.front().trigger.time, time);
    }
}

TEST(ReminderScheduler, BodyIsTheNameAfterOneBlank)
{
    RecordingNotificationCenter center;
    ReminderScheduler scheduler(center);
    for (const char *name : {"Laundry", "Fish & <b>Chips", ""}) {
        scheduler.scheduleReminder(TodoItem(name, 0, TodoPriority::low));
        EXPECT_EQ(center.added.back().content.body,
                  QStringLiteral("Todo: ") + QString::fromUtf8(name));
    }
}

TEST(ReminderScheduler, CancelPassesTheIdentifiersUnchanged)
{
    RecordingNotificationCenter center;
    ReminderScheduler scheduler(center);
    const TodoItem item("x", 0, TodoPriority::low, fixedId);
    scheduler.scheduleReminder(item);
    scheduler.cancelReminders({QString::fromStdString(item.id().uuidString())});
    scheduler.cancelReminders({QStringLiteral("A"), QStringLiteral("B")});
    ASSERT_EQ(center.removed.size(), 2u);
    EXPECT_EQ(center.removed[0], QStringList{center.added.front().identifier});
    EXPECT_EQ(center.removed[1], (QStringList{QStringLiteral("A"), QStringLiteral("B")}));
}

TEST(ReminderScheduler, PermissionAsksForAlertAndSoundAndIgnoresTheAnswer)
{
    RecordingNotificationCenter center;
    ReminderScheduler scheduler(center);
    scheduler.requestReminderPermission();
    ASSERT_EQ(center.authorizationRequests.size(), 1u);
    EXPECT_EQ(center.authorizationRequests.front().options, 6);
    center.authorizationRequests.front().completion(false, QStringLiteral("denied"));
    scheduler.scheduleReminder(TodoItem("still submitted", 0, TodoPriority::low));
    EXPECT_EQ(center.added.size(), 1u);
}

TEST(DeferredNotificationCenter, KeepsCallsUntilOpenedThenPassesThemOnInOrder)
{
    DeferredNotificationCenter deferred;
    ReminderScheduler scheduler(deferred);
    scheduler.requestReminderPermission();
    scheduler.scheduleReminder(TodoItem("x", 0, TodoPriority::low, fixedId));
    scheduler.cancelReminders({QStringLiteral("A")});
    RecordingNotificationCenter center;
    EXPECT_TRUE(center.calls.isEmpty());

    deferred.open(center);
    EXPECT_EQ(center.calls, (QStringList{QStringLiteral("requestAuthorization"), QStringLiteral("add"),
                                         QStringLiteral("removePendingRequests")}));
    EXPECT_EQ(center.added.front().identifier, QStringLiteral("E621E1F8-C36C-495A-93FC-0C247A3E6E5F"));
    scheduler.cancelReminders({QStringLiteral("B")});
    EXPECT_EQ(center.removed.back(), QStringList{QStringLiteral("B")}) << "straight through once open";
}
