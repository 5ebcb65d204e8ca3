// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QDialog>

class DayButton;
class MenuPicker;
class QLabel;
class QLineEdit;
class QPushButton;
class RepeatField;

// The form that changes one to-do: the entry row's controls (priority, name,
// day, hour, minute, AM/PM) and its repeat holding its values, with Save and
// Cancel. A repeat the form cannot show is kept as it was unless changed. Save
// hands the values to the view, which keeps the to-do's id and place; a blank
// name keeps the form open. Enter saves, Escape cancels. The form holds on to
// the to-do, not its row: when it changed or went elsewhere meanwhile, the
// form says so and a second Save keeps the user's version.
class EditTodoDialog : public QDialog {
    Q_OBJECT

public:
    EditTodoDialog(ContentView &view, int offset, QWidget *parent = nullptr);

    MenuPicker *priorityMenu() const { return m_priorityMenu; }
    QLineEdit *nameField() const { return m_nameField; }
    DayButton *dayButton() const { return m_dayButton; }
    MenuPicker *hourMenu() const { return m_hourMenu; }
    MenuPicker *minuteMenu() const { return m_minuteMenu; }
    MenuPicker *amPmMenu() const { return m_amPmMenu; }
    RepeatField *repeatField() const { return m_repeatField; }
    QPushButton *saveButton() const { return m_saveButton; }
    QLabel *notice() const { return m_notice; }

    void accept() override;

private:
    void render();

    ContentView &m_view;
    const TodoItem m_opened;
    TodoDraft m_draft;
    bool m_overrule = false;
    QLabel *m_notice;
    MenuPicker *m_priorityMenu;
    QLineEdit *m_nameField;
    DayButton *m_dayButton;
    MenuPicker *m_hourMenu;
    MenuPicker *m_minuteMenu;
    MenuPicker *m_amPmMenu;
    RepeatField *m_repeatField;
    QPushButton *m_saveButton;
};
