// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <RepeatChoice.h>

#include <QDate>
#include <QToolButton>

class DayPicker;

// A form's day, shown as plain text (a frame only when hovered or focused),
// that opens a month calendar on a click, Space, Enter or Alt+Down. Screen
// readers see a button named by the text it shows. For a new to-do, the
// calendar also offers a repeat, and the button shows the repeat symbol while
// one is chosen.
class DayButton : public QToolButton {
    Q_OBJECT

public:
    explicit DayButton(QWidget *parent = nullptr);

    // Shows `text` for the day `shown`; the calendar offers days from `first` on.
    void showDay(const QString &text, QDate shown, QDate first);
    // The calendar also offers a repeat; before its first use.
    void offerRepeat() { m_offersRepeat = true; }
    // Shows the form's repeat, in `words` for screen readers; none when they are empty.
    void showRepeat(const RepeatChoice &choice, const QString &words);
    // Made at its first use: a month calendar costs a start milliseconds.
    DayPicker *picker();

signals:
    void dayPicked(QDate day);
    void todayPicked();
    void repeatPicked(const RepeatChoice &choice);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void openPicker();
    void renderName();

    DayPicker *m_picker = nullptr;
    bool m_offersRepeat = false;
    RepeatChoice m_repeat;
    QString m_repeatWords;
    QDate m_shown;
    QDate m_first;
};
