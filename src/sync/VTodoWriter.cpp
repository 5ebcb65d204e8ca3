// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentLines.h"
#include "IcalSupport.h"
#include "VTodoMapping.h"

#include <Instant.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

int priorityValue(TodoPriority priority)
{
    switch (priority) {
    case TodoPriority::high:
        return 1;
    case TodoPriority::medium:
        return 5;
    case TodoPriority::low:
        return 9;
    }
    return 5;
}

// Which of the to-do's own fields a write puts on the server copy.
struct Fields {
    bool name = true;
    bool due = true;
    bool priority = true;
};

std::vector<icalproperty *> ownedProperties(const TodoItem &item, Fields fields, double now,
                                            int sequence)
{
    std::vector<icalproperty *> properties;
    if (fields.name)
        properties.push_back(icalproperty_new_summary(item.name().c_str()));
    if (fields.due)
        properties.push_back(icalproperty_new_due(icalUtcTime(item.time())));
    if (fields.priority)
        properties.push_back(icalproperty_new_priority(priorityValue(item.priority())));
    properties.push_back(icalproperty_new_dtstamp(icalUtcTime(now)));
    properties.push_back(icalproperty_new_lastmodified(icalUtcTime(now)));
    properties.push_back(icalproperty_new_sequence(sequence));
    return properties;
}

// Plimsa's alarm: a display at the due time, described by the name.
icalcomponent *dueAlarm(const std::string &name)
{
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_null_duration();
    icalproperty *triggerProperty = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(triggerProperty, icalparameter_new_related(ICAL_RELATED_END));
    return icalcomponent_vanew(ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                               triggerProperty, icalproperty_new_description(name.c_str()),
                               nullptr);
}

std::string formatted(icalproperty *property)
{
    std::string text = takeIcalString(icalproperty_as_ical_string_r(property));
    icalproperty_free(property);
    return text;
}

bool isOwnAlarm(const std::vector<const ContentLine *> &alarm)
{
    bool display = false;
    bool atDue = false;
    for (const ContentLine *line : alarm) {
        display = display || line->unfolded == "ACTION:DISPLAY";
        atDue = atDue || line->unfolded == "TRIGGER;RELATED=END:PT0S";
    }
    return display && atDue;
}

// The BEGIN line of the VTODO that `readVTodo` takes: the first without
// RECURRENCE-ID of its own, else the first.
std::optional<std::size_t> mainVTodoStart(const std::vector<ContentLine> &lines)
{
    std::optional<std::size_t> first;
    std::vector<std::string> open;
    std::optional<std::size_t> current;
    bool currentRecurs = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const ContentLine &line = lines[index];
        if (line.name == "BEGIN") {
            open.push_back(line.componentName());
            if (open.back() == "VTODO" && !current) {
                current = index;
                currentRecurs = false;
            }
        } else if (line.name == "END") {
            if (open.empty())
                continue;
            if (open.back() == "VTODO" && current) {
                if (!currentRecurs)
                    return current;
                if (!first)
                    first = current;
                current.reset();
            }
            open.pop_back();
        } else if (current && !open.empty() && open.back() == "VTODO" &&
                   line.name == "RECURRENCE-ID") {
            currentRecurs = true;
        }
    }
    return first ? first : current;
}

} // namespace

icaltimetype icalUtcTime(double instant)
{
    const auto unixSeconds = time_t(std::floor(instant + referenceDateUnixSeconds));
    return icaltime_from_timet_with_zone(unixSeconds, 0, icaltimezone_get_utc_timezone());
}

std::string newVTodo(const TodoItem &item, double now)
{
    icalerror_set_errors_are_fatal(0);
    icalcomponent *todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
    icalcomponent_add_property(todo, icalproperty_new_uid(item.id().uuidString().c_str()));
    for (icalproperty *property : ownedProperties(item, Fields{}, now, 0))
        icalcomponent_add_property(todo, property);
    icalcomponent_add_component(todo, dueAlarm(item.name()));
    const IcalComponentPointer calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Plimsa//Plimsa//EN"), todo, nullptr));
    return takeIcalString(icalcomponent_as_ical_string_r(calendar.get()));
}

namespace {

Fields changedFields(const ServerTodo &current, const TodoItem &item)
{
    return Fields{current.name != item.name(),
                  !current.due || std::floor(*current.due) != std::floor(item.time()),
                  current.priority != item.priority()};
}

bool isReplaced(const std::string &name, Fields fields)
{
    return name == "DTSTAMP" || name == "LAST-MODIFIED" || name == "SEQUENCE" ||
           (fields.name && name == "SUMMARY") || (fields.due && name == "DUE") ||
           (fields.priority && name == "PRIORITY");
}

// The server copy with its lines kept as they are, but for the replaced ones.
std::optional<std::string> editedLines(std::string_view serverCopy, const TodoItem &item,
                                       Fields fields, double now, int sequence)
{
    const std::vector<ContentLine> lines = splitContentLines(serverCopy);
    const auto start = mainVTodoStart(lines);
    if (!start)
        return std::nullopt;

    std::string result;
    result.reserve(serverCopy.size() + 256);
    std::size_t index = 0;
    for (; index <= *start; ++index)
        result += lines[index].raw;
    if (!result.ends_with('\n'))
        result += "\r\n";
    for (icalproperty *property : ownedProperties(item, fields, now, sequence))
        result += formatted(property);

    // Within the VTODO: depth 1 is its own lines, deeper ones its alarms.
    int depth = 1;
    std::vector<const ContentLine *> alarm;
    for (; index < lines.size(); ++index) {
        const ContentLine &line = lines[index];
        if (depth == 0) {
            result += line.raw;
            continue;
        }
        if (line.name == "BEGIN") {
            ++depth;
        } else if (line.name == "END") {
            --depth;
        } else if (depth == 1 && isReplaced(line.name, fields)) {
            continue;
        }
        if (depth >= 2 || (depth == 1 && !alarm.empty())) {
            alarm.push_back(&line);
            if (depth > 1)
                continue;
            // The alarm ends here: ours takes the new name, any other stays.
            const bool rename = fields.name && isOwnAlarm(alarm);
            for (const ContentLine *alarmLine : alarm) {
                if (rename && alarmLine->name == "DESCRIPTION")
                    result += formatted(icalproperty_new_description(item.name().c_str()));
                else
                    result += alarmLine->raw;
            }
            alarm.clear();
            continue;
        }
        result += line.raw;
    }
    for (const ContentLine *alarmLine : alarm)
        result += alarmLine->raw;
    return result;
}

// The server copy as libical understands it, with the replaced properties.
std::optional<std::string> rewritten(std::string_view serverCopy, const TodoItem &item,
                                     Fields fields, double now, int sequence)
{
    const std::string text(serverCopy);
    const IcalComponentPointer root(icalparser_parse_string(text.c_str()));
    icalcomponent *todo = root ? mainVTodo(root.get()) : nullptr;
    if (!todo)
        return std::nullopt;
    std::vector<icalproperty *> stale;
    for (auto *property = icalcomponent_get_first_property(todo, ICAL_ANY_PROPERTY); property;
         property = icalcomponent_get_next_property(todo, ICAL_ANY_PROPERTY)) {
        if (isReplaced(icalproperty_get_property_name(property), fields))
            stale.push_back(property);
    }
    for (icalproperty *property : stale) {
        icalcomponent_remove_property(todo, property);
        icalproperty_free(property);
    }
    for (icalproperty *property : ownedProperties(item, fields, now, sequence))
        icalcomponent_add_property(todo, property);
    return takeIcalString(icalcomponent_as_ical_string_r(root.get()));
}

bool carries(const std::optional<ServerTodo> &read, const TodoItem &item)
{
    return read && read->id == item.id() && read->name == item.name() &&
           read->priority == item.priority() && read->due &&
           std::floor(*read->due) == std::floor(item.time());
}

} // namespace

std::optional<std::string> updatedVTodo(std::string_view serverCopy, const TodoItem &item,
                                        double now, const LocalCalendar &local)
{
    const auto current = readVTodo(serverCopy, local);
    if (!current)
        return std::nullopt;
    const Fields fields = changedFields(*current, item);
    const int sequence = current->sequence < std::numeric_limits<int>::max()
                             ? std::max(current->sequence, 0) + 1
                             : current->sequence;
    auto edited = editedLines(serverCopy, item, fields, now, sequence);
    if (edited && carries(readVTodo(*edited, local), item))
        return edited;
    // Text whose structure only libical makes sense of is written anew by it.
    edited = rewritten(serverCopy, item, fields, now, sequence);
    if (edited && carries(readVTodo(*edited, local), item))
        return edited;
    return std::nullopt;
}
