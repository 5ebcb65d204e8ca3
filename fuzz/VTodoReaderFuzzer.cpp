// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either reads as a VTODO or not at all, without a crash or leak. An
// edit that is made reads back with the new name, priority, due time and
// completion and the same identity, with DTSTART no later than a moved DUE;
// and an edit of a VTODO in libical's own well-formed writing is always made.

#include <IcalSupport.h>
#include <VTodoMapping.h>

#include <libical/ical.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace {

const LocalCalendar &local()
{
    static const LocalCalendar calendar("Europe/Berlin");
    return calendar;
}

// Where the edit moves DUE to.
constexpr double movedDue = 794424600; // 2026-03-05 18:30 UTC

// DTSTART, when the text has one Plimsa can read, is not after DUE.
bool startsByItsDue(const std::string &text, double due)
{
    icalcomponent *root = icalparser_parse_string(text.c_str());
    if (!root)
        return false;
    icalcomponent *todo = mainVTodo(root);
    std::optional<double> start;
    if (auto *property =
            todo ? icalcomponent_get_first_property(todo, ICAL_DTSTART_PROPERTY) : nullptr)
        start = instantOf(icalproperty_get_datetime_with_component(property, todo), local());
    icalcomponent_free(root);
    return !start || *start <= due;
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
        (*read->due != *todo->due && !startsByItsDue(*updated, *read->due)))
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
