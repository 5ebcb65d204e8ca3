// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

// Where plimsa-reminders is on the session bus, and the errors it answers; its
// interface, org.plimsa.Reminders1, is described in org.plimsa.Reminders1.xml.
// The interface carries a version, so a later agent can offer a new one beside it.
namespace reminderAgent {

inline const QString service = QStringLiteral("org.plimsa.Reminders");
inline const QString path = QStringLiteral("/org/plimsa/Reminders");
inline const QString interface = QStringLiteral("org.plimsa.Reminders1");

// Answered by an agent that has let go of its name and is about to exit; the
// caller sends the call again, which reaches (or starts) the next agent.
inline const QString exitingError = QStringLiteral("org.plimsa.Reminders.Error.Exiting");
// The change could not be written to disk; it is kept in memory, and a call
// sent again writes again.
inline const QString notStoredError = QStringLiteral("org.plimsa.Reminders.Error.NotStored");
inline const QString invalidRequestError =
    QStringLiteral("org.plimsa.Reminders.Error.InvalidRequest");

} // namespace reminderAgent
