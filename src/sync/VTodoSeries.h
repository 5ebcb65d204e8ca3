// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "IcalSupport.h"

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A repeating to-do kept as a master VTODO with an RRULE and overriding
// VTODOs with a RECURRENCE-ID of the same UID, some of them done or cancelled,
// and which of its occurrences is the one still to do.
//
// Occurrences come from libical's recurrence iterator over the master's RRULE,
// from its DTSTART (else its DUE); EXDATEs are left out. Walks are bounded, so
// that a rule that never ends or never matches costs a fixed amount of work.
struct Occurrence {
    // The occurrence's start as its RECURRENCE-ID gives it: of the type and
    // zone of the master's DTSTART (else DUE).
    icaltimetype recurrenceId = icaltime_null_time();
    // Its start and when it is due as the rule makes it, as instants.
    double start = 0;
    double due = 0;
    // Occurrences of the rule before it.
    int index = 0;
};

// The occurrence a series shows in the list, and whether the series is done.
struct ShownOccurrence {
    Occurrence occurrence;
    bool done = false;
};

class VTodoSeries {
public:
    // The series of the object's main VTODO, whose RRULE is `rule` as
    // written; none when it has no override or a rule that is not followed:
    // such an object is one to-do.
    static std::optional<VTodoSeries> of(icalcomponent *root, std::string_view rule,
                                         const LocalCalendar &local);

    icalcomponent *master() const { return m_master; }

    // The override of an occurrence; none when the master stands for it.
    icalcomponent *overrideOf(const Occurrence &occurrence) const;
    // The override says the occurrence is done or will not be.
    bool isClosed(const Occurrence &occurrence) const;

    // The first occurrence that no override closed; none when every one is
    // closed or the walk ends at its bound.
    std::optional<Occurrence> firstOpen() const;
    // The last occurrence an override closed.
    std::optional<Occurrence> lastClosed() const;
    // The first occurrence still to do, done when the master is; when none is
    // left, the last one closed, done. None when the walk ends at its bound.
    std::optional<ShownOccurrence> shown(bool masterDone) const;
    // The occurrences after `after`, up to and including the last one due at
    // or before `until`; bounded.
    std::vector<Occurrence> dueUpTo(const Occurrence &after, double until) const;

private:
    VTodoSeries(icalcomponent *master, const LocalCalendar &local)
        : m_master(master), m_local(&local)
    {
    }
    // Walks the occurrences from the first, calling `visit` until it returns
    // false, the rule ends or the bound is reached; false when the bound ended it.
    template <typename Visit> bool walk(Visit visit) const;

    icalcomponent *m_master;
    const LocalCalendar *m_local;
    // By the instant their RECURRENCE-ID names.
    std::map<double, icalcomponent *> m_overrides;
    icalrecurrencetype m_recurrence{};
    icaltimetype m_start = icaltime_null_time();
    // From an occurrence's start to its due instant: seconds, or days for
    // whole days.
    double m_dueAfterStart = 0;
    bool m_wholeDay = false;
    std::vector<double> m_excluded;
};
