// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "TodoPriority.h"
#include "Uuid.h"

#include <memory>
#include <optional>
#include <string>

// What a to-do may hold beyond its four fields. Most hold none of it, and are
// then stored and compared exactly as four-field to-dos.
struct TodoExtras {
    // When it was ticked off; open while absent.
    std::optional<double> completed{};
    // How it repeats, as the value of an iCalendar RRULE; empty when it does not.
    std::string rrule{};
    // The UID it came with from a calendar server, when that is not the text of
    // its id (another client's lower-case or non-UUID UID).
    std::string uid{};
    // A done occurrence of a repeating to-do, kept on this machine only: the
    // series' id.
    std::optional<Uuid> occurrenceOf{};
    // When its reminder comes, in seconds after `time` (negative: before), when
    // another client gave it an alarm of its own; at `time` while absent.
    std::optional<double> alarm{};
    // Due on a day rather than at a time (`time` is that day's start): it
    // reminds only by an alarm of its own.
    bool wholeDay = false;

    bool empty() const
    {
        return !completed && rrule.empty() && uid.empty() && !occurrenceOf && !alarm && !wholeDay;
    }
    friend bool operator==(const TodoExtras &, const TodoExtras &) = default;
};

// One to-do: a value that never changes after it is made. Its identity is `id`.
// `time` counts seconds since 2001-01-01 00:00:00 UTC; `name` is UTF-8.
class TodoItem {
public:
    TodoItem(std::string name, double time, TodoPriority priority, Uuid id = Uuid::random(),
             TodoExtras extras = {})
        : m_id(id), m_name(std::move(name)), m_time(time), m_priority(priority),
          m_extras(std::move(extras))
    {
    }

    const Uuid &id() const { return m_id; }
    const std::string &name() const { return m_name; }
    double time() const { return m_time; }
    TodoPriority priority() const { return m_priority; }

    const TodoExtras &extras() const { return m_extras.get(); }
    std::optional<double> completed() const { return extras().completed; }
    bool isCompleted() const { return extras().completed.has_value(); }
    bool repeats() const { return !extras().rrule.empty(); }
    // The UID a calendar server knows it by.
    std::string uid() const;
    // When its reminder comes; none when done, or due on a day with no alarm.
    std::optional<double> reminderAt() const;

    // The same to-do with other fields; the id and the extras stay.
    TodoItem with(std::string name, double time, TodoPriority priority) const
    {
        return TodoItem(std::move(name), time, priority, m_id, extras());
    }
    TodoItem withExtras(TodoExtras extras) const
    {
        return TodoItem(m_name, m_time, m_priority, m_id, std::move(extras));
    }

    // Fields compared in order; names under Unicode canonical equivalence,
    // times as exact doubles; then the extras.
    friend bool operator==(const TodoItem &a, const TodoItem &b);

private:
    // Held apart, so that a to-do without extras costs one null pointer.
    class ExtrasHolder {
    public:
        explicit ExtrasHolder(TodoExtras extras)
            : m_extras(extras.empty() ? nullptr : std::make_unique<TodoExtras>(std::move(extras)))
        {
        }
        ExtrasHolder(const ExtrasHolder &other)
            : m_extras(other.m_extras ? std::make_unique<TodoExtras>(*other.m_extras) : nullptr)
        {
        }
        ExtrasHolder(ExtrasHolder &&) noexcept = default;
        ExtrasHolder &operator=(const ExtrasHolder &other)
        {
            if (this != &other)
                m_extras = other.m_extras ? std::make_unique<TodoExtras>(*other.m_extras) : nullptr;
            return *this;
        }
        ExtrasHolder &operator=(ExtrasHolder &&) noexcept = default;
        const TodoExtras &get() const { return m_extras ? *m_extras : none(); }

    private:
        // Out of line, so that each program or module that links the model
        // holds its own.
        static const TodoExtras &none();
        std::unique_ptr<TodoExtras> m_extras;
    };

    Uuid m_id;
    std::string m_name;
    double m_time;
    TodoPriority m_priority;
    ExtrasHolder m_extras;
};
