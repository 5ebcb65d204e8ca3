// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

class NotificationCenter;

// Sync as the reminder agent runs it while no Plimsa window is open, with the
// window's engine; it comes from a module of its own (plimsa-agent-sync.so),
// loaded only once there is an account, so that an agent without one stays as
// small as before. Lives on the agent's main thread.
class AgentSyncService {
public:
    virtual ~AgentSyncService() = default;

    // A reason to sync now: asked on the bus, or a window closed with changes
    // the server has not taken.
    virtual void syncNow() = 0;
    // Stops a sync under way and lets go of sync, for a window that takes it
    // over; returns once let go, the list and the reminders as written so far.
    virtual void release() = 0;
    // Whether there is still an account: while there is, the agent stays.
    virtual bool hasAccount() const = 0;
};

// What the module exports: sync of the account in `folder`, whose changes
// reach the reminders through `reminders`.
using CreateAgentSync = AgentSyncService *(NotificationCenter &reminders, const QString &folder);
