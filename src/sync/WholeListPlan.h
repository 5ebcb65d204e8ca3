// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>

#include <cstdint>
#include <optional>
#include <vector>

// Fetching a long list as a few queries over the whole list instead of by
// href, when that is faster: on servers that find each href by going through
// the list (Xandikos), where a calendar-multiget of n hrefs costs n passes
// over the list and one calendar-query one, and wherever most of a long list
// is fetched (Radicale answers one query for all of it in the time it takes
// to find a few thousand hrefs). Its answers are kept under the size limit by
// asking for the to-dos of one time range at a time, planned from the due
// times of the to-dos a first, cut-off answer brought.

// UTC seconds; an open end is unbounded.
struct TimeRange {
    std::optional<std::int64_t> start;
    std::optional<std::int64_t> end;

    bool operator==(const TimeRange &) const = default;
};

// When a to-do is due, else when it starts, read as if it were UTC (a few
// hours off for a local time, which only moves it between neighbouring
// parts); none for one with neither, which every time range matches.
std::optional<std::int64_t> plannedTimeOf(const QByteArray &icalendar);

// Up to `parts` ranges that together cover `within`, each holding about as
// many of `times` (sorted) as the next; equal times stay in one range. One
// range when the times cannot be split.
std::vector<TimeRange> timeRangeParts(const std::vector<std::int64_t> &times, std::size_t parts,
                                      const TimeRange &within);

// The calendar-query for every to-do in `range`, with its data.
QByteArray todosWithin(const TimeRange &range);

// Whether the rest of a fetch goes faster as whole-list queries, from what a
// first small calendar-multiget cost per href and what the last query for
// every to-do's ETag took. A query for their data as well costs a server up
// to about three of those, and a long fetch takes up to three such queries.
bool wholeListIsFaster(std::size_t remaining, double msPerHref, double etagQueryMs);
