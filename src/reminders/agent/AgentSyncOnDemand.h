// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <AgentSyncService.h>

#include <QLibrary>
#include <QString>

#include <memory>

// The agent's sync, loaded from its module (and with it the network, the
// calendar format, SQLite and the keyring) only once the sync folder holds an
// account: at the agent's start, or when asked to sync after a window set one
// up. Without an account the agent loads none of it.
class AgentSyncOnDemand {
public:
    AgentSyncOnDemand(NotificationCenter &reminders, QString modulePath, QString folder);
    ~AgentSyncOnDemand();

    // Where the module is installed, relative to the agent.
    static QString standardModulePath();

    // Loads sync when there is an account and it is not loaded yet.
    void startIfAccount();
    void syncNow();
    void release();
    // While true the agent stays, to sync.
    bool hasAccount() const;
    bool isLoaded() const { return m_sync != nullptr; }

private:
    bool accountExists() const;

    NotificationCenter &m_reminders;
    QLibrary m_module;
    QString m_folder;
    std::unique_ptr<AgentSyncService> m_sync;
    bool m_failed = false;
};
