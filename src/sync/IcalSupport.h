// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <LocalCalendar.h>

#include <libical/ical.h>

#include <memory>
#include <optional>
#include <string>

// Ownership of libical's components and strings, and the times the mapping
// reads and writes, for the mapping's own use.

struct IcalComponentDeleter {
    void operator()(icalcomponent *component) const { icalcomponent_free(component); }
};
using IcalComponentPointer = std::unique_ptr<icalcomponent, IcalComponentDeleter>;

struct IcalPropertyDeleter {
    void operator()(icalproperty *property) const { icalproperty_free(property); }
};
using IcalPropertyPointer = std::unique_ptr<icalproperty, IcalPropertyDeleter>;

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
// The date of the local day the instant falls on.
icaltimetype icalLocalDate(double instant, const LocalCalendar &local);

// A time of a component as an instant: with its zone when it has one, floating
// times and unknown zones in the local one, a date at its local midnight.
std::optional<double> instantOf(icaltimetype time, const LocalCalendar &local);
// The instant of the component's first property of that kind.
std::optional<double> propertyInstant(icalcomponent *component, icalproperty_kind kind,
                                      const LocalCalendar &local);
