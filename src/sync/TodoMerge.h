// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <optional>

// The three-way merge of one to-do changed here and on the server since
// `base`, the copy both last agreed on: field by field (name, due time,
// priority, completion), a field changed on one side takes that side's value,
// a field changed on both the later change's (`mineTime` against the server's
// LAST-MODIFIED; without one, ours). A due time and whether it is a whole day
// go together. The other extras (UID, alarm, repeat rule) come from the side
// that changed them, else from ours. A repeating to-do's due time and rule go
// together as where the series stands: moved on both sides, the later
// occurrence wins.
TodoItem mergeTodo(const TodoItem &base, const TodoItem &mine, double mineTime,
                   const TodoItem &theirs, std::optional<double> theirTime);
