// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"
#include "RepeatWords.h"

#include <QWidget>

class DayButton;
class MenuPicker;
class QLineEdit;
class RoundAddButton;

// The row along the bottom: name field, the day (and repeat) for new to-dos, hour : minute, AM/PM
// and the add button. Every control writes its field of the view on each edit or pick.
class EntryRow : public QWidget {
    Q_OBJECT

public:
    explicit EntryRow(ContentView &view, QWidget *parent = nullptr);

    QLineEdit *nameField() const { return m_nameField; }
    DayButton *dayButton() const { return m_dayButton; }
    MenuPicker *hourMenu() const { return m_hourMenu; }
    MenuPicker *minuteMenu() const { return m_minuteMenu; }
    MenuPicker *amPmMenu() const { return m_amPmMenu; }
    RoundAddButton *addButton() const { return m_addButton; }

private:
    void render();
    void renderDate();

    ContentView &m_view;
    RepeatWords m_repeatWords;
    QLineEdit *m_nameField;
    DayButton *m_dayButton;
    MenuPicker *m_hourMenu;
    MenuPicker *m_minuteMenu;
    MenuPicker *m_amPmMenu;
    RoundAddButton *m_addButton;
};
