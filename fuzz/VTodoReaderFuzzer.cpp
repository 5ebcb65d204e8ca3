// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either reads as a VTODO or not at all, without a crash or leak. An
// edit that is made reads back with the new name, priority, due time and
// completion and the same identity, with DTSTART no later than a DUE it wrote;
// and an edit of a VTODO in libical's own well-formed writing is always made.

#include <IcalSupport.h>
#include <VTodoMapping.h>

#include <libical/ical.h>

#include <cstdint>
#include <cstdlib>
#include <map>
#include <memory>

namespace {

const LocalCalendar &local()
{
    static const LocalCalendar calendar("Europe/Berlin");
    return calendar;
}

// Where the edit moves DUE to.
constexpr double movedDue = 794424600; // 2026-03-05 18:30 UTC

// Each VTODO's DUE, by its RECURRENCE-ID (empty for the main one), and
// whether a DTSTART Plimsa can read comes after it.
struct Times {
    std::optional<double> due;
    bool startsAfterDue = false;
};

std::map<std::string, Times> vTodoTimes(const std::string &text)
{
    std::map<std::string, Times> times;
    icalcomponent *root = icalparser_parse_string(text.c_str());
    if (!root)
        return times;
    icalcomponent *parent = icalcomponent_isa(root) == ICAL_VTODO_COMPONENT ? nullptr : root;
    for (icalcomponent *todo =
             parent ? icalcomponent_get_first_component(parent, ICAL_VTODO_COMPONENT) : root;
         todo;
         todo = parent ? icalcomponent_get_next_component(parent, ICAL_VTODO_COMPONENT) : nullptr) {
        auto *recurrenceId = icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY);
        const char *key = recurrenceId ? icalproperty_get_value_as_string(recurrenceId) : "";
        if (times.contains(key ? key : ""))
            continue;
        Times &found = times[key ? key : ""];
        found.due = propertyInstant(todo, ICAL_DUE_PROPERTY, local());
        const auto start = propertyInstant(todo, ICAL_DTSTART_PROPERTY, local());
        found.startsAfterDue = start && found.due && *start > *found.due;
    }
    icalcomponent_free(root);
    return times;
}

// A VTODO whose DUE an edit wrote, the main one or an occurrence's, does not
// start after it.
bool startsByItsDue(const std::string &before, const std::string &after)
{
    const auto old = vTodoTimes(before);
    for (const auto &[key, times] : vTodoTimes(after)) {
        const auto was = old.find(key);
        if (times.startsAfterDue && (was == old.end() || was->second.due != times.due))
            return false;
    }
    return true;
}

// Edits the to-do the text holds; false when it was not edited.
bool edits(std::string_view text)
{
    const auto todo = readVTodo(text, local(), 0);
    if (!todo || !todo->shown())
        return true;
    TodoExtras extras = todo->extras;
    extras.completed = extras.completed ? std::nullopt : std::optional<double>(movedDue);
    const TodoItem edited("Edited by the fuzzer", movedDue, TodoPriority::low, todo->id, extras);
    const auto updated = updatedVTodo(text, edited, 0, local());
    if (!updated)
        return false;
    const auto read = readVTodo(*updated, local(), 0);
    if (!read || read->id != todo->id || read->name != edited.name() ||
        read->priority != TodoPriority::low || !read->due ||
        read->extras.wholeDay != extras.wholeDay || (!extras.wholeDay && *read->due != movedDue) ||
        read->extras.completed.has_value() != edited.isCompleted() ||
        !startsByItsDue(std::string(text), *updated))
        std::abort();
    return true;
}

std::string written(const std::string &text)
{
    icalcomponent *root = icalparser_parse_string(text.c_str());
    if (!root)
        return {};
    char *canonical = icalcomponent_as_ical_string_r(root);
    std::string result = canonical ? canonical : "";
    icalmemory_free_buffer(canonical);
    icalcomponent_free(root);
    return result;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string input(reinterpret_cast<const char *>(data), size);
    edits(input);
    // libical's writing of it, when that reads back as itself, is well-formed.
    const std::string canonical = written(input);
    if (!canonical.empty() && written(canonical) == canonical && !edits(canonical))
        std::abort();
    return 0;
}
