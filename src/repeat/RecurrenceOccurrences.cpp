// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RecurrenceOccurrences.h"

#include "RuleCount.h"

#include <Instant.h>

#include <libical/ical.h>

#include <cmath>
#include <memory>
#include <optional>

namespace {

// Past this many occurrences without one still to come (an hourly rule
// missed for more than ten years), the rule is taken as absurd.
constexpr int mostOccurrencesPassed = 100000;

struct IteratorFree {
    void operator()(icalrecur_iterator *iterator) const { icalrecur_iterator_free(iterator); }
};

icaltimetype wallTime(const DateComponents &at, int second, bool wholeDay)
{
    icaltimetype time = icaltime_null_time();
    time.year = at.year;
    time.month = at.month;
    time.day = at.day;
    time.is_date = wholeDay ? 1 : 0;
    if (!wholeDay) {
        time.hour = at.hour;
        time.minute = at.minute;
        time.second = second;
    }
    return time;
}

icaltimetype wallTimeOf(double instant, bool wholeDay, const LocalCalendar &calendar)
{
    const DateComponents at = calendar.components(instant);
    int second = 0;
    if (const auto minute = calendar.instant(at.year, at.month, at.day, at.hour, at.minute, 0))
        second = static_cast<int>(std::clamp(std::floor(instant - *minute), 0.0, 59.0));
    return wallTime(at, second, wholeDay);
}

std::optional<double> instantOf(const icaltimetype &time, const LocalCalendar &calendar)
{
    return calendar.instant(time.year, time.month, time.day, time.hour, time.minute, time.second);
}

// UNTIL as wall time, to compare with occurrences in wall time: one in UTC is
// turned into the calendar's, and a day bounds a timed rule at its end.
icaltimetype wallUntil(icaltimetype until, bool wholeDay, const LocalCalendar &calendar)
{
    if (icaltime_is_utc(until)) {
        const double instant =
            static_cast<double>(icaltime_as_timet(until)) - referenceDateUnixSeconds;
        return wallTimeOf(instant, wholeDay, calendar);
    }
    if (until.is_date && !wholeDay) {
        until.is_date = 0;
        until.hour = 23;
        until.minute = 59;
        until.second = 59;
    }
    until.is_date = wholeDay ? 1 : until.is_date;
    return until;
}

bool isPast(const icaltimetype &occurrence, double at, bool wholeDay, double now,
            const LocalCalendar &calendar)
{
    if (!wholeDay)
        return at <= now;
    const DateComponents today = calendar.components(now);
    return std::tie(occurrence.year, occurrence.month, occurrence.day) <
           std::tie(today.year, today.month, today.day);
}

} // namespace

NextOccurrence RecurrenceOccurrences::after(std::string_view rrule, double current, bool wholeDay,
                                            double now, const LocalCalendar &calendar) const
{
    icalerror_set_errors_are_fatal(0);
    icalrecurrencetype rule = icalrecurrencetype_from_string(std::string(rrule).c_str());
    // As sync leaves them: a count past what anyone sets by hand is absurd.
    if (rule.freq == ICAL_NO_RECURRENCE || rule.freq == ICAL_SECONDLY_RECURRENCE ||
        rule.freq == ICAL_MINUTELY_RECURRENCE || rule.count > mostOccurrencesPassed)
        return {};
    const bool bounded = rule.count > 0 || !icaltime_is_null_time(rule.until);
    if (!icaltime_is_null_time(rule.until))
        rule.until = wallUntil(rule.until, wholeDay, calendar);
    const icaltimetype start = wallTimeOf(current, wholeDay, calendar);
    const std::unique_ptr<icalrecur_iterator, IteratorFree> iterator(
        icalrecur_iterator_new(rule, start));
    if (!iterator)
        return {};

    // The current occurrence is the first, whether or not the rule yields it.
    int passed = 0;
    for (int step = 0; step < mostOccurrencesPassed; ++step) {
        const icaltimetype occurrence = icalrecur_iterator_next(iterator.get());
        if (icaltime_is_null_time(occurrence))
            return {bounded ? NextOccurrence::Kind::none : NextOccurrence::Kind::notFollowed};
        if (icaltime_compare(occurrence, start) <= 0)
            continue;
        ++passed;
        if (rule.count > 0 && passed >= rule.count)
            return {NextOccurrence::Kind::none};
        const std::optional<double> at = instantOf(occurrence, calendar);
        if (!at || isPast(occurrence, *at, wholeDay, now, calendar))
            continue;
        return {NextOccurrence::Kind::found, *at,
                rule.count > 0 ? withCount(rrule, rule.count - passed) : std::string(rrule)};
    }
    return {};
}
