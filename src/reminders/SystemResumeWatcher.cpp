// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SystemResumeWatcher.h"

#include <QDBusConnection>

SystemResumeWatcher::SystemResumeWatcher(QObject *parent) : QObject(parent)
{
    QDBusConnection::systemBus().connect(
        QStringLiteral("org.freedesktop.login1"), QStringLiteral("/org/freedesktop/login1"),
        QStringLiteral("org.freedesktop.login1.Manager"), QStringLiteral("PrepareForSleep"), this,
        SLOT(onPrepareForSleep(bool)));
}

void SystemResumeWatcher::onPrepareForSleep(bool goingToSleep)
{
    if (!goingToSleep)
        emit resumed();
}
