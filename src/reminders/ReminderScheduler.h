#pragma once

#include "NotificationCenter.h"

#include <TodoItem.h>
#include <functional>

// One reminder per to-do: title "Reminder", body "Todo: <name>", due once at the
// to-do's minute. Keeps no state; every outcome of the service is ignored.
class ReminderScheduler {
public:
    using CalendarSource = std::function<LocalCalendar()>;

    explicit ReminderScheduler(NotificationCenter &center,
                               CalendarSource currentCalendar = &LocalCalendar::current);

    void requestReminderPermission();
    void scheduleReminder(const TodoItem &item);
    void cancelReminders(const QStringList &identifiers);

private:
    NotificationCenter &m_center;
    CalendarSource m_currentCalendar;
};
