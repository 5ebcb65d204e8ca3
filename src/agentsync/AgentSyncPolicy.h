// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <chrono>

// When the reminder agent syncs: at its start, every 15 minutes, when the
// network comes back, after a resume and when asked; never while the network
// is down or metered, nor once the server refused the sign-in (until a window
// has been open: sign-in is the window's). After a failed sync the period
// doubles, up to an hour, and a sync that gets through brings it back.
// Plain logic: the agent's timer asks it how long to wait.
class AgentSyncPolicy {
public:
    struct Network {
        bool online = true;
        bool metered = false;
    };
    static constexpr std::chrono::minutes period{15};
    static constexpr std::chrono::minutes longestPeriod{60};

    // Whatever the reason to sync.
    bool maySync(Network network, bool signInRefused) const;
    void succeeded() { m_failures = 0; }
    void failed() { ++m_failures; }
    // Until the periodic sync after the last one.
    std::chrono::minutes nextPeriod() const;

private:
    int m_failures = 0;
};
