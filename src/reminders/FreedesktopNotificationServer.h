#pragma once

#include "NotificationServer.h"

#include <QDBusConnection>
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

private:
    void notify(const NotificationContent &content, bool bodyMarkup);

    QDBusConnection m_connection;
};

// The body text for a server that reads it as markup: the user's text must show
// as typed, never as tags.
QString escapedForMarkup(const QString &text);
