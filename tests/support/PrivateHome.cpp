// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PrivateHome.h"

#include <QDir>
#include <QFile>

PrivateHome::PrivateHome()
{
    m_ready = m_directory.isValid() && QDir().mkpath(runtimeDirectory()) &&
              QFile::setPermissions(runtimeDirectory(), QFileDevice::ReadOwner |
                                                            QFileDevice::WriteOwner |
                                                            QFileDevice::ExeOwner);
}

QProcessEnvironment PrivateHome::sessionEnvironment(const QString &busAddress) const
{
    QProcessEnvironment environment;
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), configHome());
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataHome());
    environment.insert(QStringLiteral("XDG_STATE_HOME"), stateHome());
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtimeDirectory());
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), busAddress);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return environment;
}

QProcessEnvironment PrivateHome::processEnvironment(const QString &busAddress) const
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(sessionEnvironment(busAddress));
    return environment;
}
