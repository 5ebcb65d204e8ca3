// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "IcalSupport.h"

#include <TodoItem.h>

#include <optional>

// What a VTODO's times become when Plimsa gives it a new due time.
//
// DUE takes the to-do's time: in UTC, or as the date of its local day for a
// to-do due on a day. DTSTART moves only as far as servers demand: it must not
// come after DUE (SabreDAV refuses that), and it must have DUE's value type,
// so it moves by as much as DUE did when it would otherwise come after it, and
// turns into a date-time or a date with DUE. Alarms at an absolute time move
// by as much as DUE; relative ones follow DUE or DTSTART by themselves.
struct DueMove {
    icaltimetype due = icaltime_null_time();
    // DTSTART anew; none when its line stays as it is.
    std::optional<icaltimetype> start;
    // The TZID DTSTART is written in, when it is a local time of a zone.
    std::string startZone;
    // Seconds the due instant moved by.
    double shift = 0;
};

// The DUE Plimsa writes for the to-do, and the instant it stands for.
icaltimetype dueValue(const TodoItem &item, const LocalCalendar &local);
double dueInstant(const TodoItem &item, const LocalCalendar &local);

DueMove dueMove(icalcomponent *todo, const TodoItem &item, const LocalCalendar &local);

// For a series kept in one VTODO: DTSTART moves by as much as DUE, keeping
// its value type and zone, so that the rule counts from the occurrence now due.
DueMove seriesDueMove(icalcomponent *todo, const TodoItem &item, const LocalCalendar &local);

// The TRIGGER of an alarm at an absolute time moved by `shift`; none for a
// relative trigger, which stays as it is.
IcalPropertyPointer shiftedTrigger(icalproperty *trigger, double shift, const LocalCalendar &local);
