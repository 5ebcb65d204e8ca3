// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ShownDay.h"

#include <tuple>

ShownDay::ShownDay(const Clock &clock, CalendarSource currentCalendar, QObject *parent)
    : QObject(parent), m_clock(clock), m_currentCalendar(std::move(currentCalendar)),
      m_currentDate(clock.now())
{
}

void ShownDay::followToday()
{
    const double now = m_clock.now();
    const LocalCalendar calendar = m_currentCalendar();
    const auto day = [&](double instant) {
        const DateComponents at = calendar.components(instant);
        return std::tuple(at.year, at.month, at.day);
    };
    std::string zone = calendar.timeZoneId();
    // The zone counts too: the date shown was formatted in the zone of its day.
    const bool sameZone = !m_currentDateZone || zone == *m_currentDateZone;
    m_currentDateZone = std::move(zone);
    if (sameZone && day(now) == day(m_currentDate))
        return;
    m_currentDate = now;
    emit currentDateChanged();
    dropPastPick();
    emit shownDayChanged();
}

QDate ShownDay::today() const
{
    const DateComponents at = m_currentCalendar().components(m_currentDate);
    return QDate(at.year, at.month, at.day);
}

double ShownDay::shownDate() const
{
    return m_pickedDay ? noonOn(*m_pickedDay) : m_currentDate;
}

double ShownDay::noonOn(QDate day) const
{
    return m_currentCalendar()
        .instant(day.year(), day.month(), day.day(), 12, 0, 0)
        .value_or(m_currentDate);
}

void ShownDay::pickDay(QDate day)
{
    followToday();
    if (!day.isValid() || day < today())
        return;
    const std::optional<QDate> picked = day == today() ? std::nullopt : std::optional(day);
    if (picked == m_pickedDay)
        return;
    m_pickedDay = picked;
    emit shownDayChanged();
}

void ShownDay::pickToday()
{
    pickDay(today());
}

std::pair<double, double> ShownDay::todaySpan() const
{
    const LocalCalendar calendar = m_currentCalendar();
    const QDate day = today();
    // The calendar rolls day 32 over into the next month, and so on.
    return {
        calendar.instant(day.year(), day.month(), day.day(), 0, 0, 0).value_or(m_currentDate),
        calendar.instant(day.year(), day.month(), day.day() + 1, 0, 0, 0).value_or(m_currentDate)};
}

std::optional<double> ShownDay::timeOn(QDate day, int hour, int minute, bool isAM) const
{
    return m_currentCalendar().instant(day.year(), day.month(), day.day(),
                                       hour % 12 + (isAM ? 0 : 12), minute, 0);
}

void ShownDay::dropPastPick()
{
    if (m_pickedDay && *m_pickedDay <= today())
        m_pickedDay.reset();
}
