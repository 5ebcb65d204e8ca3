// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ShownDay.h"

#include <TodoItem.h>
#include <TodoPriority.h>

#include <QDate>
#include <QString>

#include <optional>
#include <string>

// A to-do as a form shows it, on a 12-hour clock: what the edit form starts
// from and what it saves.
struct TodoDraft {
    QString name;
    TodoPriority priority = TodoPriority::medium;
    QDate day;
    int hour = 12; // 1 to 12
    int minute = 0;
    bool isAM = true;
    // The RRULE text; empty when it does not repeat.
    std::string rrule{};

    friend bool operator==(const TodoDraft &, const TodoDraft &) = default;
};

// `item` as the form shows it, in the current calendar.
TodoDraft draftOf(const TodoItem &item, const LocalCalendar &calendar);

// `item` with the draft's values, keeping its id and extras; `item` itself
// when the draft is as the form showed it, so that even the seconds a stored
// time may have stay. None for a blank name or a time the calendar cannot form.
std::optional<TodoItem> withDraft(const TodoItem &item, const TodoDraft &draft,
                                  const ShownDay &day);
