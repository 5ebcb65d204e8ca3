// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

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

// Inline because the reader asks for every member of every stored item. The keys
// differ in their first letter, so once the loop is unrolled one comparison settles it.
constexpr std::optional<TodoItemCodingKey> todoItemCodingKeyFromString(std::string_view text)
{
    if (text.empty())
        return std::nullopt;
    for (TodoItemCodingKey key : allTodoItemCodingKeys) {
        const std::string_view value = stringValue(key);
        if (value.front() == text.front())
            return value == text ? std::optional(key) : std::nullopt;
    }
    return std::nullopt;
}
