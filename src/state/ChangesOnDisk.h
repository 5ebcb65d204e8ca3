// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncedChanges.h"

#include <TodoItem.h>

#include <vector>

// What another process (the reminder agent, syncing while no window was open)
// changed in the stored list between `read`, the list as this process read
// it, and `stored`, the list as it is now, as a sync's changes for `here`,
// the list as it stands in this process. A to-do changed or removed here
// since it was read keeps this side's version: the next sync sends it.
SyncedChanges changesOnDisk(const std::vector<TodoItem> &read, const std::vector<TodoItem> &stored,
                            const std::vector<TodoItem> &here);
