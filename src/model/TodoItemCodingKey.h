// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ValueNamed.h"

#include <array>
#include <optional>
#include <string_view>

enum class TodoItemCodingKey { id, name, time, priority };

inline constexpr std::array<TodoItemCodingKey, 4> allTodoItemCodingKeys{
    TodoItemCodingKey::id, TodoItemCodingKey::name, TodoItemCodingKey::time,
    TodoItemCodingKey::priority};

constexpr std::string_view stringValue(TodoItemCodingKey key)
{
    switch (key) {
    case TodoItemCodingKey::id:
        return "id";
    case TodoItemCodingKey::name:
        return "name";
    case TodoItemCodingKey::time:
        return "time";
    case TodoItemCodingKey::priority:
        return "priority";
    }
    return {};
}

constexpr std::optional<TodoItemCodingKey> todoItemCodingKeyFromString(std::string_view text)
{
    return valueNamed(allTodoItemCodingKeys, stringValue, text);
}

// The optional members of a to-do past the four, each written only when the
// to-do has it: "completed" (a number like "time"), "rrule" (RRULE value text),
// "uid" (a server's UID unlike the id), "occurrenceOf" (a series' id), "alarm"
// (seconds after "time"), "wholeDay" (true).
enum class TodoExtraKey { completed, rrule, uid, occurrenceOf, alarm, wholeDay };

inline constexpr std::array<TodoExtraKey, 6> allTodoExtraKeys{
    TodoExtraKey::completed,    TodoExtraKey::rrule, TodoExtraKey::uid,
    TodoExtraKey::occurrenceOf, TodoExtraKey::alarm, TodoExtraKey::wholeDay};

constexpr std::string_view extraKeyName(TodoExtraKey key)
{
    switch (key) {
    case TodoExtraKey::completed:
        return "completed";
    case TodoExtraKey::rrule:
        return "rrule";
    case TodoExtraKey::uid:
        return "uid";
    case TodoExtraKey::occurrenceOf:
        return "occurrenceOf";
    case TodoExtraKey::alarm:
        return "alarm";
    case TodoExtraKey::wholeDay:
        return "wholeDay";
    }
    return {};
}

constexpr std::optional<TodoExtraKey> todoExtraKeyFromString(std::string_view text)
{
    return valueNamed(allTodoExtraKeys, extraKeyName, text);
}
