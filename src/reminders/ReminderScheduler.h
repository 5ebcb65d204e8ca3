// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationCenter.h"

#include <TodoItem.h>

// One reminder per to-do: title "Reminder", body "Todo: <name>", due once at the
// minute of the to-do's stored instant, the one its row shows in any zone, or
// at the alarm another device set for it.
// Keeps no state; every outcome of the service is ignored.
class ReminderScheduler {
public:
    explicit ReminderScheduler(NotificationCenter &center);

    // The request for `item`'s reminder at `at`, for a batch of changes.
    static NotificationRequest requestFor(const TodoItem &item, double at);

    void requestReminderPermission();
    void scheduleReminder(const TodoItem &item);
    void scheduleReminder(const TodoItem &item, double at);
    void cancelReminders(const QStringList &identifiers);
    // Brings back exactly the reminders that cancelling these withdrew.
    void restoreReminders(const QStringList &identifiers);

private:
    NotificationCenter &m_center;
};
