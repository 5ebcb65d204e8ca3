#include "ContentView.h"

#include <TodoListStore.h>

ContentView::ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                         QObject *parent)
    : QObject(parent), m_preferences(preferences), m_reminders(reminders),
      m_currentDate(clock.now())
{
}

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

void ContentView::setIsAM(bool isAM)
{
    m_isAM = isAM;
    emit formChanged();
}

void ContentView::appear()
{
    m_onScreen = true;
    m_reminders.requestReminderPermission();
    loadTodoList();
}

void ContentView::disappear()
{
    if (!m_onScreen)
        return;
    m_onScreen = false;
    saveTodoList();
}

void ContentView::loadTodoList()
{
    if (auto list = readTodoList(m_preferences)) {
        m_todoList = std::move(*list);
        emit todoListReset();
    }
}

void ContentView::saveTodoList()
{
    writeTodoList(m_preferences, m_todoList);
}
