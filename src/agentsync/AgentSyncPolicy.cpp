// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentSyncPolicy.h"

#include <algorithm>

bool AgentSyncPolicy::maySync(Network network, bool signInRefused) const
{
    // The user pays for a metered network, and a refused
    // sign-in tried again would only be refused again, or lock the account.
    return network.online && !network.metered && !signInRefused;
}

std::chrono::minutes AgentSyncPolicy::nextPeriod() const
{
    std::chrono::minutes wait = period;
    for (int failure = 0; failure < m_failures && wait < longestPeriod; ++failure)
        wait *= 2;
    return std::min(wait, longestPeriod);
}
