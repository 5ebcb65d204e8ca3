// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentAutostart.h"
#include "AgentNotificationCenter.h"
#include <ReminderDelivery.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QPointer>
#include <ReminderAgentChange.h>
#include <ReminderAgentProtocol.h>

NotificationCenter &NotificationCenter::current()
{
    static QPointer<AgentNotificationCenter> center;
    if (!center) {
        // Before the bus's thread starts, which registers types of its own.
        reminderAgent::registerChangeType();
        const QDBusConnection bus = QDBusConnection::sessionBus();
        center = new AgentNotificationCenter(
            bus,
            [bus] { return std::make_unique<ReminderDelivery>(bus); },
            QCoreApplication::instance());
        // Reminders handed to the agent must still come after the next login.
        // The entry names the agent the bus started, which need not be the one
        // beside this program: a build tree's is gone once the tree is.
        QObject::connect(
            center, &AgentNotificationCenter::agentReached, center, [bus, c = center.data()] {
                auto *owner = new QDBusPendingCallWatcher(
                    bus.interface()->asyncCall(QStringLiteral("GetConnectionUnixProcessID"),
                                               reminderAgent::service),
                    c);
                QObject::connect(owner, &QDBusPendingCallWatcher::finished, owner, [owner] {
                    owner->deleteLater();
                    const QDBusPendingReply<uint> pid = *owner;
                    if (!pid.isError())
                        ensureAgentAutostart(executableOf(pid.value()));
                });
            });
        // Changes made just before quitting still reach the agent.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, center,
                         [c = center.data()] { c->finishCalls(); });
    }
    return *center;
}
