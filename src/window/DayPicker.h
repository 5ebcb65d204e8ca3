// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDate>
#include <QFrame>

class QCalendarWidget;
class QPushButton;
class RepeatField;

// The month calendar that a DayButton pops up, with a "Today" choice below it,
// and for a new to-do, how it repeats.
// Weeks start on the locale's first weekday; days before the first offered one
// cannot be chosen. Arrow keys move, Enter or a click picks, Escape leaves.
class DayPicker : public QFrame {
    Q_OBJECT

public:
    DayPicker(QWidget *parent, bool offersRepeat);

    QCalendarWidget *calendar() const { return m_calendar; }
    QPushButton *todayButton() const { return m_todayButton; }
    // Null unless it offers a repeat.
    RepeatField *repeatField() const { return m_repeatField; }

    // Opens on `shown`, offering days from `first` on, next to `anchor`.
    void popUp(QDate shown, QDate first, const QWidget *anchor);

signals:
    void dayPicked(QDate day);
    void todayPicked();

private:
    QCalendarWidget *m_calendar;
    QPushButton *m_todayButton;
    RepeatField *m_repeatField = nullptr;
};
