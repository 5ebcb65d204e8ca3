// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentAutostart.h"
#include "AgentNotificationCenter.h"
#include <ReminderDelivery.h>

#include <QCoreApplication>
#include <QPointer>

NotificationCenter &NotificationCenter::current()
{
    static QPointer<AgentNotificationCenter> center;
    if (!center) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        center = new AgentNotificationCenter(
            bus,
            [bus] { return std::make_unique<ReminderDelivery>(bus); },
            QCoreApplication::instance());
        // Reminders handed to the agent must still come after the next login.
        QObject::connect(center, &AgentNotificationCenter::agentReached, [] {
            ensureAgentAutostart(QCoreApplication::applicationDirPath() +
                                 QStringLiteral("/plimsa-reminders"));
        });
        // Changes made just before quitting still reach the agent.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, center,
                         [c = center.data()] { c->finishCalls(); });
    }
    return *center;
}
