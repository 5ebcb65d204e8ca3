// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "TodoItem.h"

#include <vector>

// The list with changes made elsewhere: a changed to-do keeps its place, a new
// one is appended, a removed one goes.
std::vector<TodoItem> withChanges(std::vector<TodoItem> list, const std::vector<TodoItem> &changed,
                                  const std::vector<Uuid> &removed);
