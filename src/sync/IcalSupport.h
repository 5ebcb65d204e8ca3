// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <libical/ical.h>

#include <memory>
#include <string>

// Ownership of libical's components and strings, for the mapping's own use.

struct IcalComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using IcalComponentPointer = std::unique_ptr<icalcomponent, IcalComponentDeleter>;

// Takes a string libical allocated for the caller (the `_r` functions).
inline std::string takeIcalString(char *text)
{
    std::string result = text ? text : "";
    icalmemory_free_buffer(text);
    return result;
}

// The VTODO a calendar object stands for: the first without RECURRENCE-ID,
// else the first; none when it holds no VTODO.
icalcomponent *mainVTodo(icalcomponent *root);

// Seconds since 2001-01-01 00:00:00 UTC as a UTC date-time, whole seconds.
icaltimetype icalUtcTime(double instant);
