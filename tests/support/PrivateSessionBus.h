// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDBusConnection>
#include <QProcess>
#include <QTemporaryDir>

// A dbus-daemon of the test's own, so no test ever reaches the user's session
// bus. It activates services only from `serviceDirectories`: calls to other
// absent names fail at once.
class PrivateSessionBus {
public:
    explicit PrivateSessionBus(const QStringList &serviceDirectories = {});
    ~PrivateSessionBus();

    bool isRunning() const { return !m_address.isEmpty(); }
    const QString &address() const { return m_address; }
    // A new connection to the bus, under a name unique to this process.
    QDBusConnection connect(const QString &name) const;
    // Ends the bus, as the end of a session does.
    void stop();

private:
    QTemporaryDir m_directory;
    QProcess m_daemon;
    QString m_address;
    mutable QStringList m_connectionNames;
};
