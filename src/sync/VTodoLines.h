// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentLines.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// Where the VTODOs of calendar text are among its content lines, for edits
// that keep every other line as it was.

// The BEGIN line of the VTODO that `readVTodo` takes: the first without
// RECURRENCE-ID of its own, else the first.
std::optional<std::size_t> mainVTodoStart(const std::vector<ContentLine> &lines);

// The END line that closes the component begun at `start`; none when the text
// ends first.
std::optional<std::size_t> componentEnd(const std::vector<ContentLine> &lines, std::size_t start);

// The value of the first property `name` of the component begun at `start`
// (its own, not its alarms'), unfolded, as written.
std::optional<std::string> ownValue(const std::vector<ContentLine> &lines, std::size_t start,
                                    std::string_view name);

// The BEGIN lines of the VTODOs with a RECURRENCE-ID.
std::vector<std::size_t> overrideStarts(const std::vector<ContentLine> &lines);
