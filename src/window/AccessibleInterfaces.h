// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Makes screen readers see Plimsa's own widgets as what they are: a picker
// that tells its name ("Hour") with the chosen option as its value, the to-do
// list as a list named "To-dos" with one item per to-do, and the undo bar as a
// notification. Call once after the application is made.
void installAccessibleInterfaces();
