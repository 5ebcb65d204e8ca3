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
