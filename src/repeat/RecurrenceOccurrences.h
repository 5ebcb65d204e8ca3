// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Occurrences.h>

// Occurrences as libical's recurrence iterator gives them, from the current
// occurrence as wall time without a zone, turned into instants by the user's
// calendar: "every day at 9:00" stays at 9:00 across daylight-saving changes.
// UNTIL given in UTC is compared in that calendar's wall time. Not
// thread-safe (libical's error state).
class RecurrenceOccurrences final : public Occurrences {
public:
    NextOccurrence after(std::string_view rrule, double current, bool wholeDay, double now,
                         const LocalCalendar &calendar) const override;
};
