// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItemCodingKey.h"

std::string_view stringValue(TodoItemCodingKey key)
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

std::optional<TodoItemCodingKey> todoItemCodingKeyFromString(std::string_view text)
{
    for (TodoItemCodingKey key : allTodoItemCodingKeys) {
        if (stringValue(key) == text)
            return key;
    }
    return std::nullopt;
}
