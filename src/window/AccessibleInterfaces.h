// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Makes screen readers see Plimsa's own widgets as what they are: a picker
// that tells its name ("Hour") with the chosen option as its value, the to-do
// list as a list named "To-dos" with one item per to-do, each holding a check
// box named by it and checked when it is done, and one item "Completed (N)"
// that expands and collapses; and the undo bar as a notification. Call once
// after the application is made.
void installAccessibleInterfaces();
