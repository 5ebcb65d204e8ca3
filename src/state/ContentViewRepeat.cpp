// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// ContentView's operations on repeating to-dos: finishing and skipping an
// occurrence, and undoing a finished one.

#include "ContentView.h"

#include <algorithm>
#include <cmath>

NextOccurrence ContentView::nextOccurrence(const TodoItem &item) const
{
    if (!item.repeats())
        return {};
    if (!m_occurrences)
        return {NextOccurrence::Kind::unavailable};
    return m_occurrences->after(item.extras().rrule, item.time(), item.extras().wholeDay,
                                m_clock.now(), m_day.calendar());
}

void ContentView::finishOccurrence(int offset, const NextOccurrence &next)
{
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    TodoExtras done;
    // Whole seconds, as a calendar server keeps the time of completion.
    done.completed = std::floor(m_clock.now());
    done.occurrenceOf = item.id();
    done.wholeDay = item.extras().wholeDay;
    TodoItem record(item.name(), item.time(), item.priority(), Uuid::random(), std::move(done));
    m_undo.offerCompletion(item, record.id());
    moveToOccurrence(offset, next);

    emit todoAboutToBeAppended();
    m_list.editableItems().push_back(std::move(record));
    listChanged({{m_list.items().back()}, {}});
    emit todoAppended();
}

bool ContentView::skipOccurrence(int offset)
{
    if (offset < 0 || static_cast<std::size_t>(offset) >= m_list.items().size())
        return false;
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    if (item.isCompleted())
        return false;
    const NextOccurrence next = nextOccurrence(item);
    if (next.kind != NextOccurrence::Kind::found)
        return false;
    m_undo.offerChange(item);
    moveToOccurrence(offset, next);
    return true;
}

void ContentView::moveToOccurrence(int offset, const NextOccurrence &next)
{
    const TodoItem &item = m_list.items()[static_cast<std::size_t>(offset)];
    TodoExtras extras = item.extras();
    extras.rrule = next.rrule;
    replaceTodo(offset, item.with(item.name(), next.time, item.priority()).withExtras(extras));
}

void ContentView::undoFinishedOccurrence(TodoItem before, const Uuid &doneRecord)
{
    const std::vector<TodoItem> &list = m_list.items();
    if (const auto record = std::ranges::find(list, doneRecord, &TodoItem::id);
        record != list.end()) {
        const int offset = static_cast<int>(record - list.begin());
        emit todosAboutToBeRemoved(offset, offset);
        std::vector<TodoItem> &editable = m_list.editableItems();
        TodoListEdit edit{{}, {editable[static_cast<std::size_t>(offset)]}};
        editable.erase(editable.begin() + offset);
        listChanged(edit);
        emit todosRemoved();
    }
    // A reminder still to come returns as an edit's undo brings it back: the
    // service's memory of the withdrawn one is taken by the next occurrence's.
    const auto series = std::ranges::find(list, before.id(), &TodoItem::id);
    if (series != list.end())
        replaceTodo(static_cast<int>(series - list.begin()), std::move(before));
}
