// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "TodoPriority.h"
#include "Uuid.h"

#include <string>

// One to-do: a value that never changes after it is made. Its identity is `id`.
// `time` counts seconds since 2001-01-01 00:00:00 UTC; `name` is UTF-8.
class TodoItem {
public:
    TodoItem(std::string name, double time, TodoPriority priority, Uuid id = Uuid::random())
        : m_id(id), m_name(std::move(name)), m_time(time), m_priority(priority)
    {
    }

    const Uuid &id() const { return m_id; }
    const std::string &name() const { return m_name; }
    double time() const { return m_time; }
    TodoPriority priority() const { return m_priority; }

    // Fields compared in order; names under Unicode canonical equivalence,
    // times as exact doubles.
    friend bool operator==(const TodoItem &a, const TodoItem &b);

private:
    Uuid m_id;
    std::string m_name;
    double m_time;
    TodoPriority m_priority;
};
