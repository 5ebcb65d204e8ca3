// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class Calendar;
U_NAMESPACE_END

// Local date and time of day, to the minute.
struct DateComponents {
    int year = 0;
    int month = 0; // 1 to 12
    int day = 0;
    int hour = 0; // 0 to 23
    int minute = 0;

    friend bool operator==(const DateComponents &, const DateComponents &) = default;
};

// The Gregorian calendar in one time zone (ICU). Local times that fall into a
// daylight-saving gap or repeat resolve by ICU's rule. Not thread-safe.
class LocalCalendar {
public:
    // The user's time zone as it is now (TZ, else /etc/localtime).
    static LocalCalendar current();
    // An Olson time zone id such as "Europe/Berlin"; unknown ids mean UTC.
    explicit LocalCalendar(std::string_view timeZoneId);
    ~LocalCalendar();
    LocalCalendar(LocalCalendar &&) noexcept;
    LocalCalendar &operator=(LocalCalendar &&) noexcept;

    // The Olson id of the calendar's time zone, such as "Europe/Berlin".
    std::string timeZoneId() const;
    DateComponents components(double instant) const;
    // The instant of a local date and time; none when the calendar cannot form it.
    std::optional<double> instant(int year, int month, int day, int hour, int minute,
                                  int second) const;

private:
    explicit LocalCalendar(std::unique_ptr<icu::Calendar> calendar);
    std::unique_ptr<icu::Calendar> m_calendar;
};

// Gives the calendar in the user's time zone as it is at the moment of the call.
using CalendarSource = std::function<LocalCalendar()>;
