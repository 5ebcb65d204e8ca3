// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "IcalSupport.h"
#include "RepeatRule.h"
#include "VTodoAlarm.h"
#include "VTodoLines.h"
#include "VTodoMapping.h"
#include "VTodoSeries.h"

#include <QByteArray>
#include <QUuid>

#include <algorithm>

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

// Clients mark a to-do done in any of three ways; each one counts.
bool isDone(icalcomponent *todo)
{
    auto *percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    return icalcomponent_get_status(todo) == ICAL_STATUS_COMPLETED ||
           icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY) ||
           (percent && icalproperty_get_percentcomplete(percent) >= 100);
}

// When it was done: its COMPLETED time, else when it last changed.
double completionInstant(icalcomponent *todo, const LocalCalendar &local, double now)
{
    for (const icalproperty_kind kind :
         {ICAL_COMPLETED_PROPERTY, ICAL_LASTMODIFIED_PROPERTY, ICAL_DTSTAMP_PROPERTY}) {
        if (const auto instant = propertyInstant(todo, kind, local))
            return *instant;
    }
    return now;
}

// As written: libical reorders a rule, and drops one it cannot read (leaving
// an error in its place).
std::string repeatRule(icalcomponent *todo, std::string_view text)
{
    if (!icalcomponent_get_first_property(todo, ICAL_RRULE_PROPERTY) &&
        !icalcomponent_get_first_property(todo, ICAL_XLICERROR_PROPERTY))
        return {};
    const std::vector<ContentLine> lines = splitContentLines(text);
    const auto start = mainVTodoStart(lines);
    return start ? ownValue(lines, *start, "RRULE").value_or("") : "";
}

// The series at its first occurrence still to do, which an override that is
// still open may have renamed; done at the last one closed when every one is.
// An override's own DUE moves its occurrence.
void readOccurrence(ServerTodo &result, const VTodoSeries &series, const LocalCalendar &local,
                    double now)
{
    const auto shown = series.shown(result.extras.completed.has_value());
    if (!shown)
        return;
    const Occurrence &current = shown->occurrence;
    const double masterDue = *result.due;
    result.due = current.due;
    result.extras.alarm = reminderOffset(series.master(), masterDue, result.extras.wholeDay, local,
                                         now - (current.due - masterDue));
    if (const auto count = ruleCount(result.extras.rrule))
        result.extras.rrule = withCount(result.extras.rrule, std::max(*count - current.index, 1));
    icalcomponent *own = series.overrideOf(current);
    if (!own)
        return;
    if (auto *moved = icalcomponent_get_first_property(own, ICAL_DUE_PROPERTY)) {
        const icaltimetype time = icalproperty_get_datetime_with_component(moved, own);
        if (const auto instant = instantOf(time, local)) {
            result.due = instant;
            result.extras.wholeDay = time.is_date;
        }
    }
    if (shown->done) {
        if (!result.extras.completed)
            result.extras.completed = completionInstant(own, local, now);
        return;
    }
    if (const char *summary = icalcomponent_get_summary(own))
        result.name = summary;
    if (icalcomponent_get_first_property(own, ICAL_PRIORITY_PROPERTY))
        result.priority = priorityOf(own);
    if (icalcomponent_get_first_component(own, ICAL_VALARM_COMPONENT))
        result.extras.alarm = reminderOffset(own, *result.due, result.extras.wholeDay, local, now);
}

} // namespace

TodoItem ServerTodo::item() const
{
    return TodoItem(name, due.value_or(0), priority, id, extras);
}

std::optional<ServerTodo> readVTodo(std::string_view calendarText, const LocalCalendar &local,
                                    double now)
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
    if (result.uid != result.id.uuidString())
        result.extras.uid = result.uid;
    if (const char *summary = icalcomponent_get_summary(todo))
        result.name = summary;
    if (auto *due = icalcomponent_get_first_property(todo, ICAL_DUE_PROPERTY)) {
        const icaltimetype time = icalproperty_get_datetime_with_component(due, todo);
        result.due = instantOf(time, local);
        result.extras.wholeDay = result.due && time.is_date;
    }
    if (result.due)
        result.extras.alarm = reminderOffset(todo, *result.due, result.extras.wholeDay, local, now);
    result.priority = priorityOf(todo);
    if (isDone(todo))
        result.extras.completed = completionInstant(todo, local, now);
    result.extras.rrule = repeatRule(todo, calendarText);
    if (result.due && !result.extras.rrule.empty()) {
        if (const auto series = VTodoSeries::of(root.get(), result.extras.rrule, local))
            readOccurrence(result, *series, local, now);
    }
    result.cancelled = icalcomponent_get_status(todo) == ICAL_STATUS_CANCELLED;
    result.lastModified = propertyInstant(todo, ICAL_LASTMODIFIED_PROPERTY, local);
    result.created = propertyInstant(todo, ICAL_CREATED_PROPERTY, local);
    if (!result.created)
        result.created = propertyInstant(todo, ICAL_DTSTAMP_PROPERTY, local);
    result.sequence = icalcomponent_get_sequence(todo);
    return result;
}
