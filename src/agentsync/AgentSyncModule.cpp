// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The agent's sync module's one entry, which the agent finds by name once
// there is an account.

#include "AgentSync.h"

extern "C" Q_DECL_EXPORT AgentSyncService *plimsaCreateAgentSync(NotificationCenter &reminders,
                                                                 const QString &folder)
{
    return new AgentSync(reminders, folder);
}
