// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <LocalCalendar.h>

#include <QDate>

#include <string>
#include <string_view>

// A repeat as the forms offer it: every day, weekday, week, month or year, or
// every so many days, weeks, months or years, ending never, after a day, or
// after so many times. A rule they cannot show is custom, and keeps its text.
struct RepeatChoice {
    enum class Frequency { never, daily, weekdays, weekly, monthly, yearly, custom };
    Frequency frequency = Frequency::never;
    // Every `interval` days, weeks, months or years; 1 for weekdays.
    int interval = 1;
    // The last day it may fall on; invalid for none.
    QDate until{};
    // How many times are left, this one included; 0 for no count.
    int count = 0;

    friend bool operator==(const RepeatChoice &, const RepeatChoice &) = default;
};

// The choice that `rrule` is; an end given in UTC falls on its day in `calendar`.
RepeatChoice repeatChoiceOf(std::string_view rrule, const LocalCalendar &calendar);

// The rule text of `choice`; empty for never and for custom, whose text the
// caller keeps. An end day ends in `calendar`'s zone: given as the day for a
// whole-day to-do, else in UTC as a calendar server expects.
std::string ruleOf(const RepeatChoice &choice, bool wholeDay, const LocalCalendar &calendar);
