// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// ContentView's operations on done to-dos: ticking off, its undo, reopening,
// deleting them all, and whether they are shown.

#include "ContentView.h"

#include <algorithm>
#include <cmath>

namespace {

bool isWithin(int offset, const std::vector<TodoItem> &list)
{
    return offset >= 0 && static_cast<std::size_t>(offset) < list.size();
}

} // namespace

void ContentView::completeTodo(int offset)
{
    if (!isWithin(offset, m_list.items()))
        return;
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    if (item.isCompleted())
        return;
    if (item.repeats()) {
        const NextOccurrence next = nextOccurrence(item);
        if (next.kind == NextOccurrence::Kind::found)
            return finishOccurrence(offset, next);
        if (next.kind == NextOccurrence::Kind::unavailable)
            return;
    }
    TodoExtras extras = item.extras();
    // Whole seconds, as a calendar server keeps the time of completion.
    extras.completed = std::floor(m_clock.now());
    TodoItem completed = item.withExtras(std::move(extras));
    m_undo.offerCompletion(item);
    withdrawReminder(item.id());
    putInPlace(offset, std::move(completed));
}

void ContentView::undoCompletion(TodoItem before, std::optional<Uuid> doneRecord)
{
    if (doneRecord)
        return undoFinishedOccurrence(std::move(before), *doneRecord);
    // By id: what is undone is that to-do, wherever it now is.
    const std::vector<TodoItem> &list = m_list.items();
    const auto found = std::ranges::find(list, before.id(), &TodoItem::id);
    if (found == list.end())
        return;
    const QString identifier = QString::fromStdString(before.id().uuidString());
    putInPlace(static_cast<int>(found - list.begin()), std::move(before));
    // The service knows whether it was pending, snoozed or waiting for a
    // server, as after an undone deletion.
    m_afterSave.restore({identifier}, m_list.generation());
}

void ContentView::reopenTodo(int offset)
{
    if (!isWithin(offset, m_list.items()))
        return;
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    // A done occurrence stays done: its series is the open one.
    if (!item.isCompleted() || item.extras().occurrenceOf)
        return;
    TodoExtras extras = item.extras();
    extras.completed.reset();
    TodoItem reopened = item.withExtras(std::move(extras));
    // An offer to undo its tick would bring back the reminder a second time.
    m_undo.dismissIfAbout({reopened.id()});

    // To the end of the list, where an added to-do goes.
    emit todosAboutToBeRemoved(offset, offset);
    std::vector<TodoItem> &list = m_list.editableItems();
    list.erase(list.begin() + offset);
    emit todosRemoved();
    emit todoAboutToBeAppended();
    list.push_back(std::move(reopened));
    listChanged({{list.back()}, {}});
    emit todoAppended();
    scheduleIfToCome(m_list.items().back());
}

void ContentView::deleteCompleted()
{
    QList<int> completed;
    const std::vector<TodoItem> &list = m_list.items();
    for (std::size_t offset = 0; offset < list.size(); ++offset) {
        if (list[offset].isCompleted())
            completed.append(static_cast<int>(offset));
    }
    deleteTodos(completed);
}

void ContentView::setCompletedShown(bool shown)
{
    if (shown == m_completedShown.isShown())
        return;
    m_completedShown.setShown(shown);
    emit completedShownChanged();
}
