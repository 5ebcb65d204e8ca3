// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <libical/ical.h>

#include <optional>
#include <string>
#include <string_view>

// The repeat rules sync follows, and their COUNT, worked on as the text
// another client wrote, so that what is not changed stays as it was.
//
// A rule is followed when libical reads it, it repeats hourly or slower, and
// its COUNT is one a person could mean; any other is kept and shown at its
// DUE, as a to-do that does not repeat would be.
std::optional<icalrecurrencetype> followedRule(std::string_view rule);

// The COUNT of a rule; none when it has none or libical cannot read it.
std::optional<int> ruleCount(std::string_view rule);

// The rule with its COUNT set to `count`, every other part as written.
std::string withCount(std::string_view rule, int count);

// Both rules read alike but perhaps for their COUNT.
bool sameRuleButCount(std::string_view a, std::string_view b);
