// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <RepeatChoice.h>

#include <QWidget>

class MenuPicker;
class QDateEdit;
class QLabel;
class QSpinBox;

// How a to-do repeats, as a form edits it: "Never", "Every Day", "Every
// Weekday", "Every Week", "Every Month", "Every Year", or "Every" a number of
// days, weeks, months or years; then how it ends, never, "Until" a day or
// "After" a number of times. A rule the field cannot show is "Custom", with
// its text as tooltip, and stays chosen until the user picks another. Where no
// form row names it, it shows its own "Repeat" label.
class RepeatField : public QWidget {
    Q_OBJECT

public:
    enum class Label { none, shown };
    explicit RepeatField(QWidget *parent = nullptr, Label label = Label::none);

    MenuPicker *frequencyMenu() const { return m_frequency; }
    QSpinBox *intervalBox() const { return m_interval; }
    MenuPicker *unitMenu() const { return m_unit; }
    MenuPicker *endMenu() const { return m_end; }
    QDateEdit *untilField() const { return m_until; }
    QSpinBox *countBox() const { return m_count; }

    // Shows `choice`; `customRule` is the text of a custom one. Emits nothing.
    void showChoice(const RepeatChoice &choice, const QString &customRule = {});
    // What the field shows.
    RepeatChoice choice() const;

signals:
    // The user changed the repeat.
    void choiceChanged(const RepeatChoice &choice);

private:
    // The frequency menu's item for every so many days, weeks, months or years.
    static constexpr int everyInterval = 100;

    void showParts();
    void tellChange();

    MenuPicker *m_frequency;
    QSpinBox *m_interval;
    MenuPicker *m_unit;
    MenuPicker *m_end;
    QDateEdit *m_until;
    QSpinBox *m_count;
    QLabel *m_times;
    QString m_customRule;
};
