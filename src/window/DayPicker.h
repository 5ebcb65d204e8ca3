// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;
class QPushButton;

// The month calendar that a DayButton pops up, with a "Today" choice below it.
// Weeks start on the locale's first weekday; days before the first offered one
// cannot be chosen. Arrow keys move, Enter or a click picks, Escape leaves.
class DayPicker : public QFrame {
    Q_OBJECT

public:
    explicit DayPicker(QWidget *parent);

    QCalendarWidget *calendar() const { return m_calendar; }
    QPushButton *todayButton() const { return m_todayButton; }

    // Opens on `shown`, offering days from `first` on, next to `anchor`.
    void popUp(QDate shown, QDate first, const QWidget *anchor);

signals:
    void dayPicked(QDate day);
    void todayPicked();

private:
    QCalendarWidget *m_calendar;
    QPushButton *m_todayButton;
};
