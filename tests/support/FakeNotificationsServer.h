// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDBusConnection>
#include <QDBusContext>
#include <QDBusMessage>
#include <QObject>
#include <QStringList>
#include <QVariantMap>

// An org.freedesktop.Notifications server that records every Notify call it
// takes, refuses as many as told, and holds its capabilities back when told.
class FakeNotificationsServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    struct Notification {
        QString appName;
        uint replacesId;
        QString appIcon;
        QString summary;
        QString body;
        QStringList actions;
        QVariantMap hints;
        int expireTimeout;
    };

    explicit FakeNotificationsServer(QStringList capabilities)
        : m_capabilities(std::move(capabilities))
    {
    }

    // Registers on `connection` under the well-known name.
    bool publish(QDBusConnection connection)
    {
        m_connection = connection;
        return connection.registerObject(QStringLiteral("/org/freedesktop/Notifications"), this,
                                         QDBusConnection::ExportAllSlots) &&
               connection.registerService(QStringLiteral("org.freedesktop.Notifications"));
    }

    // What a server does when the user clicks notification `id`, or it goes away.
    void click(uint id, const QString &actionKey = QStringLiteral("default"),
               const QString &activationToken = QString())
    {
        if (!activationToken.isEmpty())
            emitSignal(QStringLiteral("ActivationToken"), {id, activationToken});
        emitSignal(QStringLiteral("ActionInvoked"), {id, actionKey});
        emitSignal(QStringLiteral("NotificationClosed"), {id, 2u});
    }
    void close(uint id) { emitSignal(QStringLiteral("NotificationClosed"), {id, 3u}); }
    void answerCapabilities()
    {
        for (const QDBusMessage &call : std::exchange(heldCapabilities, {}))
            m_connection.send(call.createReply(m_capabilities));
    }

    std::vector<Notification> received;
    int refusals = 0;
    bool holdCapabilities = false;
    std::vector<QDBusMessage> heldCapabilities;

public slots:
    QStringList GetCapabilities()
    {
        if (!holdCapabilities)
            return m_capabilities;
        setDelayedReply(true);
        heldCapabilities.push_back(message());
        return {};
    }
    QString GetServerInformation(QString &vendor, QString &version, QString &specVersion)
    {
        vendor = QStringLiteral("Plimsa tests");
        version = QStringLiteral("1");
        specVersion = QStringLiteral("1.2");
        return QStringLiteral("fake");
    }
    uint Notify(const QString &appName, uint replacesId, const QString &appIcon,
                const QString &summary, const QString &body, const QStringList &actions,
                const QVariantMap &hints, int expireTimeout)
    {
        if (refusals > 0) {
            --refusals;
            sendErrorReply(QDBusError::Failed, QStringLiteral("refused by the test"));
            return 0;
        }
        received.push_back(
            {appName, replacesId, appIcon, summary, body, actions, hints, expireTimeout});
        return static_cast<uint>(received.size());
    }

private:
    void emitSignal(const QString &name, const QVariantList &arguments)
    {
        auto message = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                  QStringLiteral("org.freedesktop.Notifications"),
                                                  name);
        message.setArguments(arguments);
        m_connection.send(message);
    }

    QStringList m_capabilities;
    QDBusConnection m_connection{QString()};
};
