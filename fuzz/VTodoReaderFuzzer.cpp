// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either reads as a VTODO or not at all, without a crash or leak. An
// edit that is made reads back with the new name and priority and the same
// identity; and an edit of a VTODO in libical's own well-formed writing is
// always made.

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

// Edits the to-do the text holds; false when it was not edited.
bool edits(std::string_view text)
{
    const auto todo = readVTodo(text, local());
    if (!todo || !todo->shown())
        return true;
    const TodoItem edited("Edited by the fuzzer", *todo->due, TodoPriority::low, todo->id);
    const auto updated = updatedVTodo(text, edited, 0, local());
    if (!updated)
        return false;
    const auto read = readVTodo(*updated, local());
    if (!read || read->id != todo->id || read->name != edited.name() ||
        read->priority != TodoPriority::low)
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
