// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentLines.h"
#include "IcalSupport.h"
#include "VTodoDueMove.h"

#include <TodoItem.h>

#include <optional>
#include <string>
#include <vector>

// The properties Plimsa writes on a VTODO, and the edit of one VTODO of a
// server copy that replaces only those and keeps every other line as it was.

// Which of the to-do's own fields a write puts on the server copy.
struct Fields {
    bool name = true;
    bool due = true;
    bool priority = true;
    bool completion = true;
};

// What an edit writes over a server copy.
struct Edit {
    Fields fields;
    // Where DUE goes, when it moves.
    DueMove move;
    // The RRULE value anew when it changes; empty when it goes.
    std::optional<std::string> rule;
    // The copy has no RRULE line to write it on.
    bool ruleIsNew = false;
    // Completion written as STATUS:CANCELLED: an occurrence that will not be done.
    bool cancelled = false;
    double now = 0;
    int sequence = 0;
};

std::vector<IcalPropertyPointer> ownedProperties(const TodoItem &item, const Edit &edit);

// A display alarm, described by the name, at `offset` seconds from the due
// time: Plimsa's own alarm at offset 0.
icalcomponent *alarmAt(const std::string &name, double offset);

std::string formatted(const IcalPropertyPointer &property);

// The properties an edit writes anew in place of the copy's.
bool isReplaced(const std::string &name, const Edit &edit);

// The edit moves DUE, and alarms at a time with it.
bool shiftsTriggers(const Edit &edit);

// The text of `lines` with the VTODO begun at `start` edited: Plimsa's
// properties replaced, its own alarm renamed, alarms at a time moved with DUE.
std::string editedVTodo(const std::vector<ContentLine> &lines, std::size_t start,
                        const TodoItem &item, const Edit &edit, const LocalCalendar &local);

// The next SEQUENCE after the one a component has.
int nextSequence(icalcomponent *todo);
