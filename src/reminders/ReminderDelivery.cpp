// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ReminderDelivery.h"

#include <PlimsaLauncher.h>
#include "SystemResumeWatcher.h"

#include <XdgDirectories.h>

ReminderDelivery::ReminderDelivery(QDBusConnection sessionBus, QObject *parent)
    : QObject(parent), m_server(std::move(sessionBus)),
      m_center(PendingRequestsFile(XdgDirectories::dataHome() +
                                   QStringLiteral("/plimsa/pending-notifications.json")),
               m_server, m_clock, &LocalCalendar::current)
{
    auto *resumeWatcher = new SystemResumeWatcher(this);
    connect(resumeWatcher, &SystemResumeWatcher::resumed, &m_center,
            &LocalNotificationCenter::deliverDue);
    connect(&m_server, &NotificationServer::actionInvoked, this,
            [](const NotificationRequest &, const QString &action, const QString &token) {
                if (action == NotificationServer::openAction)
                    openPlimsaWindow(token);
            });
}
