// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentLines.h"
#include "VTodoMapping.h"
#include "VTodoSeries.h"

#include <optional>
#include <string>
#include <vector>

// A change of the list's to-do written on a series that another client keeps
// as a master VTODO and overrides, in that form.
//
// A later due time finishes the occurrence that was current: it gets a
// completed override, and each occurrence passed on the way to the new one a
// cancelled override (it was not done, so no completion time is claimed for
// it). Any other new due time moves the current occurrence with an override
// of its own. The master's DTSTART, DUE and RRULE stay as written, and so
// does every override not written to; name, priority and completion go onto
// the master (and a name or priority onto a still-open override that has its
// own), so that a series ticked off is done as a whole. None when the series
// is too far behind to catch up with overrides.
std::optional<std::string> updatedSeries(const std::vector<ContentLine> &lines,
                                         const VTodoSeries &series, const ServerTodo &current,
                                         const TodoItem &item, double now,
                                         const LocalCalendar &local);
