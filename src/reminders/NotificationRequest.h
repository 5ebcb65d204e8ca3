// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

// What a reminder shows.
struct NotificationContent {
    QString title;
    QString body;
    bool defaultSound = false;

    friend bool operator==(const NotificationContent &, const NotificationContent &) = default;
};

// Due once at second 0 of the minute that holds `time`, an instant (seconds
// since 2001-01-01 00:00:00 UTC): the minute a to-do's row shows in whatever
// time zone is in force, so a zone change between now and then moves neither.
struct InstantTrigger {
    double time = 0;
    bool repeats = false;

    friend bool operator==(const InstantTrigger &, const InstantTrigger &) = default;
};

struct NotificationRequest {
    QString identifier;
    NotificationContent content;
    InstantTrigger trigger;

    friend bool operator==(const NotificationRequest &, const NotificationRequest &) = default;
};
