// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

#include <memory>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class SimpleDateFormat;
U_NAMESPACE_END

// Formats instants with a UTS #35 pattern ("h:mm a") in the user's locale for
// dates and times and in the user's time zone, both as they are when it is made.
class DateFormatter {
public:
    explicit DateFormatter(const QString &pattern);
    // The locale's own pattern for an ICU skeleton ("MMMEd": "EEE, MMM d" in English).
    static DateFormatter withSkeleton(const QString &skeleton);
    ~DateFormatter();
    DateFormatter(DateFormatter &&) noexcept;
    DateFormatter &operator=(DateFormatter &&) noexcept;

    QString format(double instant) const;

private:
    std::unique_ptr<icu::SimpleDateFormat> m_format;
};

// A form's day: today as "EEEE, d, yyyy", as it always was; another day with
// its month too, in the locale's full form, since a weekday and a day number
// alone do not say which month. `instant` is any moment of that day.
QString dayText(double instant, bool isToday);

// The locale for date and time texts: LC_ALL, else LC_TIME, else LANG, as the
// C library would pick it (ICU itself ignores LC_TIME).
QByteArray userTimeLocaleName();
// The first day of the week in that locale, 1 (Monday) to 7 (Sunday) as Qt counts.
int userFirstWeekday();
