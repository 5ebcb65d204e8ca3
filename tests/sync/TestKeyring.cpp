// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TestKeyring.h"

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QThread>

TestKeyring::TestKeyring(const PrivateSessionBus &bus)
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    environment.insert(QStringLiteral("HOME"), m_home.path());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
    environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
    m_daemon.setProcessEnvironment(environment);
    m_daemon.start(QStringLiteral("gnome-keyring-daemon"),
                   {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                    QStringLiteral("--components=secrets")});
    // It reads the login keyring's password until the end of its input.
    m_daemon.waitForStarted(5000);
    m_daemon.write("login password\n");
    m_daemon.waitForBytesWritten(5000);
    m_daemon.closeWriteChannel();
    const QDBusConnection connection = bus.connect(QStringLiteral("keyring-probe"));
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_daemon.state() != QProcess::NotRunning) {
        if (connection.interface()->isServiceRegistered(QStringLiteral("org.freedesktop.secrets")))
            return;
        QThread::msleep(50);
    }
}

TestKeyring::~TestKeyring()
{
    m_daemon.terminate();
    if (!m_daemon.waitForFinished(5000))
        m_daemon.kill();
    m_daemon.waitForFinished(5000);
}
