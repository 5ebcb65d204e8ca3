// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <LocalCalendar.h>
#include <QString>

// What a reminder shows.
struct NotificationContent {
    QString title;
    QString body;
    bool defaultSound = false;

    friend bool operator==(const NotificationContent &, const NotificationContent &) = default;
};

// Due once when the local date and time reach these components (second 0 of the
// minute), in whatever time zone the user has at that moment.
struct CalendarTrigger {
    DateComponents dateMatching;
    bool repeats = false;

    friend bool operator==(const CalendarTrigger &, const CalendarTrigger &) = default;
};

struct NotificationRequest {
    QString identifier;
    NotificationContent content;
    CalendarTrigger trigger;

    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};
