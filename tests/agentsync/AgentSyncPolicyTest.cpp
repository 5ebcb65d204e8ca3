// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentSyncPolicy.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace std::chrono_literals;

TEST(AgentSyncPolicy, SyncsOnlyOnAFreeNetworkAndBacksOffDoublingUpToAnHour)
{
    enum class Outcome { failed, succeeded };
    struct Case {
        std::string name;
        AgentSyncPolicy::Network network;
        bool signInRefused;
        std::vector<Outcome> outcomes;
        bool syncs;
        std::chrono::minutes next;
    };
    const std::vector<Case> cases{
        {"online", {true, false}, false, {}, true, 15min},
        {"offline", {false, false}, false, {}, false, 15min},
        {"metered", {true, true}, false, {}, false, 15min},
        {"sign-in refused", {true, false}, true, {}, false, 15min},
        {"one failure", {true, false}, false, {Outcome::failed}, true, 30min},
        {"two failures", {true, false}, false, {Outcome::failed, Outcome::failed}, true, 60min},
        {"many failures",
         {true, false},
         false,
         {Outcome::failed, Outcome::failed, Outcome::failed, Outcome::failed, Outcome::failed},
         true,
         60min},
        {"failures then one through",
         {true, false},
         false,
         {Outcome::failed, Outcome::failed, Outcome::succeeded},
         true,
         15min},
        {"through then failed",
         {true, false},
         false,
         {Outcome::succeeded, Outcome::failed},
         true,
         30min},
    };
    for (const Case &c : cases) {
        AgentSyncPolicy policy;
        for (const Outcome outcome : c.outcomes) {
            if (outcome == Outcome::failed)
                policy.failed();
            else
                policy.succeeded();
        }
        EXPECT_EQ(policy.maySync(c.network, c.signInRefused), c.syncs) << c.name;
        EXPECT_EQ(policy.nextPeriod(), c.next) << c.name;
    }
}
