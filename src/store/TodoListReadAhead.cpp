// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListReadAhead.h"

#include "TodoListStore.h"

#include <utility>

TodoListReadAhead::TodoListReadAhead(Preferences &preferences)
    : m_preferences(preferences), m_thread(&TodoListReadAhead::readAhead, this)
{
}

TodoListReadAhead::~TodoListReadAhead()
{
    wait();
}

void TodoListReadAhead::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}

void TodoListReadAhead::readAhead()
{
    m_revision = m_preferences.revision(todoListKey);
    const std::optional<QByteArray> bytes = m_preferences.data(todoListKey);
    if (bytes)
        m_list = decodeStoredTodoList(*bytes);
    // Replaced while being read: what was read may be neither value.
    m_usable = (!bytes || m_list) && m_preferences.revision(todoListKey) == m_revision;
    m_done = true;
}

std::optional<std::vector<TodoItem>> TodoListReadAhead::read()
{
    wait();
    if (std::exchange(m_usable, false) && m_preferences.revision(todoListKey) == m_revision)
        return std::exchange(m_list, std::nullopt);
    return readTodoList(m_preferences);
}
