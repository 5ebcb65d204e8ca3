// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "WholeListPlan.h"

#include "ContentLines.h"

#include <algorithm>
#include <chrono>
#include <string>

namespace {

constexpr double queryCostInListings = 10;
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
    const auto days = std::chrono::floor<std::chrono::days>(
        std::chrono::sys_seconds(std::chrono::seconds(seconds)));
    const std::chrono::year_month_day date(days);
    const std::chrono::hh_mm_ss time(std::chrono::sys_seconds(std::chrono::seconds(seconds)) -
                                     days);
    return QByteArray::number(int(date.year())).rightJustified(4, '0') +
           QByteArray::number(unsigned(date.month())).rightJustified(2, '0') +
           QByteArray::number(unsigned(date.day())).rightJustified(2, '0') + 'T' +
           QByteArray::number(time.hours().count()).rightJustified(2, '0') +
           QByteArray::number(time.minutes().count()).rightJustified(2, '0') +
           QByteArray::number(time.seconds().count()).rightJustified(2, '0') + 'Z';
}

} // namespace

std::optional<std::int64_t> plannedTimeOf(const QByteArray &icalendar)
{
    std::optional<std::int64_t> due, start;
    // Only the to-do's own lines: a time zone or an alarm has DTSTARTs too.
    std::vector<std::string> open;
    for (const ContentLine &line :
         splitContentLines(std::string_view(icalendar.constData(), icalendar.size()))) {
        if (line.name == "BEGIN") {
            open.push_back(line.componentName());
        } else if (line.name == "END") {
            if (!open.empty() && open.back() == "VTODO")
                break;
            if (!open.empty())
                open.pop_back();
        } else if (!open.empty() && open.back() == "VTODO" &&
                   (line.name == "DUE" || line.name == "DTSTART")) {
            const std::size_t colon = valueColon(line.unfolded);
            if (colon == std::string::npos)
                continue;
            const auto seconds = secondsOf(std::string_view(line.unfolded).substr(colon + 1));
            (line.name == "DUE" ? due : start) = seconds;
        }
    }
    return due ? due : start;
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

bool wholeListIsFaster(std::size_t remaining, double msPerHref, double listingMs)
{
    return double(remaining) * msPerHref > queriesPerFetch * queryCostInListings * listingMs;
}
