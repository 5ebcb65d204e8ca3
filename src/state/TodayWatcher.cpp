// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodayWatcher.h"

#include <SystemResumeWatcher.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double longestWaitSeconds = 60.0;

} // namespace

TodayWatcher::TodayWatcher(const Clock &clock, CalendarSource currentCalendar, QObject *parent)
    : QObject(parent), m_clock(clock), m_currentCalendar(std::move(currentCalendar))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &TodayWatcher::wake);
    arm();
}

void TodayWatcher::watchResume()
{
    auto *resume = new SystemResumeWatcher(this);
    connect(resume, &SystemResumeWatcher::resumed, this, &TodayWatcher::wake);
    connect(resume, &SystemResumeWatcher::resumed, this, &TodayWatcher::resumed);
}

void TodayWatcher::wake()
{
    emit mayHaveChanged();
    arm();
}

void TodayWatcher::arm()
{
    const double now = m_clock.now();
    const LocalCalendar calendar = m_currentCalendar();
    const DateComponents today = calendar.components(now);
    // The calendar rolls day 32 over into the next month, and so on.
    const auto midnight = calendar.instant(today.year, today.month, today.day + 1, 0, 0, 0);
    const double wait =
        midnight ? std::clamp(*midnight - now, 0.0, longestWaitSeconds) : longestWaitSeconds;
    m_timer.start(static_cast<int>(std::ceil(wait * 1000.0)));
}

int TodayWatcher::millisecondsUntilNextCheckForTesting() const
{
    return m_timer.isActive() ? m_timer.interval() : -1;
}
