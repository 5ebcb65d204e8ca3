// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

// How the app reaches plimsa-reminders on the session bus. The interface
// carries a version, so a later agent can offer a new one beside it.
namespace reminderAgent {

inline const QString service = QStringLiteral("org.plimsa.Reminders");
inline const QString path = QStringLiteral("/org/plimsa/Reminders");
inline const QString interface = QStringLiteral("org.plimsa.Reminders1");

// Answered by an agent that has let go of its name and is about to exit; the
// caller sends the call again, which reaches (or starts) the next agent.
inline const QString exitingError = QStringLiteral("org.plimsa.Reminders.Error.Exiting");
inline const QString invalidRequestError =
    QStringLiteral("org.plimsa.Reminders.Error.InvalidRequest");

} // namespace reminderAgent
