// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoEdit.h"

#include <algorithm>
#include <cmath>
#include <limits>

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

// Done: all three marks clients read, as not every client reads each one.
// Open again: none of them.
void addCompletion(std::vector<IcalPropertyPointer> &properties, const TodoItem &item,
                   const Edit &edit)
{
    if (edit.cancelled) {
        properties.emplace_back(icalproperty_new_status(ICAL_STATUS_CANCELLED));
        return;
    }
    if (!item.isCompleted()) {
        properties.emplace_back(icalproperty_new_status(ICAL_STATUS_NEEDSACTION));
        return;
    }
    properties.emplace_back(icalproperty_new_status(ICAL_STATUS_COMPLETED));
    properties.emplace_back(icalproperty_new_completed(icalUtcTime(*item.completed())));
    properties.emplace_back(icalproperty_new_percentcomplete(100));
}

} // namespace

std::vector<IcalPropertyPointer> ownedProperties(const TodoItem &item, const Edit &edit)
{
    std::vector<IcalPropertyPointer> properties;
    if (edit.fields.name)
        properties.emplace_back(icalproperty_new_summary(item.name().c_str()));
    if (edit.fields.due) {
        properties.emplace_back(icalproperty_new_due(edit.move.due));
        if (edit.move.start) {
            auto &start = properties.emplace_back(icalproperty_new_dtstart(*edit.move.start));
            if (!edit.move.start->is_date && !icaltime_is_utc(*edit.move.start) &&
                !edit.move.startZone.empty())
                icalproperty_add_parameter(start.get(),
                                           icalparameter_new_tzid(edit.move.startZone.c_str()));
        }
    }
    if (edit.fields.priority)
        properties.emplace_back(icalproperty_new_priority(priorityValue(item.priority())));
    if (edit.fields.completion)
        addCompletion(properties, item, edit);
    if (edit.rule && edit.ruleIsNew && !edit.rule->empty()) {
        const icalrecurrencetype rule = icalrecurrencetype_from_string(edit.rule->c_str());
        if (rule.freq != ICAL_NO_RECURRENCE)
            properties.emplace_back(icalproperty_new_rrule(rule));
    }
    properties.emplace_back(icalproperty_new_dtstamp(icalUtcTime(edit.now)));
    properties.emplace_back(icalproperty_new_lastmodified(icalUtcTime(edit.now)));
    properties.emplace_back(icalproperty_new_sequence(edit.sequence));
    return properties;
}

std::string formatted(const IcalPropertyPointer &property)
{
    return takeIcalString(icalproperty_as_ical_string_r(property.get()));
}

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

bool isReplaced(const std::string &name, const Edit &edit)
{
    const Fields &fields = edit.fields;
    return name == "DTSTAMP" || name == "LAST-MODIFIED" || name == "SEQUENCE" ||
           (fields.name && name == "SUMMARY") || (fields.due && name == "DUE") ||
           (fields.due && edit.move.start && name == "DTSTART") ||
           (fields.priority && name == "PRIORITY") || (edit.rule && name == "RRULE") ||
           (fields.completion &&
            (name == "STATUS" || name == "COMPLETED" || name == "PERCENT-COMPLETE"));
}

bool shiftsTriggers(const Edit &edit)
{
    return edit.fields.due && edit.move.shift != 0;
}

int nextSequence(icalcomponent *todo)
{
    const int sequence = icalcomponent_get_sequence(todo);
    return sequence < std::numeric_limits<int>::max() ? std::max(sequence, 0) + 1 : sequence;
}

namespace {

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

// The RRULE line with its parameters as written and the new value; none
// when the rule goes.
std::string replacedRule(const ContentLine &line, const std::string &rule)
{
    if (rule.empty())
        return {};
    const auto colon = valueColon(line.unfolded);
    return line.unfolded.substr(0, colon == std::string::npos ? 5 : colon) + ":" + rule + "\r\n";
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
} // namespace

std::string editedVTodo(const std::vector<ContentLine> &lines, std::size_t start,
                        const TodoItem &item, const Edit &edit, const LocalCalendar &local)
{
    std::string result;
    std::size_t index = 0;
    for (; index <= start; ++index)
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
        } else if (depth == 1 && line.name == "RRULE" && edit.rule) {
            result += replacedRule(line, *edit.rule);
            continue;
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
