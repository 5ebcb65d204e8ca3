// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "Preferences.h"

#include <TodoItem.h>

#include <atomic>
#include <optional>
#include <thread>
#include <vector>

// Reads and decodes the stored list on a thread of its own while the app
// starts, so that a long list holds up the first frame less.
//
// What it read is handed out once, and only while the store still holds that
// value: another instance may have saved since. Otherwise, and for a value
// that does not decode (which is set aside on the caller's thread), `read`
// reads the store again, as `readTodoList` does.
class TodoListReadAhead {
public:
    // Only `data` and `revision` of `preferences` are called from the thread,
    // and nothing after `wait`.
    explicit TodoListReadAhead(Preferences &preferences);
    ~TodoListReadAhead();
    TodoListReadAhead(const TodoListReadAhead &) = delete;
    TodoListReadAhead &operator=(const TodoListReadAhead &) = delete;

    // Whether `read` would return without waiting.
    bool isDone() const { return m_done; }
    // Blocks until the list has been read ahead.
    void wait();
    // The stored list, as `readTodoList` gives it.
    std::optional<std::vector<TodoItem>> read();

private:
    void readAhead();

    Preferences &m_preferences;
    QByteArray m_revision;
    std::optional<std::vector<TodoItem>> m_list;
    bool m_usable = false;
    std::atomic<bool> m_done = false;
    std::thread m_thread;
};
