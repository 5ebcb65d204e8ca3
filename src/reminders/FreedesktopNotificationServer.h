#pragma once

#include "NotificationServer.h"

#include <QDBusConnection>
#include <QDeadlineTimer>
#include <QHash>
#include <QObject>

// Shows notifications through org.freedesktop.Notifications. Every call is
// asynchronous; with no server on the bus, everything is dropped, and a server
// that appears later is used.
// Answers still in flight are dropped when the object goes away.
class FreedesktopNotificationServer final : public QObject, public NotificationServer {
    Q_OBJECT

public:
    explicit FreedesktopNotificationServer(QDBusConnection connection, QObject *parent = nullptr);

    void show(const NotificationContent &content) override;
    void probe(ProbeAnswer answer) override;

    // True while a notification is on its way to the server, or one it showed
    // may still be clicked. A notification the server never reports closed is
    // given up after an hour.
    bool isBusy();

signals:
    // The user clicked one of our notifications.
    void defaultActionInvoked();

private slots:
    void onActionInvoked(uint id, const QString &actionKey);
    void onNotificationClosed(uint id, uint reason);

private:
    void notify(const NotificationContent &content, const QStringList &capabilities);

    QDBusConnection m_connection;
    int m_callsInFlight = 0;
    QHash<uint, QDeadlineTimer> m_openNotifications;
};

// The body text for a server that reads it as markup: the user's text must show
// as typed, never as tags.
QString escapedForMarkup(const QString &text);
