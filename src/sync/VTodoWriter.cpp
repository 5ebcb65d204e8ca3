// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentLines.h"
#include "IcalSupport.h"
#include "VTodoDueMove.h"
#include "VTodoMapping.h"

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
    bool completion = true;
};

// What an edit writes over a server copy.
struct Edit {
    Fields fields;
    // Where DUE goes, when it moves.
    DueMove move;
    double now = 0;
    int sequence = 0;
};

// Done: all three marks clients read, as not every client reads each one.
// Open again: none of them.
void addCompletion(std::vector<IcalPropertyPointer> &properties, const TodoItem &item)
{
    if (!item.isCompleted()) {
        properties.emplace_back(icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        return;
    }
    properties.emplace_back(icalproperty_new_status(ICAL_STATUS_COMPLETED));
    properties.emplace_back(icalproperty_new_completed(icalUtcTime(*item.completed())));
    properties.emplace_back(icalproperty_new_percentcomplete(100));
}

std::vector<IcalPropertyPointer> ownedProperties(const TodoItem &item, const Edit &edit)
{
    std::vector<IcalPropertyPointer> properties;
    if (edit.fields.name)
        properties.emplace_back(icalproperty_new_summary(item.name().c_str()));
    if (edit.fields.due) {
        properties.emplace_back(icalproperty_new_due(edit.move.due));
        if (edit.move.start)
            properties.emplace_back(icalproperty_new_dtstart(*edit.move.start));
    }
    if (edit.fields.priority)
        properties.emplace_back(icalproperty_new_priority(priorityValue(item.priority())));
    if (edit.fields.completion)
        addCompletion(properties, item);
    properties.emplace_back(icalproperty_new_dtstamp(icalUtcTime(edit.now)));
    properties.emplace_back(icalproperty_new_lastmodified(icalUtcTime(edit.now)));
    properties.emplace_back(icalproperty_new_sequence(edit.sequence));
    return properties;
}

// A display alarm, described by the name, at `offset` seconds from the due
// time: Plimsa's own alarm at offset 0.
icalcomponent *alarmAt(const std::string &name, double offset)
{
    icaltriggertype trigger{};
    trigger.time = icaltime_null_time();
    trigger.duration = icaldurationtype_from_int(int(std::lround(offset)));
    icalproperty *triggerProperty = icalproperty_new_trigger(trigger);
    icalproperty_add_parameter(triggerProperty, icalparameter_new_related(ICAL_RELATED_END));
    return icalcomponent_vanew(ICAL_VALARM_COMPONENT, icalproperty_new_action(ICAL_ACTION_DISPLAY),
                               triggerProperty, icalproperty_new_description(name.c_str()),
                               nullptr);
}

std::string formatted(const IcalPropertyPointer &property)
{
    return takeIcalString(icalproperty_as_ical_string_r(property.get()));
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

std::string newVTodo(const TodoItem &item, double now, const LocalCalendar &local)
{
    icalerror_set_errors_are_fatal(0);
    icalcomponent *todo = icalcomponent_new(ICAL_VTODO_COMPONENT);
    icalcomponent_add_property(todo, icalproperty_new_uid(item.uid().c_str()));
    Edit edit;
    edit.fields.completion = item.isCompleted();
    edit.move.due = dueValue(item, local);
    edit.now = now;
    // A series needs its first occurrence, which servers take from DTSTART.
    if (item.repeats())
        edit.move.start = edit.move.due;
    for (IcalPropertyPointer &property : ownedProperties(item, edit))
        icalcomponent_add_property(todo, property.release());
    if (item.repeats()) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(item.extras().rrule.c_str());
        if (rule.freq != ICAL_NO_RECURRENCE)
            icalcomponent_add_property(todo, icalproperty_new_rrule(rule));
    }
    if (item.extras().alarm || !item.extras().wholeDay)
        icalcomponent_add_component(todo, alarmAt(item.name(), item.extras().alarm.value_or(0)));
    const IcalComponentPointer calendar(
        icalcomponent_vanew(ICAL_VCALENDAR_COMPONENT, icalproperty_new_version("2.0"),
                            icalproperty_new_prodid("-//Plimsa//Plimsa//EN"), todo, nullptr));
    return takeIcalString(icalcomponent_as_ical_string_r(calendar.get()));
}

namespace {

bool dueChanged(const ServerTodo &current, const TodoItem &item, const LocalCalendar &local)
{
    if (!current.due || std::floor(*current.due) != dueInstant(item, local))
        return true;
    // Lists from before whole days were marked hold them as times at the day's
    // start: such a time keeps its date.
    return item.extras().wholeDay && !current.extras.wholeDay;
}

Fields changedFields(const ServerTodo &current, const TodoItem &item, const LocalCalendar &local)
{
    return Fields{current.name != item.name(), dueChanged(current, item, local),
                  current.priority != item.priority(),
                  current.extras.completed.has_value() != item.isCompleted()};
}

bool isReplaced(const std::string &name, const Edit &edit)
{
    const Fields &fields = edit.fields;
    return name == "DTSTAMP" || name == "LAST-MODIFIED" || name == "SEQUENCE" ||
           (fields.name && name == "SUMMARY") || (fields.due && name == "DUE") ||
           (fields.due && edit.move.start && name == "DTSTART") ||
           (fields.priority && name == "PRIORITY") ||
           (fields.completion &&
            (name == "STATUS" || name == "COMPLETED" || name == "PERCENT-COMPLETE"));
}

bool shiftsTriggers(const Edit &edit)
{
    return edit.fields.due && edit.move.shift != 0;
}

// A line of a component nested in the VTODO, with its depth: 2 for an alarm's
// own properties.
struct NestedLine {
    const ContentLine *line;
    int depth;
};

bool isOwnAlarm(const std::vector<NestedLine> &alarm)
{
    bool display = false;
    bool atDue = false;
    for (const auto &[line, depth] : alarm) {
        display = display || (depth == 2 && line->unfolded == "ACTION:DISPLAY");
        atDue = atDue || (depth == 2 && line->unfolded == "TRIGGER;RELATED=END:PT0S");
    }
    return display && atDue;
}

// The line of an absolute trigger moved with DUE; none for any other.
std::optional<std::string> movedTriggerLine(const ContentLine &line, const Edit &edit,
                                            const LocalCalendar &local)
{
    const IcalPropertyPointer trigger(icalproperty_new_from_string(line.unfolded.c_str()));
    if (!trigger || icalproperty_isa(trigger.get()) != ICAL_TRIGGER_PROPERTY)
        return std::nullopt;
    const IcalPropertyPointer moved = shiftedTrigger(trigger.get(), edit.move.shift, local);
    if (!moved)
        return std::nullopt;
    return formatted(moved);
}

// A component nested in the VTODO: Plimsa's own alarm takes the new name, an
// alarm at an absolute time moves with DUE, anything else stays.
std::string editedNested(const std::vector<NestedLine> &lines, const TodoItem &item,
                         const Edit &edit, const LocalCalendar &local)
{
    const bool alarm = lines.front().line->componentName() == "VALARM";
    const bool rename = alarm && edit.fields.name && isOwnAlarm(lines);
    const bool shift = alarm && shiftsTriggers(edit);
    std::string text;
    for (const auto &[line, depth] : lines) {
        std::optional<std::string> replaced;
        if (depth == 2 && rename && line->name == "DESCRIPTION")
            replaced =
                formatted(IcalPropertyPointer(icalproperty_new_description(item.name().c_str())));
        else if (depth == 2 && shift && line->name == "TRIGGER")
            replaced = movedTriggerLine(*line, edit, local);
        text += replaced ? *replaced : std::string(line->raw);
    }
    return text;
}

// The server copy with its lines kept as they are, but for the replaced ones.
std::optional<std::string> editedLines(std::string_view serverCopy, const TodoItem &item,
                                       const Edit &edit, const LocalCalendar &local)
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
    for (const IcalPropertyPointer &property : ownedProperties(item, edit))
        result += formatted(property);

    // Within the VTODO: depth 1 is its own lines, deeper ones its alarms.
    int depth = 1;
    std::vector<NestedLine> nested;
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
        } else if (depth == 1 && isReplaced(line.name, edit)) {
            continue;
        }
        if (depth >= 2 || (depth == 1 && !nested.empty())) {
            nested.push_back({&line, depth});
            if (depth == 1) {
                result += editedNested(nested, item, edit, local);
                nested.clear();
            }
            continue;
        }
        result += line.raw;
    }
    for (const NestedLine &unended : nested)
        result += unended.line->raw;
    return result;
}

void shiftTriggers(icalcomponent *todo, const Edit &edit, const LocalCalendar &local)
{
    if (!shiftsTriggers(edit))
        return;
    for (auto *alarm = icalcomponent_get_first_component(todo, ICAL_VALARM_COMPONENT); alarm;
         alarm = icalcomponent_get_next_component(todo, ICAL_VALARM_COMPONENT)) {
        auto *trigger = icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY);
        if (!trigger)
            continue;
        if (IcalPropertyPointer moved = shiftedTrigger(trigger, edit.move.shift, local)) {
            icalcomponent_remove_property(alarm, trigger);
            icalproperty_free(trigger);
            icalcomponent_add_property(alarm, moved.release());
        }
    }
}

// The server copy as libical understands it, with the replaced properties.
std::optional<std::string> rewritten(std::string_view serverCopy, const TodoItem &item,
                                     const Edit &edit, const LocalCalendar &local)
{
    const std::string text(serverCopy);
    const IcalComponentPointer root(icalparser_parse_string(text.c_str()));
    icalcomponent *todo = root ? mainVTodo(root.get()) : nullptr;
    if (!todo)
        return std::nullopt;
    std::vector<icalproperty *> stale;
    for (auto *property = icalcomponent_get_first_property(todo, ICAL_ANY_PROPERTY); property;
         property = icalcomponent_get_next_property(todo, ICAL_ANY_PROPERTY)) {
        if (isReplaced(icalproperty_get_property_name(property), edit))
            stale.push_back(property);
    }
    for (icalproperty *property : stale) {
        icalcomponent_remove_property(todo, property);
        icalproperty_free(property);
    }
    for (IcalPropertyPointer &property : ownedProperties(item, edit))
        icalcomponent_add_property(todo, property.release());
    shiftTriggers(todo, edit, local);
    return takeIcalString(icalcomponent_as_ical_string_r(root.get()));
}

// The edited copy reads back with the item's fields; a DUE left as it was
// keeps its value type.
bool carries(const std::optional<ServerTodo> &read, const TodoItem &item, const Edit &edit,
             const ServerTodo &current, const LocalCalendar &local)
{
    const bool wholeDay = edit.fields.due ? item.extras().wholeDay : current.extras.wholeDay;
    return read && read->id == item.id() && read->name == item.name() &&
           read->priority == item.priority() && read->due &&
           std::floor(*read->due) == dueInstant(item, local) && read->extras.wholeDay == wholeDay &&
           read->extras.completed.has_value() == item.isCompleted();
}

} // namespace

std::optional<std::string> updatedVTodo(std::string_view serverCopy, const TodoItem &item,
                                        double now, const LocalCalendar &local)
{
    const auto current = readVTodo(serverCopy, local, now);
    if (!current)
        return std::nullopt;
    Edit edit;
    edit.fields = changedFields(*current, item, local);
    edit.now = now;
    edit.sequence = current->sequence < std::numeric_limits<int>::max()
                        ? std::max(current->sequence, 0) + 1
                        : current->sequence;
    if (edit.fields.due) {
        const std::string text(serverCopy);
        const IcalComponentPointer root(icalparser_parse_string(text.c_str()));
        icalcomponent *todo = root ? mainVTodo(root.get()) : nullptr;
        if (!todo)
            return std::nullopt;
        edit.move = dueMove(todo, item, local);
    }
    auto edited = editedLines(serverCopy, item, edit, local);
    if (edited && carries(readVTodo(*edited, local, now), item, edit, *current, local))
        return edited;
    // Text whose structure only libical makes sense of is written anew by it.
    edited = rewritten(serverCopy, item, edit, local);
    if (edited && carries(readVTodo(*edited, local, now), item, edit, *current, local))
        return edited;
    return std::nullopt;
}
