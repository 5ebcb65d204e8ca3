// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The value among `values` whose `name` is exactly `text`. For names that
// differ in their first letter, so that once the loop is unrolled one
// comparison settles it: the JSON reader asks this of every stored member.
template <typename Value, std::size_t count, typename Name>
constexpr std::optional<Value> valueNamed(const std::array<Value, count> &values, Name name,
                                          std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    for (Value value : values) {
        const std::string_view candidate = name(value);
        if (candidate.front() == text.front())
            return candidate == text ? std::optional(value) : std::nullopt;
    }
    return std::nullopt;
}
