// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RuleCount.h"

#include <algorithm>
#include <cctype>

namespace {

bool isCountKey(std::string_view key)
{
    return std::ranges::equal(key, std::string_view("COUNT"), [](char a, char b) {
        return std::toupper(static_cast<unsigned char>(a)) == b;
    });
}

} // namespace

std::string withCount(std::string_view rrule, int count)
{
    std::string result;
    std::size_t start = 0;
    while (start <= rrule.size()) {
        std::size_t end = rrule.find(';', start);
        if (end == std::string_view::npos)
            end = rrule.size();
        const std::string_view part = rrule.substr(start, end - start);
        if (start > 0)
            result += ';';
        const std::size_t equals = part.find('=');
        if (equals != std::string_view::npos && isCountKey(part.substr(0, equals)))
            result.append(part.substr(0, equals + 1)).append(std::to_string(count));
        else
            result += part;
        start = end + 1;
    }
    return result;
}
