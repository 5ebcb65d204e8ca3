// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "FreedesktopNotificationServer.h"
#include "LocalNotificationCenter.h"

#include <Clock.h>
#include <QDBusConnection>
#include <QObject>

// The user's pending reminders, delivered from this process: the file in
// $XDG_DATA_HOME/plimsa, the desktop's notification server, the wall clock and
// the current time zone. Clicking a reminder opens the Plimsa window.
class ReminderDelivery final : public QObject, public NotificationCenter {
    Q_OBJECT

public:
    explicit ReminderDelivery(QDBusConnection sessionBus, QObject *parent = nullptr);

    void requestAuthorization(int options, AuthorizationCompletion completion) override
    {
        m_center.requestAuthorization(options, std::move(completion));
    }
    void add(const NotificationRequest &request) override { m_center.add(request); }
    void removePendingRequests(const QStringList &identifiers) override
    {
        m_center.removePendingRequests(identifiers);
    }
    void restoreRemovedRequests(const QStringList &identifiers) override
    {
        m_center.restoreRemovedRequests(identifiers);
    }
    void applyChanges(const std::vector<PendingChange> &changes) override
    {
        m_center.applyChanges(changes);
    }

    LocalNotificationCenter &center() { return m_center; }
    bool isBusy() { return m_server.isBusy(); }

private:
    SystemClock m_clock;
    FreedesktopNotificationServer m_server;
    LocalNotificationCenter m_center;
};
