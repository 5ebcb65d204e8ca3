// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "TodoDraft.h"

#include <Clock.h>
#include <LocalCalendar.h>
#include <Preferences.h>
#include <ReminderScheduler.h>
#include "SyncedChanges.h"
#include <TodoItem.h>
#include <TodoListReadAhead.h>
#include <TodoListRescue.h>
#include <TodoListSaver.h>

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>
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
    const std::vector<TodoItem> &todoList() const { return *m_todoList; }
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

    // Loads the stored list, and learns of a rescue file newer than it.
    void loadTodoList();
    // Loads from `readAhead`, which reads the same store, instead.
    void setReadAhead(TodoListReadAhead *readAhead) { m_readAhead = readAhead; }
    // Writes the list now, blocking. When the store cannot keep it, it goes to
    // a rescue file instead and one line on stderr says where. True when the
    // store took it. Every change is also saved by itself within a second.
    bool saveTodoList();
    // Saves before the user closes the window: false when the list could be
    // kept nowhere, and the window should stay open.
    bool saveBeforeClose();

    // A rescue file newer than the stored list, found by the last load, until
    // it is restored or dismissed.
    const std::optional<QString> &newerRescue() const { return m_newerRescue; }
    // Replaces the list with the rescue file's, when it can be read.
    void restoreRescue();
    void dismissRescue();

    // Starts the save that waits and blocks until it and its reminders are done.
    void finishSavesForTesting() { m_saver.finishSavesForTesting(); }

    // Turns the form into a new to-do at the chosen time on the shown day
    // (today after `followToday`, unless another day is picked), appends it
    // and schedules its reminder. A blank name adds nothing.
    void addTodo();

    // Today's date in the current calendar, as `currentDate` holds it.
    QDate today() const;
    // The day new to-dos get: the picked one, else today.
    QDate shownDay() const { return m_pickedDay.value_or(today()); }
    bool showsToday() const { return !m_pickedDay; }
    // An instant on the shown day, to format it by: `currentDate` for today,
    // else the day's noon.
    double shownDate() const;
    // Noon on `day`, which no daylight-saving change skips.
    double noonOn(QDate day) const;
    // Gives new to-dos `day` until "Today" is chosen or the day is past.
    // Past days are refused; today itself is the same as `pickToday`.
    void pickDay(QDate day);
    void pickToday();
    // Where today begins and where the next day begins, as instants.
    std::pair<double, double> todaySpan() const;

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

    // Names the to-do at `offset` anew, trimmed as adding trims, keeping its
    // id, place, time and priority; its reminder is made again with the new
    // name. A blank name, or the same one, changes nothing.
    void renameTodo(int offset, const QString &name);
    // The to-do at `offset` as the edit form shows it.
    TodoDraft draftOf(int offset) const;
    // Gives the to-do at `offset` the draft's values, keeping its id and place;
    // its reminder is withdrawn and made again, none when the new time is past.
    // False, with nothing changed, for a blank name or a time the calendar
    // cannot form.
    bool editTodo(int offset, const TodoDraft &draft);

    // The to-do as it was before the last rename or edit, while that can be
    // undone: as long as a deletion can, and never both.
    const std::optional<TodoItem> &undoableChange() const { return m_undoableChange; }
    // Puts the to-do back as it was, and its reminder as it was.
    void undoChange();

    // Takes a sync's changes from the server: changed to-dos keep their place,
    // new ones are appended. Reminders of changed and removed to-dos are
    // withdrawn; those of new and changed ones come back at their own time, and
    // only when still to come, so that a first sync of many overdue to-dos sets
    // off none. Offers to undo lapse, as what they would bring back may have
    // changed.
    void applySyncedChanges(const SyncedChanges &changes);

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
    // The to-do at `offset` was replaced by a changed one with the same id.
    void todoChanged(int offset);
    // The change that can be undone changed: a new one, or none any more.
    void undoableChangeChanged();
    // The day new to-dos get changed: picked, back to today, or a new today.
    void shownDayChanged();
    void deleteAlertShownChanged(bool shown);
    void newerRescueChanged();
    // The user changed the list (not a sync): for sync to journal.
    void listEdited();

private:
    std::optional<double> composeTime() const;
    // The list as the operations change it: a copy while the writer reads it.
    std::vector<TodoItem> &editableList();
    // Every local change of the list goes through here.
    void listChanged();
    void saveSoon();
    // A new to-do's reminder goes out once the to-do is on disk, so that a crash
    // never leaves a reminder for a to-do that was not kept.
    void scheduleAfterSave(const TodoItem &item);
    void scheduleAfterSave(const TodoItem &item, double at);
    void scheduleSavedReminders(quint64 generation);
    // A 12-hour form time on `day`, resolved by the current calendar.
    std::optional<double> timeOn(QDate day, int hour, int minute, bool isAM) const;
    // Puts `item` at `offset` with its reminder in place of the one there.
    void replaceTodo(int offset, TodoItem item);
    // A change's offer to undo takes the place of any other.
    void offerChangeUndo(TodoItem before);
    void dropChangeUndo();
    // A picked day that has become today or past gives way to today.
    void dropPastPick();

    Preferences &m_preferences;
    ReminderScheduler &m_reminders;
    const Clock &m_clock;
    CalendarSource m_currentCalendar;
    TodoListRescue &m_rescue;
    TodoListReadAhead *m_readAhead = nullptr;

    QString m_newTodoName;
    std::shared_ptr<std::vector<TodoItem>> m_todoList = std::make_shared<std::vector<TodoItem>>();
    bool m_deleteAlertShown = false;
    std::optional<int> m_deleteIndex;
    TodoPriority m_selectedPriority = TodoPriority::medium;
    double m_currentDate;
    // Learnt at the first check, so that making the view needs no calendar.
    std::optional<std::string> m_currentDateZone;
    int m_selectedHour = 0;
    int m_selectedMinute = 0;
    bool m_isAM = true;
    std::optional<QDate> m_pickedDay;

    std::vector<std::pair<int, TodoItem>> m_undoableDeletion;
    std::optional<TodoItem> m_undoableChange;
    QTimer m_undoExpiry;

    bool m_onScreen = false;
    // The store holds the list as it stands.
    bool m_savedByCheckpoint = false;

    quint64 m_generation = 0;
    struct WaitingReminder {
        quint64 generation;
        TodoItem item;
        double at;
    };
    std::vector<WaitingReminder> m_remindersAfterSave;
    std::vector<std::pair<quint64, QStringList>> m_restoresAfterSave;
    std::optional<QString> m_newerRescue;
    TodoListSaver m_saver;
};
