// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "XdgDirectories.h"

#include <QDir>

namespace {

QString directoryOr(const char *variable, const QString &fallback)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : fallback;
}

} // namespace

QString XdgDirectories::configHome()
{
    return directoryOr("XDG_CONFIG_HOME", QDir::homePath() + QStringLiteral("/.config"));
}

QString XdgDirectories::dataHome()
{
    return directoryOr("XDG_DATA_HOME", QDir::homePath() + QStringLiteral("/.local/share"));
}

QString XdgDirectories::stateHome()
{
    return directoryOr("XDG_STATE_HOME", QDir::homePath() + QStringLiteral("/.local/state"));
}

QStringList XdgDirectories::configDirectories()
{
    QStringList directories;
    for (const QString &entry : qEnvironmentVariable("XDG_CONFIG_DIRS").split(QLatin1Char(':'))) {
        if (QDir::isAbsolutePath(entry))
            directories.append(QDir::cleanPath(entry));
    }
    if (directories.isEmpty())
        directories.append(QStringLiteral("/etc/xdg"));
    return directories;
}
