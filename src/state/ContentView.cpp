// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentView.h"

#include "OffsetRuns.h"
#include "SyncedChangesPlan.h"

#include <TodoListChanges.h>

#include <algorithm>
#include <iterator>

ContentView::ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                         CalendarSource currentCalendar, TodoListRescue &rescue, QObject *parent)
    : QObject(parent), m_reminders(reminders), m_clock(clock),
      m_day(clock, std::move(currentCalendar)), m_afterSave(reminders),
      m_completedShown(preferences), m_list(preferences, rescue)
{
    connect(&m_day, &ShownDay::currentDateChanged, this, &ContentView::currentDateChanged);
    connect(&m_day, &ShownDay::shownDayChanged, this, &ContentView::shownDayChanged);
    connect(&m_undo, &UndoOffer::deletionChanged, this, &ContentView::undoableDeletionChanged);
    connect(&m_undo, &UndoOffer::changeChanged, this, &ContentView::undoableChangeChanged);
    connect(&m_list, &StoredList::newerRescueChanged, this, &ContentView::newerRescueChanged);
    connect(&m_list, &StoredList::saved, this,
            [this](quint64 generation) { m_afterSave.listSaved(generation); });
    connect(&m_list, &StoredList::stored, this, &ContentView::listStored);
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
    // The store gets the deletion now: undoing it later would not reach it.
    m_undo.dismiss();
    saveShared([this] {
        m_list.saveUnlessCheckpointed();
        return true;
    });
    m_completedShown.save();
}

void ContentView::commitData()
{
    saveShared([this] {
        m_list.saveForCheckpoint();
        return true;
    });
    m_completedShown.save();
}

void ContentView::loadTodoList()
{
    auto list = m_list.read();
    m_listWasRead = list.has_value();
    if (list) {
        emit todoListAboutToBeReset();
        m_list.replace(std::move(*list));
        emit todoListReset();
    }
    if (m_list.savesHeld())
        m_asRead = m_list.snapshot();
    m_list.findNewerRescue();
}

void ContentView::restoreRescue()
{
    std::optional<std::vector<TodoItem>> list = m_list.takeRescue();
    if (!list)
        return;
    // The replaced list's reminders go with it; the restored list's come back.
    QStringList replaced;
    for (const TodoItem &item : m_list.items())
        replaced.append(QString::fromStdString(item.id().uuidString()));
    if (!replaced.isEmpty())
        m_reminders.cancelReminders(replaced);
    m_afterSave.dropAllScheduled();
    emit todoListAboutToBeReset();
    const TodoListEdit edit = editBetween(m_list.items(), *list);
    m_list.replace(std::move(*list));
    listChanged(edit);
    emit todoListReset();
    for (const TodoItem &item : m_list.items())
        scheduleIfToCome(item);
}

void ContentView::listChanged(const TodoListEdit &edit)
{
    m_list.saveSoon();
    if (m_list.savesHeld() && !m_sharedSave.isActive())
        m_sharedSave.start();
    emit listEdited(edit);
}

void ContentView::applySyncedChanges(const SyncedChanges &changes)
{
    if (changes.changed.empty() && changes.removed.empty())
        return;
    const SyncedChangesPlan plan(m_list.items(), changes, m_clock.now());
    if (!plan.changesList()) {
        // Only alarms moved: the list on disk is already right.
        for (const auto &[item, at] : plan.scheduled)
            m_reminders.scheduleReminder(item, at);
        return;
    }
    if (!plan.withdrawn.isEmpty())
        m_reminders.cancelReminders(plan.withdrawn);
    m_afterSave.dropScheduled(plan.gone);
    m_undo.dismissIfAbout(plan.gone);
    applyRows(plan);
    m_list.saveSoon();
    for (const auto &[item, at] : plan.scheduled)
        scheduleAfterSave(item, at);
}

void ContentView::applyRows(const SyncedChangesPlan &plan)
{
    // Row by row, so that what the user is doing with another row (a rename
    // being typed, a selection) stays where it is.
    std::vector<TodoItem> added;
    bool together = false;
    for (std::size_t change = 0; change < plan.changed.size(); ++change) {
        const std::size_t at = plan.changedAt[change];
        if (at == SyncedChangesPlan::notListed) {
            added.push_back(plan.changed[change]);
            continue;
        }
        if (!std::exchange(together, true))
            emit todosAboutToChangeTogether();
        emit todoAboutToChange(static_cast<int>(at));
        m_list.editableItems()[at] = plan.changed[change];
        emit todoChanged(static_cast<int>(at));
    }
    if (together)
        emit todosChangedTogether();
    QList<int> removed;
    for (const std::size_t at : plan.removedAt)
        removed.append(static_cast<int>(at));
    removed = ascendingWithin(removed, m_list.items().size());
    if (!removed.isEmpty()) {
        // In one pass: run by run, scattered removals would move the rest of
        // the list once for each.
        emit todosAboutToBeRemovedAt(removed);
        eraseOffsets(m_list.editableItems(), removed);
        emit todosRemovedAt();
    }
    if (!added.empty()) {
        const int first = static_cast<int>(m_list.items().size());
        emit todosAboutToBeInserted(first, first + static_cast<int>(added.size()) - 1);
        std::vector<TodoItem> &list = m_list.editableItems();
        list.insert(list.end(), std::make_move_iterator(added.begin()),
                    std::make_move_iterator(added.end()));
        emit todosInserted();
    }
}

void ContentView::scheduleIfToCome(const TodoItem &item)
{
    if (const auto at = item.reminderAt(); at && *at > m_clock.now())
        scheduleAfterSave(item, *at);
}

void ContentView::scheduleAfterSave(const TodoItem &item, double at)
{
    m_afterSave.schedule(item, at, m_list.generation());
}

void ContentView::requestDelete(const TodoItem &item)
{
    const std::vector<TodoItem> &list = m_list.items();
    const auto found = std::find(list.begin(), list.end(), item);
    m_deleteIndex = found == list.end()
                        ? std::nullopt
                        : std::optional<int>(static_cast<int>(found - list.begin()));
    m_deleteAlertShown = true;
    emit deleteAlertShownChanged(true);
}

void ContentView::confirmDelete()
{
    if (m_deleteIndex)
        deleteTodos({*m_deleteIndex});
}

void ContentView::cancelDelete()
{
    m_deleteIndex.reset();
}

void ContentView::dismissDeleteAlert()
{
    m_deleteAlertShown = false;
    emit deleteAlertShownChanged(false);
}

void ContentView::deleteTodos(const QList<int> &offsets)
{
    const QList<int> ascending = ascendingWithin(offsets, m_list.items().size());
    if (ascending.isEmpty())
        return;

    std::vector<TodoItem> &list = m_list.editableItems();
    for (int offset : ascending)
        withdrawReminder(list[static_cast<std::size_t>(offset)].id());

    std::vector<std::pair<int, TodoItem>> deleted;
    deleted.reserve(static_cast<std::size_t>(ascending.size()));

    // Removed as runs of neighbours; the rest keep their order.
    forEachRunFromLast(ascending, [&](int first, int last) {
        emit todosAboutToBeRemoved(first, last);
        TodoListEdit edit;
        for (int offset = last; offset >= first; --offset) {
            edit.removed.push_back(list[static_cast<std::size_t>(offset)]);
            deleted.emplace_back(offset, std::move(list[static_cast<std::size_t>(offset)]));
        }
        list.erase(list.begin() + first, list.begin() + last + 1);
        listChanged(edit);
        emit todosRemoved();
    });

    std::reverse(deleted.begin(), deleted.end());
    m_undo.offerDeletion(std::move(deleted));
}

void ContentView::undoDelete()
{
    auto deleted = m_undo.takeDeletion();
    if (deleted.empty())
        return;

    // Back in ascending order, as runs of neighbours, so that each lands where
    // it was; the list may have grown or shrunk since, so offsets are clamped.
    std::vector<TodoItem> &list = m_list.editableItems();
    QStringList identifiers;
    std::size_t runStart = 0;
    while (runStart < deleted.size()) {
        std::size_t runEnd = runStart + 1;
        while (runEnd < deleted.size() && deleted[runEnd].first == deleted[runEnd - 1].first + 1)
            ++runEnd;
        const int first = std::min(deleted[runStart].first, static_cast<int>(list.size()));
        const int last = first + static_cast<int>(runEnd - runStart) - 1;
        std::vector<TodoItem> run;
        run.reserve(runEnd - runStart);
        for (std::size_t i = runStart; i < runEnd; ++i)
            run.push_back(std::move(deleted[i].second));
        emit todosAboutToBeInserted(first, last);
        list.insert(list.begin() + first, std::make_move_iterator(run.begin()),
                    std::make_move_iterator(run.end()));
        listChanged({std::vector<TodoItem>(list.begin() + first, list.begin() + last + 1), {}});
        emit todosInserted();
        for (int row = first; row <= last; ++row)
            identifiers.append(
                QString::fromStdString(list[static_cast<std::size_t>(row)].id().uuidString()));
        runStart = runEnd;
    }
    // The service knows which were pending: snoozed, or due and waiting for a
    // server. Asked once the to-dos are back on disk, as a new one's reminder is.
    m_afterSave.restore(std::move(identifiers), m_list.generation());
}

void ContentView::renameTodo(int offset, const QString &name)
{
    if (offset < 0 || static_cast<std::size_t>(offset) >= m_list.items().size())
        return;
    const QString trimmed = name.trimmed();
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    TodoItem renamed = item.with(trimmed.toStdString(), item.time(), item.priority());
    if (trimmed.isEmpty() || renamed == item)
        return;
    m_undo.offerChange(item);
    replaceTodo(offset, std::move(renamed));
}

TodoDraft ContentView::draftOf(int offset) const
{
    return ::draftOf(m_list.items().at(static_cast<std::size_t>(offset)), m_day.calendar());
}

bool ContentView::editTodo(int offset, const TodoDraft &draft)
{
    if (offset < 0 || static_cast<std::size_t>(offset) >= m_list.items().size())
        return false;
    return saveEdit(m_list.items()[static_cast<std::size_t>(offset)], draft, false) ==
           EditOutcome::saved;
}

ContentView::EditOutcome ContentView::saveEdit(const TodoItem &opened, const TodoDraft &draft,
                                               bool overrule)
{
    const std::optional<TodoItem> edited = withDraft(opened, draft, m_day);
    if (!edited)
        return EditOutcome::refused;
    const std::vector<TodoItem> &list = m_list.items();
    const auto found = std::ranges::find(list, opened.id(), &TodoItem::id);
    if (found == list.end() && !overrule)
        return EditOutcome::removedElsewhere;
    if (found != list.end() && *found != opened && !overrule)
        return EditOutcome::changedElsewhere;
    if (found == list.end()) {
        // Removed elsewhere meanwhile: the user's version comes back, at the end.
        emit todoAboutToBeAppended();
        m_list.editableItems().push_back(*edited);
        listChanged({{*edited}, {}});
        emit todoAppended();
        scheduleIfToCome(*edited);
    } else if (*edited != *found) {
        m_undo.offerChange(*found);
        replaceTodo(static_cast<int>(found - list.begin()), *edited);
    }
    return EditOutcome::saved;
}

void ContentView::withdrawReminder(const Uuid &id)
{
    m_afterSave.dropScheduled(id);
    m_afterSave.dropRestore(id);
    m_reminders.cancelReminders({QString::fromStdString(id.uuidString())});
}

void ContentView::replaceTodo(int offset, TodoItem item)
{
    withdrawReminder(m_list.items()[static_cast<std::size_t>(offset)].id());
    putInPlace(offset, std::move(item));
    scheduleIfToCome(m_list.items()[static_cast<std::size_t>(offset)]);
}

void ContentView::putInPlace(int offset, TodoItem item)
{
    emit todoAboutToChange(offset);
    TodoItem &slot = m_list.editableItems()[static_cast<std::size_t>(offset)];
    slot = std::move(item);
    listChanged({{slot}, {}});
    emit todoChanged(offset);
}

void ContentView::undoChange()
{
    const bool completed = m_undo.changeCompleted();
    const std::optional<Uuid> doneRecord = m_undo.changeDoneRecord();
    std::optional<TodoItem> taken = m_undo.takeChange();
    if (!taken)
        return;
    if (completed)
        return undoCompletion(std::move(*taken), doneRecord);
    TodoItem before = std::move(*taken);
    // By id: what is undone is that to-do, wherever it now is.
    const std::vector<TodoItem> &list = m_list.items();
    const auto found = std::ranges::find(list, before.id(), &TodoItem::id);
    if (found != list.end())
        replaceTodo(static_cast<int>(found - list.begin()), std::move(before));
}
