// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentSyncOnDemand.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

AgentSyncOnDemand::AgentSyncOnDemand(NotificationCenter &reminders, QString modulePath,
                                     QString folder)
    : m_reminders(reminders), m_module(std::move(modulePath)), m_folder(std::move(folder))
{
    // Unresolved names should fail the load, not a sync hours later.
    m_module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

// Sync ends (its thread joined) while its code is still loaded.
AgentSyncOnDemand::~AgentSyncOnDemand() = default;

QString AgentSyncOnDemand::standardModulePath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" PLIMSA_AGENT_SYNC_MODULE));
}

bool AgentSyncOnDemand::accountExists() const
{
    return QFileInfo::exists(QDir(m_folder).filePath(QStringLiteral("account.json")));
}

void AgentSyncOnDemand::startIfAccount()
{
    if (m_sync || m_failed || !accountExists())
        return;
    auto *create = reinterpret_cast<CreateAgentSync *>(m_module.resolve("plimsaCreateAgentSync"));
    if (!create) {
        m_failed = true;
        std::fprintf(stderr, "plimsa-reminders: sync is not available: %s\n",
                     qPrintable(m_module.errorString()));
        return;
    }
    m_sync.reset(create(m_reminders, m_folder));
}

void AgentSyncOnDemand::syncNow()
{
    if (m_sync)
        return m_sync->syncNow();
    // Loading syncs at once.
    startIfAccount();
}

void AgentSyncOnDemand::release()
{
    if (m_sync)
        m_sync->release();
}

bool AgentSyncOnDemand::hasAccount() const
{
    return m_sync && m_sync->hasAccount();
}
