// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QDate>
#include <QToolButton>

class DayPicker;

// A form's day, shown as plain text (a frame only when hovered or focused),
// that opens a month calendar on a click, Space, Enter or Alt+Down. Screen
// readers see a button named by the text it shows.
class DayButton : public QToolButton {
    Q_OBJECT

public:
    explicit DayButton(QWidget *parent = nullptr);

    // Shows `text` for the day `shown`; the calendar offers days from `first` on.
    void showDay(const QString &text, QDate shown, QDate first);
    // Made at its first use: a month calendar costs a start milliseconds.
    DayPicker *picker();

signals:
    void dayPicked(QDate day);
    void todayPicked();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openPicker();

    DayPicker *m_picker = nullptr;
    QDate m_shown;
    QDate m_first;
};
