// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DateFormatter.h"

#include <Instant.h>

#include <unicode/calendar.h>
#include <unicode/dtptngen.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

QByteArray userTimeLocaleName()
{
    for (const char *variable : {"LC_ALL", "LC_TIME", "LANG"}) {
        QByteArray value = qgetenv(variable);
        if (value.isEmpty())
            continue;
        // "de_DE.UTF-8@euro" -> "de_DE"
        for (char separator : {'.', '@'}) {
            if (const auto at = value.indexOf(separator); at >= 0)
                value.truncate(at);
        }
        if (value == "C" || value == "POSIX")
            return QByteArrayLiteral("en_US_POSIX");
        return value;
    }
    return QByteArrayLiteral("en_US_POSIX");
}

DateFormatter::DateFormatter(const QString &pattern)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale(userTimeLocaleName().constData());
    m_format = std::make_unique<icu::SimpleDateFormat>(
        icu::UnicodeString(pattern.utf16(), static_cast<int32_t>(pattern.size())), locale, status);
    if (U_FAILURE(status))
        m_format.reset();
    else
        m_format->adoptTimeZone(icu::TimeZone::detectHostTimeZone());
}

DateFormatter DateFormatter::withSkeleton(const QString &skeleton)
{
    UErrorCode status = U_ZERO_ERROR;
    const icu::Locale locale(userTimeLocaleName().constData());
    const std::unique_ptr<icu::DateTimePatternGenerator> generator(
        icu::DateTimePatternGenerator::createInstance(locale, status));
    if (U_FAILURE(status))
        return DateFormatter(skeleton);
    const icu::UnicodeString pattern = generator->getBestPattern(
        icu::UnicodeString(skeleton.utf16(), static_cast<int32_t>(skeleton.size())), status);
    if (U_FAILURE(status))
        return DateFormatter(skeleton);
    return DateFormatter(
        QString(reinterpret_cast<const QChar *>(pattern.getBuffer()), pattern.length()));
}

QString dayText(double instant, bool isToday)
{
    // Made anew each time: the time zone may have changed since.
    return (isToday ? DateFormatter(QStringLiteral("EEEE, d, yyyy"))
                    : DateFormatter::withSkeleton(QStringLiteral("yMMMMEEEEd")))
        .format(instant);
}

int userFirstWeekday()
{
    UErrorCode status = U_ZERO_ERROR;
    const std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::Locale(userTimeLocaleName().constData()), status));
    if (U_FAILURE(status))
        return 7;
    // ICU counts from Sunday = 1.
    const int first = calendar->getFirstDayOfWeek(status);
    return U_FAILURE(status) ? 7 : (first + 5) % 7 + 1;
}

DateFormatter::~DateFormatter() = default;
DateFormatter::DateFormatter(DateFormatter &&) noexcept = default;
DateFormatter &DateFormatter::operator=(DateFormatter &&) noexcept = default;

QString DateFormatter::format(double instant) const
{
    if (!m_format)
        return QString();
    icu::UnicodeString text;
    m_format->format(unixMillisecondsFromInstant(instant), text);
    return QString(reinterpret_cast<const QChar *>(text.getBuffer()), text.length());
}
