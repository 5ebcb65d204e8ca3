// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StoredList.h"

#include <TodoListStore.h>

StoredList::StoredList(Preferences &preferences, TodoListRescue &rescue, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_rescue(rescue),
      m_saver(preferences, rescue, [this] { return m_items; })
{
    connect(&m_saver, &TodoListSaver::saved, this,
            [this](quint64 generation, TodoListSaver::Outcome outcome) {
                emit saved(generation);
                if (outcome == TodoListSaver::Outcome::stored)
                    emit stored(generation);
            });
}

std::vector<TodoItem> &StoredList::editableItems()
{
    if (m_items.use_count() > 1)
        m_items = std::make_shared<std::vector<TodoItem>>(*m_items);
    return *m_items;
}

void StoredList::replace(std::vector<TodoItem> items)
{
    m_items = std::make_shared<std::vector<TodoItem>>(std::move(items));
    m_savedByCheckpoint = false;
}

void StoredList::saveSoon()
{
    m_savedByCheckpoint = false;
    ++m_generation;
    m_saveWaits = m_savesHeld;
    if (!m_savesHeld)
        m_saver.saveSoon(m_generation);
}

void StoredList::releaseSaves()
{
    m_savesHeld = false;
    if (std::exchange(m_saveWaits, false))
        m_saver.saveSoon(m_generation);
}

bool StoredList::changedSinceRead() const
{
    return m_preferences.revision(todoListKey) != m_readRevision;
}

std::optional<std::vector<TodoItem>> StoredList::read()
{
    m_saver.waitUntilIdle();
    // Before the read: a write in between reads as a change, never the reverse.
    m_readRevision = m_preferences.revision(todoListKey);
    return m_readAhead ? m_readAhead->read() : readTodoList(m_preferences);
}

void StoredList::findNewerRescue()
{
    std::optional<QString> newer = m_rescue.newerThanStore();
    if (newer == m_newerRescue)
        return;
    m_newerRescue = std::move(newer);
    emit newerRescueChanged();
}

bool StoredList::saveNow()
{
    return m_saver.saveNow(*m_items, m_generation) == TodoListSaver::Outcome::stored;
}

bool StoredList::saveBeforeClose()
{
    const TodoListSaver::Outcome outcome = m_saver.saveNow(*m_items, m_generation);
    m_savedByCheckpoint = outcome == TodoListSaver::Outcome::stored;
    return outcome != TodoListSaver::Outcome::lost;
}

void StoredList::saveForCheckpoint()
{
    if (!m_savedByCheckpoint)
        m_savedByCheckpoint = saveNow();
}

void StoredList::saveUnlessCheckpointed()
{
    if (!m_savedByCheckpoint)
        saveNow();
}

std::optional<std::vector<TodoItem>> StoredList::takeRescue()
{
    if (!m_newerRescue)
        return std::nullopt;
    std::optional<std::vector<TodoItem>> list = m_rescue.read(*m_newerRescue);
    dismissRescue();
    return list;
}

void StoredList::dismissRescue()
{
    if (!m_newerRescue)
        return;
    m_newerRescue.reset();
    emit newerRescueChanged();
}
