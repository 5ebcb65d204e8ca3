// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SecretServiceLock.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>

bool secretServiceUnlocked(const QDBusConnection &bus)
{
    const QString service = QStringLiteral("org.freedesktop.secrets");
    // Not started for this: a keyring that is not running waits for the window.
    if (!bus.interface() || !bus.interface()->isServiceRegistered(service))
        return false;
    QDBusMessage get = QDBusMessage::createMethodCall(
        service, QStringLiteral("/org/freedesktop/secrets/aliases/default"),
        QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("Get"));
    get << QStringLiteral("org.freedesktop.Secret.Collection") << QStringLiteral("Locked");
    const QDBusMessage reply = bus.call(get, QDBus::Block, 2000);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return false;
    return !reply.arguments().constFirst().value<QDBusVariant>().variant().toBool();
}
