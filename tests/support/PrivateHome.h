// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QProcessEnvironment>
#include <QTemporaryDir>

// Private XDG folders for running the real binaries, as a session has them:
// config, data and state homes, and a runtime directory of mode 0700.
class PrivateHome {
public:
    PrivateHome();

    bool isReady() const { return m_ready; }
    QString configHome() const { return m_directory.filePath(QStringLiteral("config")); }
    QString storeDirectory() const { return configHome() + QStringLiteral("/plimsa"); }
    QString dataHome() const { return m_directory.filePath(QStringLiteral("data")); }
    QString stateHome() const { return m_directory.filePath(QStringLiteral("state")); }
    QString runtimeDirectory() const { return m_directory.filePath(QStringLiteral("runtime")); }
    // Appears once Plimsa owns the session and handles every way out.
    QString instanceSocket() const { return runtimeDirectory() + QStringLiteral("/plimsa.socket"); }

    // Only what points into this home, the bus and the offscreen platform.
    QProcessEnvironment sessionEnvironment(const QString &busAddress) const;
    // The same over this process's own environment.
    QProcessEnvironment processEnvironment(const QString &busAddress) const;

private:
    QTemporaryDir m_directory;
    bool m_ready = false;
};
