// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QLockFile>
#include <QObject>

// Keeps Plimsa to one process per user session: two processes would each save
// their own list on close and overwrite each other's changes.
class SingleInstance : public QObject {
    Q_OBJECT

public:
    // `runtimeDirectory` holds the lock and the socket; usually $XDG_RUNTIME_DIR.
    explicit SingleInstance(const QString &runtimeDirectory, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is now the one instance; it then listens for later launches.
    bool claim();
    // Asks the running instance to raise its window, handing on the launch's
    // activation token (may be empty), and to open the sync settings when
    // `syncSettings`. Blocks for at most a few seconds.
    bool askRunningInstanceToRaise(const QString &activationToken, bool syncSettings = false);

signals:
    // With the activation token of the launch, or an empty one.
    void raiseRequested(const QString &activationToken);
    // After `raiseRequested`, for a launch from the "Sync Settings" action.
    void syncSettingsRequested();

private:
    QString m_socketPath;
    QLockFile m_lock;
    int m_socket = -1;
};
