// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoAlarm.h"

namespace {

bool reminds(icalcomponent *alarm)
{
    auto *action = icalcomponent_get_first_property(alarm, ICAL_ACTION_PROPERTY);
    if (!action)
        return false;
    const icalproperty_action kind = icalproperty_get_action(action);
    return kind == ICAL_ACTION_DISPLAY || kind == ICAL_ACTION_AUDIO;
}

// When the alarm goes off: at its own time, or relative to DUE (RELATED=END)
// or DTSTART, which without a DTSTART is taken as DUE.
std::optional<double> triggerInstant(icalcomponent *alarm, double due, std::optional<double> start,
                                     const LocalCalendar &local)
{
    auto *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
    if (!trigger)
        return std::nullopt;
    const icaltriggertype value = icalproperty_get_trigger(trigger);
    if (!icaltime_is_null_time(value.time))
        return instantOf(value.time, local);
    auto *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
    const bool fromEnd = related && icalparameter_get_related(related) == ICAL_RELATED_END;
    return (fromEnd ? due : start.value_or(due)) + icaldurationtype_as_int(value.duration);
}

bool acknowledged(icalcomponent *alarm, double at, const LocalCalendar &local)
{
    const auto when = propertyInstant(alarm, ICAL_ACKNOWLEDGED_PROPERTY, local);
    return when && *when >= at;
}

} // namespace

std::optional<double> reminderOffset(icalcomponent *todo, double due, bool wholeDay,
                                     const LocalCalendar &local, double now)
{
    const auto start = propertyInstant(todo, ICAL_DTSTART_PROPERTY, local);
    std::optional<double> next;
    std::optional<double> last;
    for (auto *alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        if (!reminds(alarm))
            continue;
        const auto at = triggerInstant(alarm, due, start, local);
        if (!at)
            continue;
        if (*at > now && !acknowledged(alarm, *at, local)) {
            if (!next || *at < *next)
                next = at;
        } else if (!last || *at > *last) {
            last = at;
        }
    }
    const auto chosen = next ? next : last;
    if (!chosen || (*chosen == due && !wholeDay))
        return std::nullopt;
    return *chosen - due;
}
