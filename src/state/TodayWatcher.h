// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Clock.h>
#include <LocalCalendar.h>

#include <QObject>
#include <QTimer>

// Says when today may have become another day or the time zone may have
// changed: at each local midnight, at least once a minute (a time zone or a
// clock set by hand), and when the machine resumes from suspend.
class TodayWatcher : public QObject {
    Q_OBJECT

public:
    TodayWatcher(const Clock &clock, CalendarSource currentCalendar, QObject *parent = nullptr);

    // Also listens for the machine resuming, on the system bus.
    void watchResume();
    // How long until the next check; negative when none is armed.
    int millisecondsUntilNextCheckForTesting() const;

signals:
    void mayHaveChanged();
    // The machine woke from suspend (with `watchResume`).
    void resumed();

private:
    void wake();
    void arm();

    const Clock &m_clock;
    CalendarSource m_currentCalendar;
    QTimer m_timer;
};
