// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationServer.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QHash>

// Shows notifications through org.freedesktop.Notifications (1.2). Every call
// is asynchronous and given up after a few seconds; a server that comes onto
// the bus later is announced. Notifications name their sound
// (alarm-clock-elapsed) and, where the server shows actions, offer "Open" as
// the default action and "Snooze". Clicks count only from the server that
// showed the notification; when another takes the name, none of ours is left.
// Answers still in flight are dropped when the object goes away.
class FreedesktopNotificationServer final : public NotificationServer {
    Q_OBJECT

public:
    explicit FreedesktopNotificationServer(QDBusConnection connection, QObject *parent = nullptr);

    void show(const NotificationRequest &request, StillWanted stillWanted,
              ShowAnswer answer) override;
    void probe(ProbeAnswer answer) override;

    // True while a notification is on its way to the server, or one it showed
    // may still be clicked. A notification the server never reports closed is
    // given up after an hour.
    bool isBusy();

private slots:
    void onActivationToken(uint id, const QString &token);
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    struct Shown {
        NotificationRequest request;
        QDeadlineTimer clickable;
        QString activationToken;
    };

    void notify(const NotificationRequest &request, const QStringList &capabilities,
                ShowAnswer answer);

    QDBusConnection m_connection;
    int m_callsInFlight = 0;
    QHash<uint, Shown> m_shown;
};

// The body text for a server that reads it as markup: the user's text must show
// as typed, never as tags.
QString escapedForMarkup(const QString &text);
