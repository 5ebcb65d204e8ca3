// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RepeatRule.h"

#include "IcalSupport.h"

#include <algorithm>
#include <cctype>

namespace {

// Beyond this no one counts occurrences by hand: an hourly rule for eleven years.
constexpr int countLimit = 100000;

std::optional<icalrecurrencetype> parsed(std::string_view rule)
{
    icalerror_set_errors_are_fatal(0);
    const std::string text(rule);
    if (text.empty() || text.find_first_of("\r\n") != std::string::npos)
        return std::nullopt;
    const icalrecurrencetype parsedRule = icalrecurrencetype_from_string(text.c_str());
    if (parsedRule.freq == ICAL_NO_RECURRENCE)
        return std::nullopt;
    return parsedRule;
}

bool isCountPart(std::string_view part)
{
    return part.size() > 6 &&
           std::equal(part.begin(), part.begin() + 6,
                      "COUNT=", [](char a, char b) { return std::toupper(a) == b; });
}

std::string normalised(icalrecurrencetype rule)
{
    return takeIcalString(icalrecurrencetype_as_string_r(&rule));
}

} // namespace

std::optional<icalrecurrencetype> followedRule(std::string_view rule)
{
    const auto result = parsed(rule);
    if (!result || result->freq == ICAL_SECONDLY_RECURRENCE ||
        result->freq == ICAL_MINUTELY_RECURRENCE || result->count > countLimit)
        return std::nullopt;
    return result;
}

std::optional<int> ruleCount(std::string_view rule)
{
    const auto result = parsed(rule);
    if (!result || result->count <= 0)
        return std::nullopt;
    return result->count;
}

std::string withCount(std::string_view rule, int count)
{
    std::string result;
    bool replaced = false;
    std::size_t start = 0;
    while (start <= rule.size()) {
        const std::size_t end = std::min(rule.find(';', start), rule.size());
        const std::string_view part = rule.substr(start, end - start);
        if (!result.empty())
            result += ';';
        if (isCountPart(part)) {
            result += std::string(part.substr(0, 6)) + std::to_string(count);
            replaced = true;
        } else {
            result += part;
        }
        start = end + 1;
    }
    return replaced ? result : result + ";COUNT=" + std::to_string(count);
}

bool sameRuleButCount(std::string_view a, std::string_view b)
{
    auto first = parsed(a);
    auto second = parsed(b);
    if (!first || !second)
        return a == b;
    first->count = second->count = 0;
    return normalised(*first) == normalised(*second);
}
