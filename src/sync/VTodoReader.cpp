// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "IcalSupport.h"
#include "VTodoMapping.h"

#include <Instant.h>

#include <QByteArray>
#include <QUuid>

#include <cmath>

namespace {

// UIDs of other clients that are not UUIDs are named in this namespace.
const QUuid uidNamespace(QStringLiteral("{5e2b9a3c-7c41-4a8e-9a57-3f1d0c6b8e21}"));

Uuid idForUid(const std::string &uid)
{
    if (auto id = Uuid::fromString(uid))
        return *id;
    const QByteArray bytes =
        QUuid::createUuidV5(uidNamespace, QByteArray::fromStdString(uid)).toRfc4122();
    Uuid::Bytes raw{};
    std::copy(bytes.begin(), bytes.end(), raw.begin());
    return Uuid(raw);
}

bool hasOwnProperty(icalcomponent *component, icalproperty_kind kind)
{
    return icalcomponent_get_first_property(component, kind) != nullptr;
}

// A time of the component as an instant: with its zone when it has one,
// floating and unknown zones in the local one, a date at its local midnight.
std::optional<double> instantOf(icaltimetype time, const LocalCalendar &local)
{
    if (icaltime_is_null_time(time) || !icaltime_is_valid_time(time))
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

std::optional<double> alarmInstant(icalcomponent *todo, std::optional<double> due,
                                   const LocalCalendar &local)
{
    for (auto *alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        auto *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        const icaltriggertype value = icalproperty_get_trigger(trigger);
        if (!icaltime_is_null_time(value.time))
            return instantOf(value.time, local);
        auto *related = icalproperty_get_first_parameter(trigger, ICAL_RELATED_PARAMETER);
        std::optional<double> base = due;
        if (!related || icalparameter_get_related(related) != ICAL_RELATED_END) {
            if (auto start = propertyInstant(todo, ICAL_DTSTART_PROPERTY, local))
                base = start;
        }
        if (base)
            return *base + icaldurationtype_as_int(value.duration);
    }
    return std::nullopt;
}

TodoPriority priorityOf(icalcomponent *todo)
{
    auto *property = icalcomponent_get_first_property(todo, ICAL_PRIORITY_PROPERTY);
    const int value = property ? icalproperty_get_priority(property) : 0;
    if (value >= 1 && value <= 4)
        return TodoPriority::high;
    if (value >= 6 && value <= 9)
        return TodoPriority::low;
    return TodoPriority::medium;
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

TodoItem ServerTodo::item() const
{
    return TodoItem(name, due.value_or(0), priority, id);
}

std::optional<ServerTodo> readVTodo(std::string_view calendarText, const LocalCalendar &local)
{
    if (calendarText.size() > vTodoSizeLimit)
        return std::nullopt;
    icalerror_set_errors_are_fatal(0);
    const std::string text(calendarText);
    const IcalComponentPointer root(icalparser_parse_string(text.c_str()));
    if (!root)
        return std::nullopt;
    icalcomponent *todo = mainVTodo(root.get());
    if (!todo)
        return std::nullopt;
    const char *uid = icalcomponent_get_uid(todo);
    if (!uid || !*uid)
        return std::nullopt;

    ServerTodo result;
    result.uid = uid;
    result.id = idForUid(result.uid);
    if (const char *summary = icalcomponent_get_summary(todo))
        result.name = summary;
    if (auto *due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY)) {
        const icaltimetype time = icalproperty_get_datetime_with_component(due, todo);
        result.due = instantOf(time, local);
        result.allDay = result.due && time.is_date;
    }
    result.priority = priorityOf(todo);
    result.reminder = alarmInstant(todo, result.due, local);
    if (!result.reminder && !result.allDay)
        result.reminder = result.due;
    const icalproperty_status status = icalcomponent_get_status(todo);
    result.finished = status == ICAL_STATUS_COMPLETED || status == ICAL_STATUS_CANCELLED ||
                      hasOwnProperty(todo, ICAL_COMPLETED_PROPERTY);
    result.lastModified = propertyInstant(todo, ICAL_LASTMODIFIED_PROPERTY, local);
    result.sequence = icalcomponent_get_sequence(todo);
    return result;
}
