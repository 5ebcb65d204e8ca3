// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <array>
#include <optional>
#include <string_view>

// The member names of a to-do's JSON object, in field order. Keys have no
// integer form and are made from text only by an exact, case-sensitive match.
enum class TodoItemCodingKey { id, name, time, priority };

inline constexpr std::array<TodoItemCodingKey, 4> allTodoItemCodingKeys{
    TodoItemCodingKey::id, TodoItemCodingKey::name, TodoItemCodingKey::time,
    TodoItemCodingKey::priority};

std::string_view stringValue(TodoItemCodingKey key);
std::optional<TodoItemCodingKey> todoItemCodingKeyFromString(std::string_view text);
