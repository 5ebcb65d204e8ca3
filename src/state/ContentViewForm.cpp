// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// ContentView's form for a new to-do: its fields, and adding the to-do.

#include "ContentView.h"

void ContentView::setNewTodoName(const QString &name)
{
    m_newTodoName = name;
    emit formChanged();
}

void ContentView::setSelectedPriority(TodoPriority priority)
{
    m_selectedPriority = priority;
    emit formChanged();
}

void ContentView::setSelectedHour(int hour)
{
    m_selectedHour = hour;
    emit formChanged();
}

void ContentView::setSelectedMinute(int minute)
{
    m_selectedMinute = minute;
    emit formChanged();
}

void ContentView::setNewTodoRepeat(const RepeatChoice &repeat)
{
    m_newTodoRepeat = repeat;
    emit formChanged();
}

void ContentView::setIsAM(bool isAM)
{
    m_isAM = isAM;
    emit formChanged();
}

void ContentView::addTodo()
{
    const QString name = m_newTodoName.trimmed();
    if (name.isEmpty())
        return;
    m_day.followToday();
    const std::optional<double> time =
        m_day.timeOn(m_day.day(), m_selectedHour, m_selectedMinute, m_isAM);
    if (!time)
        return;
    emit todoAboutToBeAppended();
    TodoExtras extras;
    extras.rrule = ruleOf(m_newTodoRepeat, false, m_day.calendar());
    m_list.editableItems().emplace_back(name.toStdString(), *time, m_selectedPriority,
                                        Uuid::random(), std::move(extras));
    listChanged({{m_list.items().back()}, {}});
    emit todoAppended();
    // A repeat is chosen for one to-do, as its name is typed.
    m_newTodoRepeat = {};
    setNewTodoName(QString());
    scheduleAfterSave(m_list.items().back(), m_list.items().back().time());
}
