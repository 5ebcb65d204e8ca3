// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "IcalSupport.h"

#include <optional>

// Which of a VTODO's alarms reminds of it in the list, as the offset from its
// due instant that `TodoExtras::alarm` keeps.
//
// Only display and audio alarms remind. Of those, the earliest still to come
// after `now` and not acknowledged is the reminder; when every one has passed
// (or was acknowledged), the last of them, so that the reminder lies in the
// past rather than at the due time. None when no alarm reminds, and when the
// reminder is at the due instant of a to-do due at a time (the list's
// default, as Plimsa's own alarm is).
std::optional<double> reminderOffset(icalcomponent *todo, double due, bool wholeDay,
                                     const LocalCalendar &local, double now);
