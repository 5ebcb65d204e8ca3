// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DateFormatter.h"

#include <Instant.h>

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
