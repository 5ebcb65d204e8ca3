// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "LocalCalendar.h"

#include "Instant.h"

#include <unicode/gregocal.h>
#include <unicode/timezone.h>

namespace {

std::unique_ptr<icu::Calendar> gregorianIn(icu::TimeZone *zone)
{
    UErrorCode status = U_ZERO_ERROR;
    auto calendar = std::make_unique<icu::GregorianCalendar>(zone, status);
    if (U_FAILURE(status))
        return std::make_unique<icu::GregorianCalendar>(icu::TimeZone::getGMT()->clone(), status);
    return calendar;
}

} // namespace

LocalCalendar::LocalCalendar(std::unique_ptr<icu::Calendar> calendar)
    : m_calendar(std::move(calendar))
{
}

LocalCalendar LocalCalendar::current()
{
    return LocalCalendar(gregorianIn(icu::TimeZone::detectHostTimeZone()));
}

LocalCalendar::LocalCalendar(std::string_view timeZoneId)
    : LocalCalendar(gregorianIn(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(
          icu::StringPiece(timeZoneId.data(), static_cast<int32_t>(timeZoneId.size()))))))
{
}

LocalCalendar::~LocalCalendar() = default;
LocalCalendar::LocalCalendar(LocalCalendar &&) noexcept = default;
LocalCalendar &LocalCalendar::operator=(LocalCalendar &&) noexcept = default;

std::string LocalCalendar::timeZoneId() const
{
    icu::UnicodeString id;
    m_calendar->getTimeZone().getID(id);
    std::string text;
    return id.toUTF8String(text);
}

DateComponents LocalCalendar::components(double instant) const
{
    UErrorCode status = U_ZERO_ERROR;
    m_calendar->setTime(unixMillisecondsFromInstant(instant), status);
    const auto field = [&](UCalendarDateFields which) { return m_calendar->get(which, status); };
    DateComponents result;
    result.year = field(UCAL_EXTENDED_YEAR);
    result.month = field(UCAL_MONTH) + 1;
    result.day = field(UCAL_DATE);
    result.hour = field(UCAL_HOUR_OF_DAY);
    result.minute = field(UCAL_MINUTE);
    return U_SUCCESS(status) ? result : DateComponents{};
}

std::optional<double> LocalCalendar::instant(int year, int month, int day, int hour, int minute,
                                             int second) const
{
    m_calendar->clear();
    m_calendar->set(UCAL_EXTENDED_YEAR, year);
    m_calendar->set(UCAL_MONTH, month - 1);
    m_calendar->set(UCAL_DATE, day);
    m_calendar->set(UCAL_HOUR_OF_DAY, hour);
    m_calendar->set(UCAL_MINUTE, minute);
    m_calendar->set(UCAL_SECOND, second);
    m_calendar->set(UCAL_MILLISECOND, 0);
    UErrorCode status = U_ZERO_ERROR;
    const UDate milliseconds = m_calendar->getTime(status);
    if (U_FAILURE(status))
        return std::nullopt;
    return instantFromUnixMilliseconds(milliseconds);
}
