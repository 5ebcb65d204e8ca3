// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <LocalCalendar.h>

#include <string>
#include <string_view>

// Where a repeating to-do goes once its current occurrence is finished or
// skipped.
struct NextOccurrence {
    enum class Kind {
        // The rule cannot be read or is absurd: the to-do is a plain one.
        notFollowed,
        // The rule's count or end is reached: no occurrence is left.
        none,
        found,
        // They cannot be worked out here (the repeat module did not load):
        // nothing should change, least of all the series end.
        unavailable,
    };
    Kind kind = Kind::notFollowed;
    // When found: its due instant, and the rule as counted from it.
    double time = 0;
    std::string rrule{};

    friend bool operator==(const NextOccurrence &, const NextOccurrence &) = default;
};

// The occurrences of repeating to-dos, behind an interface so that the window
// loads the calendar library only once a repeating to-do is finished, and tests
// give the time zone.
class Occurrences {
public:
    virtual ~Occurrences() = default;
    // The first occurrence of `rrule` after the current one, due at `current`,
    // that is not past at `now`: missed ones are skipped, and the count left
    // drops by each one passed. `wholeDay` to-dos repeat by date, the others at
    // the same wall time in `calendar`'s zone; a whole day is past once it ends.
    virtual NextOccurrence after(std::string_view rrule, double current, bool wholeDay, double now,
                                 const LocalCalendar &calendar) const = 0;
};

// What the repeat module exports: its occurrences, alive as long as the module.
using OccurrencesOfModule = const Occurrences *();
extern "C" OccurrencesOfModule plimsaOccurrences;
