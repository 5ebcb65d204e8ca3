// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ReminderScheduler.h"

ReminderScheduler::ReminderScheduler(NotificationCenter &center) : m_center(center) {}

void ReminderScheduler::requestReminderPermission()
{
    m_center.requestAuthorization(authorizationAlert | authorizationSound,
                                  [](bool, std::optional<QString>) {});
}

void ReminderScheduler::scheduleReminder(const TodoItem &item)
{
    scheduleReminder(item, item.time());
}

void ReminderScheduler::scheduleReminder(const TodoItem &item, double at)
{
    m_center.add(requestFor(item, at));
}

NotificationRequest ReminderScheduler::requestFor(const TodoItem &item, double at)
{
    NotificationRequest request;
    request.identifier = QString::fromStdString(item.id().uuidString());
    request.content.title = QStringLiteral("Reminder");
    request.content.body = QStringLiteral("Todo: ") + QString::fromStdString(item.name());
    request.content.defaultSound = true;
    request.trigger.time = at;
    request.trigger.repeats = false;
    return request;
}

void ReminderScheduler::cancelReminders(const QStringList &identifiers)
{
    m_center.removePendingRequests(identifiers);
}

void ReminderScheduler::restoreReminders(const QStringList &identifiers)
{
    m_center.restoreRemovedRequests(identifiers);
}
