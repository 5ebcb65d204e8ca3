// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// The method calls of one interface on a bus, in the order the bus routed
// them, as dbus-monitor sees them from the moment it is made.
class MethodCallMonitor {
public:
    MethodCallMonitor(const QString &busAddress, const QString &interface);
    ~MethodCallMonitor();

    // Whether the monitor is in place: calls made from now on are seen.
    bool isReady() const { return m_ready; }
    // The members called so far, in order.
    QStringList members() const;

private:
    QTemporaryDir m_directory;
    QString m_output;
    QProcess m_monitor;
    bool m_ready = false;
};
