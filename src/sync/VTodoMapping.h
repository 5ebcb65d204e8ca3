// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <LocalCalendar.h>
#include <TodoItem.h>

#include <optional>
#include <string>
#include <string_view>

// What a server's VTODO means to the list, and the VTODO text Plimsa writes
// for a to-do (iCalendar through libical 3).
//
// Plimsa owns UID, SUMMARY, DUE, PRIORITY, completion (STATUS, COMPLETED,
// PERCENT-COMPLETE), DTSTAMP, LAST-MODIFIED, SEQUENCE and the one alarm it adds
// at the due time; when it moves DUE, DTSTART and absolute alarm triggers move
// along as far as they must. Everything else another client wrote stays byte
// for byte when Plimsa edits a server copy.
//
// A repeating to-do's time is the due time of its occurrence still to do, its
// rule counted from there (TodoExtras). A series kept in one VTODO is moved in
// place: DTSTART moves by as much as DUE, in its own zone and value type, and
// RRULE takes the list's COUNT. A series kept as a master and overrides stays
// in that form (VTodoSeriesEdit.h). A rule sync does not follow (RepeatRule.h)
// is shown at DUE and kept as written.

// One VTODO as read from a server.
struct ServerTodo {
    std::string uid;
    // The UID itself when it is a UUID, else a UUID named after it, so that a
    // to-do keeps one identity across syncs.
    Uuid id{Uuid::Bytes{}};
    std::string name;
    // The due instant; an all-day DUE is the start of its day in the local zone.
    std::optional<double> due;
    TodoPriority priority = TodoPriority::medium;
    // Completion, a UID that is not the id's text, the alarm that reminds of
    // it, an all-day DUE and the repeat rule, as the list keeps them.
    TodoExtras extras;
    bool cancelled = false;
    std::optional<double> lastModified;
    // When it was made: CREATED, else DTSTAMP; the order a list that takes
    // many at once shows them in.
    std::optional<double> created;
    int sequence = 0;

    // Cancelled to-dos and those without a due time are not in the list.
    bool shown() const { return due && !cancelled; }
    // The list's to-do; only for one that is shown.
    TodoItem item() const;
};

// Bigger texts are not read: no one to-do needs a megabyte.
inline constexpr std::size_t vTodoSizeLimit = 1 << 20;

// The main VTODO of a calendar object (the one without RECURRENCE-ID), at the
// occurrence still to do when overrides close some; none when the text holds
// no readable VTODO with a UID. A floating DUE is taken in
// `local`'s zone, as is a TZID that neither the text nor the system knows. Its
// reminder is the earliest display or audio alarm still to come after `now`
// and not acknowledged, else the last that has passed.
std::optional<ServerTodo> readVTodo(std::string_view calendarText, const LocalCalendar &local,
                                    double now);

// A calendar object holding a new VTODO for `item` under `item.uid()`, its
// times in UTC (an all-day one's DUE the date of its day in `local`). `now`
// stamps it.
std::string newVTodo(const TodoItem &item, double now, const LocalCalendar &local);

// The server copy with the fields of `item` that differ from it written over
// it, stamped `now` with SEQUENCE raised. Every line Plimsa does not own is kept
// as it was; only a copy whose lines libical nests otherwise (a stray END) is
// written anew by libical. None when the copy holds no VTODO to edit.
std::optional<std::string> updatedVTodo(std::string_view serverCopy, const TodoItem &item,
                                        double now, const LocalCalendar &local);
