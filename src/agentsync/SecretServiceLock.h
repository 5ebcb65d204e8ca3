// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDBusConnection>

// Whether the Secret Service can give a password without asking the user:
// it runs and its default collection is unlocked. Reading from a locked one
// would ask the user to unlock it, which is the window's to do, not a
// background agent's. Blocks for the bus's answer, at most two seconds.
bool secretServiceUnlocked(const QDBusConnection &bus);
