// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Instants are seconds since 2001-01-01 00:00:00 UTC, held in a double.

// Seconds from the Unix epoch to 2001-01-01 00:00:00 UTC.
inline constexpr double referenceDateUnixSeconds = 978307200.0;

constexpr double instantFromUnixMilliseconds(double milliseconds)
{
    return milliseconds / 1000.0 - referenceDateUnixSeconds;
}

constexpr double unixMillisecondsFromInstant(double instant)
{
    return (instant + referenceDateUnixSeconds) * 1000.0;
}
