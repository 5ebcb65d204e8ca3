// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentLines.h"
#include "IcalSupport.h"
#include "RepeatRule.h"
#include "VTodoDueMove.h"
#include "VTodoEdit.h"
#include "VTodoLines.h"
#include "VTodoMapping.h"
#include "VTodoSeries.h"
#include "VTodoSeriesEdit.h"

#include <cmath>
#include <vector>

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

// The rule the copy's RRULE line gets: the list's COUNT on the rule as
// written when only that changed; none when it stays. A rule sync does not
// follow stays as it was.
std::optional<std::string> changedRule(const std::string &written, const TodoItem &item)
{
    const std::string &wanted = item.extras().rrule;
    if (wanted == written || (!written.empty() && !followedRule(written)))
        return std::nullopt;
    const auto count = ruleCount(wanted);
    if (count && !written.empty() && sameRuleButCount(written, wanted)) {
        std::string counted = withCount(written, *count);
        return counted == written ? std::nullopt : std::optional(counted);
    }
    return wanted;
}

std::optional<std::string> editedLines(std::string_view serverCopy, const TodoItem &item,
                                       const Edit &edit, const LocalCalendar &local)
{
    const std::vector<ContentLine> lines = splitContentLines(serverCopy);
    const auto start = mainVTodoStart(lines);
    if (!start)
        return std::nullopt;
    return editedVTodo(lines, *start, item, edit, local);
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
    Edit whole = edit;
    whole.ruleIsNew = true;
    for (IcalPropertyPointer &property : ownedProperties(item, whole))
        icalcomponent_add_property(todo, property.release());
    shiftTriggers(todo, edit, local);
    return takeIcalString(icalcomponent_as_ical_string_r(root.get()));
}

// The edited copy reads back with the item's fields; a DUE left as it was
// keeps its value type.
bool carries(const std::optional<ServerTodo> &read, const TodoItem &item, const ServerTodo &current,
             const LocalCalendar &local)
{
    const bool wholeDay =
        dueChanged(current, item, local) ? item.extras().wholeDay : current.extras.wholeDay;
    return read && read->id == item.id() && read->name == item.name() &&
           read->priority == item.priority() && read->due &&
           std::floor(*read->due) == dueInstant(item, local) && read->extras.wholeDay == wholeDay &&
           read->extras.completed.has_value() == item.isCompleted();
}

// A series reads back at the item's occurrence; the next occurrence may have
// a name or priority of its own where the item's did not change.
bool carriesOccurrence(const std::optional<ServerTodo> &read, const TodoItem &item,
                       const ServerTodo &current, const LocalCalendar &local)
{
    return read && read->id == item.id() &&
           (read->name == item.name() || current.name == item.name()) &&
           (read->priority == item.priority() || current.priority == item.priority()) &&
           read->due && std::floor(*read->due) == dueInstant(item, local) &&
           read->extras.completed.has_value() == item.isCompleted();
}

} // namespace

std::optional<std::string> updatedVTodo(std::string_view serverCopy, const TodoItem &item,
                                        double now, const LocalCalendar &local)
{
    const auto current = readVTodo(serverCopy, local, now);
    if (!current)
        return std::nullopt;
    const std::string text(serverCopy);
    const IcalComponentPointer root(icalparser_parse_string(text.c_str()));
    icalcomponent *todo = root ? mainVTodo(root.get()) : nullptr;
    if (!todo)
        return std::nullopt;
    const std::vector<ContentLine> lines = splitContentLines(serverCopy);
    const auto start = mainVTodoStart(lines);
    const std::string written =
        start ? ownValue(lines, *start, "RRULE").value_or(std::string()) : std::string();
    const auto series = VTodoSeries::of(root.get(), written, local);
    if (series) {
        auto edited = updatedSeries(lines, *series, *current, item, now, local);
        if (edited && carriesOccurrence(readVTodo(*edited, local, now), item, *current, local))
            return edited;
    }

    // A series that could not be written in its form is moved in place: its
    // COUNT, counted from the occurrence the list shows, only goes along with
    // DTSTART moving there.
    Edit edit;
    edit.fields = changedFields(*current, item, local);
    edit.now = now;
    edit.sequence = nextSequence(todo);
    edit.rule = series && !edit.fields.due ? std::nullopt : changedRule(written, item);
    edit.ruleIsNew = written.empty();
    const bool followed = item.repeats() && (written.empty() || followedRule(written));
    if (edit.fields.due)
        edit.move = followed ? seriesDueMove(todo, item, local) : dueMove(todo, item, local);
    // A series needs its first occurrence, which servers take from DTSTART.
    if (edit.rule && written.empty() && !edit.move.start &&
        !icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY)) {
        edit.fields.due = true;
        edit.move.due = dueValue(item, local);
        edit.move.start = edit.move.due;
    }
    auto edited = editedLines(serverCopy, item, edit, local);
    if (edited && carries(readVTodo(*edited, local, now), item, *current, local))
        return edited;
    // Text whose structure only libical makes sense of is written anew by it.
    edited = rewritten(serverCopy, item, edit, local);
    if (edited && carries(readVTodo(*edited, local, now), item, *current, local))
        return edited;
    return std::nullopt;
}
