// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "WholeListPlan.h"

#include "VTodoLines.h"

#include <QDateTime>

#include <algorithm>
#include <chrono>

namespace {

constexpr double dataQueryCostInEtagQueries = 3;
constexpr double queriesPerFetch = 3;

// "20250105", "20250105T093000" or "20250105T093000Z", as UTC seconds.
std::optional<std::int64_t> secondsOf(std::string_view value)
{
    const auto digits = [&](std::size_t from, std::size_t count) -> std::optional<int> {
        if (value.size() < from + count)
            return std::nullopt;
        int number = 0;
        for (std::size_t i = from; i < from + count; ++i) {
            if (value[i] < '0' || value[i] > '9')
                return std::nullopt;
            number = number * 10 + (value[i] - '0');
        }
        return number;
    };
    const auto year = digits(0, 4), month = digits(4, 2), day = digits(6, 2);
    if (!year || !month || !day)
        return std::nullopt;
    const std::chrono::year_month_day date{std::chrono::year(*year),
                                           std::chrono::month(unsigned(*month)),
                                           std::chrono::day(unsigned(*day))};
    if (!date.ok())
        return std::nullopt;
    std::int64_t seconds =
        std::int64_t(std::chrono::sys_days(date).time_since_epoch().count()) * 86400;
    if (value.size() > 8 && value[8] == 'T') {
        const auto hour = digits(9, 2), minute = digits(11, 2), second = digits(13, 2);
        if (!hour || !minute || !second)
            return std::nullopt;
        seconds += *hour * 3600 + *minute * 60 + *second;
    }
    return seconds;
}

QByteArray utcText(std::int64_t seconds)
{
    return QDateTime::fromSecsSinceEpoch(seconds, Qt::UTC)
        .toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"))
        .toLatin1();
}

} // namespace

std::optional<std::int64_t> plannedTimeOf(const QByteArray &icalendar)
{
    const auto lines =
        splitContentLines(std::string_view(icalendar.constData(), std::size_t(icalendar.size())));
    const auto start = mainVTodoStart(lines);
    if (!start)
        return std::nullopt;
    for (const std::string_view name : {"DUE", "DTSTART"}) {
        if (const auto value = ownValue(lines, *start, name)) {
            if (const auto seconds = secondsOf(*value))
                return seconds;
        }
    }
    return std::nullopt;
}

std::vector<TimeRange> timeRangeParts(const std::vector<std::int64_t> &times, std::size_t parts,
                                      const TimeRange &within)
{
    const auto inside = [&](std::int64_t time) {
        return (!within.start || time >= *within.start) && (!within.end || time < *within.end);
    };
    const auto first = std::ranges::find_if(times, inside);
    const auto last = std::find_if_not(first, times.end(), inside);
    const std::size_t count = std::size_t(last - first);
    std::vector<TimeRange> ranges;
    std::optional<std::int64_t> start = within.start;
    for (std::size_t part = 1; part < parts && count > 0; ++part) {
        const std::size_t before = count * part / parts;
        if (before == 0)
            continue;
        // The range ends where the next one's first time begins; a cut inside
        // a run of equal times moves to the run's end.
        const auto cut = std::upper_bound(first, last, *(first + std::ptrdiff_t(before) - 1));
        if (cut == last)
            break;
        if (start && *cut <= *start)
            continue;
        ranges.push_back({start, *cut});
        start = *cut;
    }
    ranges.push_back({start, within.end});
    return ranges;
}

QByteArray todosWithin(const TimeRange &range)
{
    QByteArray timeRange;
    if (range.start || range.end) {
        timeRange = "<C:time-range";
        if (range.start)
            timeRange += " start=\"" + utcText(*range.start) + '"';
        if (range.end)
            timeRange += " end=\"" + utcText(*range.end) + '"';
        timeRange += "/>";
    }
    return R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
           R"(<D:prop><D:getetag/><C:calendar-data/></D:prop><C:filter>)"
           R"(<C:comp-filter name="VCALENDAR"><C:comp-filter name="VTODO">)" +
           timeRange + "</C:comp-filter></C:comp-filter></C:filter></C:calendar-query>";
}

bool wholeListIsFaster(std::size_t remaining, double msPerHref, double etagQueryMs)
{
    return double(remaining) * msPerHref >
           queriesPerFetch * dataQueryCostInEtagQueries * etagQueryMs;
}
