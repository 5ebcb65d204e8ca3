// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

#include <optional>

// Makes the reminder agent start at the next login also where the install's
// own autostart entry is read by no session: a user install in ~/.local, a
// system install under /usr/local. Writes
// "$XDG_CONFIG_HOME/autostart/org.plimsa.Reminders.desktop" naming `agent`,
// unless an entry of that name is already in the user's autostart folder (the
// user's own, such as one with Hidden=true, is never overwritten) or in a
// system one ($XDG_CONFIG_DIRS), or `agent` is not an executable file.
// Returns the entry written, or none. Blocks on file I/O.
std::optional<QString> ensureAgentAutostart(const QString &agent);

// The executable file process `pid` runs, such as the agent that owns the
// agent's name; empty when there is no such process or its file is gone.
QString executableOf(uint pid);
