// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "IcalSupport.h"

#include <Instant.h>

#include <cmath>

namespace {

bool hasOwnProperty(icalcomponent *component, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(component, kind) != nullptr;
}

// libical takes any digits for a date; the calendar would roll a month 55 over
// into years to come.
bool isRealTime(icaltimetype time)
{
    return icaltime_is_valid_time(time) && time.month >= 1 && time.month <= 12 && time.day >= 1 &&
           time.day <= icaltime_days_in_month(time.month, time.year) &&
           (time.is_date || (time.hour <= 23 && time.minute <= 59 && time.second <= 60));
}

} // namespace

icalcomponent *mainVTodo(icalcomponent *root)
{
    if (icalcomponent_isa(root) == ICAL_VTODO_COMPONENT)
        return root;
    icalcomponent *first = nullptr;
    for (auto *todo = icalcomponent_get_first_component(root, ICAL_VTODO_COMPONENT); todo;
         todo = icalcomponent_get_next_component(root, ICAL_VTODO_COMPONENT)) {
        if (!hasOwnProperty(todo, ICAL_RECURRENCEID_PROPERTY))
            return todo;
        if (!first)
            first = todo;
    }
    if (first)
        return first;
    for (auto *calendar = icalcomponent_get_first_component(root, ICAL_VCALENDAR_COMPONENT);
         calendar; calendar = icalcomponent_get_next_component(root, ICAL_VCALENDAR_COMPONENT)) {
        if (auto *todo = mainVTodo(calendar))
            return todo;
    }
    return nullptr;
}

icaltimetype icalUtcTime(double instant)
{
    const auto unixSeconds = time_t(std::floor(instant + referenceDateUnixSeconds));
    return icaltime_from_timet_with_zone(unixSeconds, 0, icaltimezone_get_utc_timezone());
}

icaltimetype icalLocalDate(double instant, const LocalCalendar &local)
{
    const DateComponents day = local.components(instant);
    icaltimetype date = icaltime_null_date();
    date.year = day.year;
    date.month = day.month;
    date.day = day.day;
    return date;
}

std::optional<double> instantOf(icaltimetype time, const LocalCalendar &local)
{
    if (icaltime_is_null_time(time) || !isRealTime(time))
        return std::nullopt;
    if (!time.is_date && (icaltime_is_utc(time) || time.zone))
        return double(icaltime_as_timet_with_zone(time, time.zone)) - referenceDateUnixSeconds;
    return local.instant(time.year, time.month, time.day, time.is_date ? 0 : time.hour,
                         time.is_date ? 0 : time.minute, time.is_date ? 0 : time.second);
}

std::optional<double> propertyInstant(icalcomponent *component, icalproperty_kind kind,
                                      const LocalCalendar &local)
{
    auto *property = icalcomponent_get_first_property(component, kind);
    if (!property)
        return std::nullopt;
    return instantOf(icalproperty_get_datetime_with_component(property, component), local);
}
