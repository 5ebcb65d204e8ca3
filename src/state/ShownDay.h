// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Clock.h>
#include <LocalCalendar.h>

#include <QDate>
#include <QObject>

#include <optional>
#include <string>
#include <utility>

// The day new to-dos get: today, unless the user picked a later day. Today is
// taken from the clock when asked (`followToday`), so that the date shown and
// the day a to-do gets change together. Lives on the UI thread.
class ShownDay : public QObject {
    Q_OBJECT

public:
    ShownDay(const Clock &clock, CalendarSource currentCalendar, QObject *parent = nullptr);

    // The instant today was taken at.
    double currentDate() const { return m_currentDate; }
    // Moves `currentDate` to now when the local day or the time zone has
    // changed since it was set, so that the date shown and the day new to-dos
    // get follow the calendar (midnight, a resume, a new time zone).
    void followToday();

    // Today's date in the current calendar, as `currentDate` holds it.
    QDate today() const;
    // The picked day, else today.
    QDate day() const { return m_pickedDay.value_or(today()); }
    bool showsToday() const { return !m_pickedDay; }
    // An instant on the shown day, to format it by: `currentDate` for today,
    // else the day's noon.
    double shownDate() const;
    // Noon on `day`, which no daylight-saving change skips.
    double noonOn(QDate day) const;
    // Gives new to-dos `day` until "Today" is chosen or the day is past.
    // Past days are refused; today itself is the same as `pickToday`.
    void pickDay(QDate day);
    void pickToday();
    // Where today begins and where the next day begins, as instants.
    std::pair<double, double> todaySpan() const;

    // A 12-hour form time on `day`, resolved by the current calendar.
    std::optional<double> timeOn(QDate day, int hour, int minute, bool isAM) const;
    // The calendar in force now, to read instants by.
    LocalCalendar calendar() const { return m_currentCalendar(); }

signals:
    void currentDateChanged();
    // The day new to-dos get changed: picked, back to today, or a new today.
    void shownDayChanged();

private:
    // A picked day that has become today or past gives way to today.
    void dropPastPick();

    const Clock &m_clock;
    CalendarSource m_currentCalendar;
    double m_currentDate;
    // Learnt at the first check, so that making the view needs no calendar.
    std::optional<std::string> m_currentDateZone;
    std::optional<QDate> m_pickedDay;
};
