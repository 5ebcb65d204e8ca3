// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoDueMove.h"

#include <Instant.h>

#include <algorithm>
#include <cmath>

namespace {

// Days since the epoch, so that dates move by whole days whatever daylight
// saving does to the seconds between their midnights.
long dayNumber(icaltimetype date)
{
    return long(icaltime_as_timet(date) / 86400);
}

icaltimetype datePlusDays(icaltimetype date, long days)
{
    icaltime_adjust(&date, int(days), 0, 0, 0);
    return date;
}

std::optional<icaltimetype> movedStartDate(icaltimetype start, double startInstant,
                                           icaltimetype due, std::optional<double> oldDue,
                                           const LocalCalendar &local)
{
    const icaltimetype startDate = start.is_date ? start : icalLocalDate(startInstant, local);
    icaltimetype moved = startDate;
    if (dayNumber(startDate) > dayNumber(due)) {
        const long days = oldDue ? dayNumber(due) - dayNumber(icalLocalDate(*oldDue, local)) : 0;
        moved = datePlusDays(startDate, days);
        if (dayNumber(moved) > dayNumber(due))
            moved = due;
    }
    if (start.is_date && dayNumber(moved) == dayNumber(startDate))
        return std::nullopt;
    return moved;
}

std::optional<icaltimetype> movedStartTime(icaltimetype start, double startInstant, double newDue,
                                           double shift)
{
    double moved = startInstant;
    if (moved > newDue)
        moved = std::min(moved + shift, newDue);
    if (!start.is_date && moved == startInstant)
        return std::nullopt;
    return icalUtcTime(moved);
}

} // namespace

icaltimetype dueValue(const TodoItem &item, const LocalCalendar &local)
{
    return item.extras().wholeDay ? icalLocalDate(item.time(), local) : icalUtcTime(item.time());
}

double dueInstant(const TodoItem &item, const LocalCalendar &local)
{
    return instantOf(dueValue(item, local), local).value_or(std::floor(item.time()));
}

DueMove dueMove(icalcomponent *todo, const TodoItem &item, const LocalCalendar &local)
{
    DueMove move;
    move.due = dueValue(item, local);
    const double newDue = dueInstant(item, local);
    const auto oldDue = propertyInstant(todo, ICAL_DUE_PROPERTY, local);
    if (oldDue)
        move.shift = newDue - *oldDue;

    auto *startProperty = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY);
    if (!startProperty)
        return move;
    const icaltimetype start = icalproperty_get_datetime_with_component(startProperty, todo);
    const auto startInstant = instantOf(start, local);
    if (!startInstant)
        return move;
    move.start = move.due.is_date ? movedStartDate(start, *startInstant, move.due, oldDue, local)
                                  : movedStartTime(start, *startInstant, newDue, move.shift);
    return move;
}

DueMove seriesDueMove(icalcomponent *todo, const TodoItem &item, const LocalCalendar &local)
{
    DueMove move = dueMove(todo, item, local);
    auto *startProperty = icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY);
    const auto oldDue = propertyInstant(todo, ICAL_DUE_PROPERTY, local);
    if (!startProperty || !oldDue)
        return move;
    const icaltimetype start = icalproperty_get_datetime_with_component(startProperty, todo);
    const auto startInstant = instantOf(start, local);
    if (!startInstant || start.is_date != move.due.is_date)
        return move;
    // A start after its due time, which servers refuse, moves as a to-do's does.
    if (start.is_date) {
        const long days = dayNumber(icalLocalDate(dueInstant(item, local), local)) -
                          dayNumber(icalLocalDate(*oldDue, local));
        const icaltimetype moved = datePlusDays(start, days);
        if (dayNumber(moved) <= dayNumber(move.due))
            move.start = moved;
        return move;
    }
    const double moved = *startInstant + move.shift;
    if (moved > dueInstant(item, local))
        return move;
    if (icaltime_is_utc(start)) {
        move.start = icalUtcTime(moved);
        return move;
    }
    if (start.zone) {
        icaltimetype inZone =
            icaltime_from_timet_with_zone(time_t(std::floor(moved + referenceDateUnixSeconds)), 0,
                                          const_cast<icaltimezone *>(start.zone));
        // Written as the zone's wall time under its TZID.
        inZone.zone = nullptr;
        move.start = inZone;
    } else {
        // Floating, or in a zone no one here knows: as the reader took it.
        const DateComponents day = local.components(moved);
        icaltimetype floating = icaltime_null_time();
        floating.year = day.year;
        floating.month = day.month;
        floating.day = day.day;
        floating.hour = day.hour;
        floating.minute = day.minute;
        floating.second = int((long(std::floor(moved)) % 60 + 60) % 60);
        move.start = floating;
    }
    if (auto *zone = icalproperty_get_first_parameter(startProperty, ICAL_TZID_PARAMETER))
        move.startZone = icalparameter_get_tzid(zone);
    return move;
}

IcalPropertyPointer shiftedTrigger(icalproperty *trigger, double shift, const LocalCalendar &local)
{
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    if (icaltime_is_null_time(value.time))
        return nullptr;
    const auto at = instantOf(value.time, local);
    if (!at)
        return nullptr;
    icaltriggertype moved{};
    moved.time = icalUtcTime(*at + shift);
    moved.duration = icaldurationtype_null_duration();
    return IcalPropertyPointer(icalproperty_new_trigger(moved));
}
