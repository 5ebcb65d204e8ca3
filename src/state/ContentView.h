// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CompletedShown.h"
#include "Occurrences.h"
#include "RemindersAfterSave.h"
#include "RepeatChoice.h"
#include "ShownDay.h"
#include "StoredList.h"
#include "SyncedChanges.h"
#include "TodoDraft.h"
#include "TodoListEdit.h"
#include "UndoOffer.h"

#include <Clock.h>
#include <LocalCalendar.h>
#include <OwnerLock.h>
#include <Preferences.h>
#include <ReminderScheduler.h>
#include <TodoItem.h>
#include <TodoListReadAhead.h>
#include <TodoListRescue.h>

#include <QDate>
#include <QList>
#include <QObject>
#include <QString>
#include <QTimer>

#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

// The main view's state and operations, free of widgets so tests can drive it.
// Every write is announced by a signal so the widgets can render it. The
// shown day, the list's saving, the reminders that wait for a save, the offer
// to undo, what a sync's changes do and whether done to-dos are shown are
// parts of their own; ticking off and reopening are in ContentViewCompletion.cpp,
// finishing and skipping occurrences of repeating to-dos in ContentViewRepeat.cpp.
// Lives on the UI thread.
struct SyncedChangesPlan;

class ContentView : public QObject {
    Q_OBJECT

public:
    ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                CalendarSource currentCalendar = &LocalCalendar::current,
                TodoListRescue &rescue = TodoListRescue::standard(), QObject *parent = nullptr);

    const QString &newTodoName() const { return m_newTodoName; }
    const std::vector<TodoItem> &todoList() const { return m_list.items(); }
    // The list as it stands, for another thread to read.
    std::shared_ptr<const std::vector<TodoItem>> listSnapshot() const { return m_list.snapshot(); }
    // Whether the last load read a stored list; not when there was none, or
    // it could not be read (it is then kept, and the list starts empty).
    bool listWasRead() const { return m_listWasRead; }
    bool deleteAlertShown() const { return m_deleteAlertShown; }
    std::optional<int> deleteIndex() const { return m_deleteIndex; }
    TodoPriority selectedPriority() const { return m_selectedPriority; }
    double currentDate() const { return m_day.currentDate(); }
    int selectedHour() const { return m_selectedHour; }
    int selectedMinute() const { return m_selectedMinute; }
    bool isAM() const { return m_isAM; }
    const RepeatChoice &newTodoRepeat() const { return m_newTodoRepeat; }

    void setNewTodoName(const QString &name);
    void setSelectedPriority(TodoPriority priority);
    void setSelectedHour(int hour);
    void setSelectedMinute(int minute);
    void setIsAM(bool isAM);
    // Until the next to-do is added, which takes it.
    void setNewTodoRepeat(const RepeatChoice &repeat);

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
    // See `ShownDay::followToday`.
    void followToday() { m_day.followToday(); }

    // Loads the stored list, and learns of a rescue file newer than it.
    void loadTodoList();
    // Another process may be writing the stored list (the reminder agent,
    // syncing while no window was open). Until `catchUpWithDisk`, every save
    // (within a second of a change, as always) first takes the lock at
    // `listLockPath`, which that process also holds while it changes the list, takes in what it
    // wrote since, and writes under it: neither writes over the other. A save
    // that blocks (closing, a session's request) first asks `takeOver`, which
    // returns true once that process has let go of sync.
    void shareList(std::function<bool()> takeOver, const QString &listLockPath);
    // Takes what that process wrote since the list was last read, as a sync's
    // changes (a change made here to the same to-do wins), and saves as usual
    // from then on.
    void catchUpWithDisk();
    // Loads from `readAhead`, which reads the same store, instead.
    void setReadAhead(TodoListReadAhead *readAhead) { m_list.setReadAhead(readAhead); }
    // Writes the list now, blocking (`StoredList::saveNow`). Every change is
    // also saved by itself within a second.
    bool saveTodoList()
    {
        return saveShared([this] { return m_list.saveNow(); });
    }
    // Saves before the user closes the window: false when the list could be
    // kept nowhere, and the window should stay open.
    bool saveBeforeClose()
    {
        return saveShared([this] { return m_list.saveBeforeClose(); });
    }

    // A rescue file newer than the stored list, found by the last load, until
    // it is restored or dismissed.
    const std::optional<QString> &newerRescue() const { return m_list.newerRescue(); }
    // Replaces the list with the rescue file's, when it can be read.
    void restoreRescue();
    void dismissRescue() { m_list.dismissRescue(); }

    // Counts the changes of the list: the one it holds now.
    quint64 generation() const { return m_list.generation(); }

    // Starts the save that waits and blocks until it and its reminders are done.
    void finishSavesForTesting() { m_list.finishSavesForTesting(); }

    // Turns the form into a new to-do at the chosen time on the shown day
    // (today after `followToday`, unless another day is picked), appends it
    // and schedules its reminder; it repeats as chosen. A blank name adds nothing.
    void addTodo();

    // The day new to-dos get (`ShownDay`).
    QDate today() const { return m_day.today(); }
    QDate shownDay() const { return m_day.day(); }
    bool showsToday() const { return m_day.showsToday(); }
    double shownDate() const { return m_day.shownDate(); }
    double noonOn(QDate day) const { return m_day.noonOn(day); }
    void pickDay(QDate day) { m_day.pickDay(day); }
    void pickToday() { m_day.pickToday(); }
    std::pair<double, double> todaySpan() const { return m_day.todaySpan(); }

    // `rrule` as the forms show it, and a form's repeat as rule text, in the
    // current calendar.
    RepeatChoice shownRepeat(std::string_view rrule) const
    {
        return repeatChoiceOf(rrule, m_day.calendar());
    }
    std::string repeatRule(const RepeatChoice &choice, bool wholeDay) const
    {
        return ruleOf(choice, wholeDay, m_day.calendar());
    }

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
        return m_undo.deletion();
    }
    // Puts the last deleted to-dos back at their old offsets, as they were,
    // and brings back exactly the reminders their deletion withdrew.
    void undoDelete();
    // The offer to undo lapses.
    void dismissUndo() { m_undo.dismiss(); }

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
    enum class EditOutcome { saved, refused, changedElsewhere, removedElsewhere };
    // The same for the to-do that the form opened as `opened`, found by its
    // id, as long as it is still as it was; else says how it changed
    // elsewhere meanwhile, and keeps the user's version all the same with
    // `overrule` (back at the end of the list when it was removed).
    EditOutcome saveEdit(const TodoItem &opened, const TodoDraft &draft, bool overrule);

    // The to-do as it was before the last rename, edit or tick, while that can
    // be undone: as long as a deletion can, and never both.
    const std::optional<TodoItem> &undoableChange() const { return m_undo.change(); }
    // Whether that change ticked the to-do off.
    bool undoableChangeCompleted() const { return m_undo.changeCompleted(); }
    // Puts the to-do back as it was, and its reminder as it was: for a tick,
    // exactly the reminder it withdrew, as an undone deletion does.
    void undoChange();

    // Ticks the open to-do at `offset` off, now: it keeps its place in the
    // list, its reminder is withdrawn, and the tick can be undone. A repeating
    // one finishes its current occurrence instead: it moves to the first one
    // still to come, missed ones skipped, with its reminder, and a done record
    // of the finished one, local to this machine, is appended; undoing puts
    // the to-do back as it was and removes the record. With no occurrence
    // left, or a rule not followed, it is ticked off as a plain one; while its
    // occurrences are unavailable, nothing changes.
    void completeTodo(int offset);
    // Repeating to-dos follow `occurrences`, which must outlive the view;
    // until this is called their occurrences are unavailable.
    void followRepeats(const Occurrences &occurrences) { m_occurrences = &occurrences; }
    // Moves the repeating to-do at `offset` to its first occurrence still to
    // come, with its reminder, as an undoable change, without a done record.
    // False, changing nothing, when it has no such occurrence.
    bool skipOccurrence(int offset);
    // Opens the done to-do at `offset` again: it moves to the end of the list,
    // as an added one, and gets its reminder when that is still to come.
    void reopenTodo(int offset);
    // Deletes every done to-do at once, as `deleteTodos` does.
    void deleteCompleted();
    // Whether the list shows its done to-dos, remembered across runs.
    bool completedShown() const { return m_completedShown.isShown(); }
    void setCompletedShown(bool shown);

    // Takes a sync's changes from the server: changed to-dos keep their place,
    // new ones are appended. Reminders of changed and removed to-dos are
    // withdrawn; those of new and changed ones come back at their own time, and
    // only when still to come, so that a first sync of many overdue to-dos sets
    // off none. Offers to undo lapse, as what they would bring back may have
    // changed.
    void applySyncedChanges(const SyncedChanges &changes);

    // How long the offer lasts once made; negative when there is none.
    int millisecondsToUndoForTesting() const { return m_undo.millisecondsToUndoForTesting(); }

signals:
    void formChanged();
    void currentDateChanged();
    // The list changes in these ways, each announced before and after.
    void todoListAboutToBeReset();
    void todoListReset();
    void todoAboutToBeAppended();
    void todoAppended();
    void todosAboutToBeRemoved(int first, int last);
    void todosRemoved();
    void todosAboutToBeInserted(int first, int last);
    void todosInserted();
    // Many to-dos in many places, all at once (what a sync removed): the
    // offsets, ascending.
    void todosAboutToBeRemovedAt(const QList<int> &ascending);
    void todosRemovedAt();
    // The deletion that can be undone changed: a new one, or none any more.
    void undoableDeletionChanged();
    // The to-do at `offset` is about to be replaced by a changed one with the
    // same id, and was.
    void todoAboutToChange(int offset);
    void todoChanged(int offset);
    // Around the changes of a sync, which may be many: each to-do still comes
    // with its own pair of signals above.
    void todosAboutToChangeTogether();
    void todosChangedTogether();
    // The change that can be undone changed: a new one, or none any more.
    void undoableChangeChanged();
    // The day new to-dos get changed: picked, back to today, or a new today.
    void shownDayChanged();
    void deleteAlertShownChanged(bool shown);
    void completedShownChanged();
    void newerRescueChanged();
    // The user changed the list (not a sync): for sync to journal.
    void listEdited(const TodoListEdit &edit);
    // The store holds the list as it was at `generation`.
    void listStored(quint64 generation);

private:
    // Every local change of the list goes through here.
    void listChanged(const TodoListEdit &edit);
    // A save that blocks: while the list is shared, after taking over or
    // under the list's lock.
    bool saveShared(const std::function<bool()> &save);
    // Under the list's lock: takes in what is on disk, then `save`s.
    bool saveMerged(const std::function<bool()> &save);
    // What the other process wrote since the list was last read.
    void takeInChangesOnDisk();
    // A new to-do's reminder goes out once the to-do is on disk, so that a crash
    // never leaves a reminder for a to-do that was not kept.
    void scheduleAfterSave(const TodoItem &item, double at);
    // Its reminder, if it has one still to come.
    void scheduleIfToCome(const TodoItem &item);
    // Puts a sync's changes into the list, each as a row of its own.
    void applyRows(const SyncedChangesPlan &plan);
    // Puts `item` at `offset` with its reminder in place of the one there.
    void replaceTodo(int offset, TodoItem item);
    // Puts `item` at `offset` in place of the one there; reminders stay as they are.
    void putInPlace(int offset, TodoItem item);
    // Withdraws the reminder of the to-do of `id`, also one still waiting for a save.
    void withdrawReminder(const Uuid &id);
    // Puts the to-do back as it was before its tick, with the reminder the tick
    // withdrew; removes the done record a repeating one's tick added.
    void undoCompletion(TodoItem before, std::optional<Uuid> doneRecord);
    // The occurrence the repeating `item` goes to when finished or skipped now.
    NextOccurrence nextOccurrence(const TodoItem &item) const;
    // Finishes the current occurrence of the repeating open to-do at `offset`
    // (`completeTodo`), moving the to-do to `next`.
    void finishOccurrence(int offset, const NextOccurrence &next);
    // Puts the series back as it was before its occurrence was finished, with
    // its reminder if still to come, and removes the occurrence's done record.
    void undoFinishedOccurrence(TodoItem before, const Uuid &doneRecord);
    // Puts the to-do at `offset` at `next`, with its reminder.
    void moveToOccurrence(int offset, const NextOccurrence &next);

    ReminderScheduler &m_reminders;
    const Clock &m_clock;
    ShownDay m_day;
    UndoOffer m_undo;
    RemindersAfterSave m_afterSave;
    CompletedShown m_completedShown;
    const Occurrences *m_occurrences = nullptr;

    QString m_newTodoName;
    bool m_deleteAlertShown = false;
    std::optional<int> m_deleteIndex;
    TodoPriority m_selectedPriority = TodoPriority::medium;
    int m_selectedHour = 0;
    int m_selectedMinute = 0;
    bool m_isAM = true;
    RepeatChoice m_newTodoRepeat;
    bool m_onScreen = false;

    // Last, so that its writer, which tells of saves, goes first.
    StoredList m_list;
    bool m_listWasRead = false;
    // While the list is shared: the list as last read or written, who takes
    // it over, the lock both writers take, and the save a change brings.
    std::shared_ptr<const std::vector<TodoItem>> m_asRead;
    std::function<bool()> m_takeOver;
    std::unique_ptr<OwnerLock> m_listLock;
    QTimer m_sharedSave;
};
