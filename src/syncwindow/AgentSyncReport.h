// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

#include <optional>

// What the reminder agent's last sync left for the window, which shows it the
// next time it opens: kept in the sync folder, since the agent has no way to
// tell the user itself.
struct AgentSyncReport {
    // As the window's attention names them.
    enum class Problem { none, signIn, serverGone, confirmRemoval, files, refused, listGone };
    Problem problem = Problem::none;
    // When the server last answered, for "gone for a day".
    std::optional<double> lastReached;

    friend bool operator==(const AgentSyncReport &, const AgentSyncReport &) = default;
};

// None when the agent left none, or it cannot be read.
std::optional<AgentSyncReport> readAgentSyncReport(const QString &folder);
bool writeAgentSyncReport(const QString &folder, const AgentSyncReport &report);
// The window has taken it over.
void removeAgentSyncReport(const QString &folder);
