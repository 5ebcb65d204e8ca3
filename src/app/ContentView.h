// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Clock.h>
#include <LocalCalendar.h>
#include <Preferences.h>
#include <ReminderScheduler.h>
#include <TodoItem.h>
#include <TodoListReadAhead.h>
#include <TodoListRescue.h>

#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <optional>
#include <utility>
#include <vector>

// The main view's state and operations, free of widgets so tests can drive it.
// Every write is announced by a signal so the widgets can render it.
// Lives on the UI thread.
class ContentView : public QObject {
    Q_OBJECT

public:
    ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                CalendarSource currentCalendar = &LocalCalendar::current,
                TodoListRescue &rescue = TodoListRescue::standard(), QObject *parent = nullptr);

    const QString &newTodoName() const { return m_newTodoName; }
    const std::vector<TodoItem> &todoList() const { return m_todoList; }
    bool deleteAlertShown() const { return m_deleteAlertShown; }
    std::optional<int> deleteIndex() const { return m_deleteIndex; }
    TodoPriority selectedPriority() const { return m_selectedPriority; }
    double currentDate() const { return m_currentDate; }
    int selectedHour() const { return m_selectedHour; }
    int selectedMinute() const { return m_selectedMinute; }
    bool isAM() const { return m_isAM; }

    void setNewTodoName(const QString &name);
    void setSelectedPriority(TodoPriority priority);
    void setSelectedHour(int hour);
    void setSelectedMinute(int minute);
    void setIsAM(bool isAM);

    bool isOnScreen() const { return m_onScreen; }
    // The view came on screen: asks for reminder permission, then loads the stored list.
    void appear();
    // The view left the screen: saves the list, unless a checkpoint saved it
    // and it has not changed since. Runs once per appearance.
    void disappear();
    // The desktop session asks for the user's data (a checkpoint, or a logout
    // that may still be cancelled): saves the list, once per change, and keeps
    // running.
    void commitData();
    // Moves `currentDate` to now when the local day or the time zone has
    // changed since it was set, so that the date shown and the day new to-dos
    // get follow the calendar (midnight, a resume, a new time zone).
    void followToday();

    void loadTodoList();
    // Loads from `readAhead`, which reads the same store, instead.
    void setReadAhead(TodoListReadAhead *readAhead) { m_readAhead = readAhead; }
    // When the store cannot keep the list, it goes to a rescue file instead and
    // one line on stderr says where: the window shows no error, but nothing is
    // lost. True when the store took it.
    bool saveTodoList();

    // Turns the form into a new to-do at the chosen time on today's date (the
    // one `currentDate` shows, after `followToday`), appends it and schedules
    // its reminder. A blank name adds nothing.
    void addTodo();

    // Asks to confirm deleting the first entry equal to `item` (none when absent).
    void requestDelete(const TodoItem &item);
    // "Delete" in the alert: deletes the entry at `deleteIndex`, if any.
    void confirmDelete();
    // Cancel in the alert.
    void cancelDelete();
    // Withdraws each entry's reminder in ascending order, then removes them all at once.
    // Offsets outside the list are ignored.
    void deleteTodos(const QList<int> &offsets);
    // The alert was dismissed by either button.
    void dismissDeleteAlert();

    // The to-dos of the last deletion, each with its offset before it, while
    // their deletion can still be undone: for ten seconds, until the next
    // deletion, and never after the view has left the screen.
    const std::vector<std::pair<int, TodoItem>> &undoableDeletion() const
    {
        return m_undoableDeletion;
    }
    // Puts the last deleted to-dos back at their old offsets, as they were,
    // and brings back exactly the reminders their deletion withdrew.
    void undoDelete();
    // The offer to undo lapses.
    void dismissUndo();
    // How long the offer lasts once made; negative when there is none.
    int millisecondsToUndoForTesting() const;

signals:
    void formChanged();
    void currentDateChanged();
    // The list changes in three ways, each announced before and after.
    void todoListAboutToBeReset();
    void todoListReset();
    void todoAboutToBeAppended();
    void todoAppended();
    void todosAboutToBeRemoved(int first, int last);
    void todosRemoved();
    void todosAboutToBeInserted(int first, int last);
    void todosInserted();
    // The deletion that can be undone changed: a new one, or none any more.
    void undoableDeletionChanged();
    void deleteAlertShownChanged(bool shown);

private:
    std::optional<double> composeTime() const;
    void listChanged() { m_savedByCheckpoint = false; }

    Preferences &m_preferences;
    ReminderScheduler &m_reminders;
    const Clock &m_clock;
    CalendarSource m_currentCalendar;
    TodoListRescue &m_rescue;
    TodoListReadAhead *m_readAhead = nullptr;

    QString m_newTodoName;
    std::vector<TodoItem> m_todoList;
    bool m_deleteAlertShown = false;
    std::optional<int> m_deleteIndex;
    TodoPriority m_selectedPriority = TodoPriority::medium;
    double m_currentDate;
    // Learnt at the first check, so that making the view needs no calendar.
    std::optional<std::string> m_currentDateZone;
    int m_selectedHour = 0;
    int m_selectedMinute = 0;
    bool m_isAM = true;

    std::vector<std::pair<int, TodoItem>> m_undoableDeletion;
    QTimer m_undoExpiry;

    bool m_onScreen = false;
    // The store holds the list as it stands.
    bool m_savedByCheckpoint = false;
};
