// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "TodoItem.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The stored JSON form of to-dos: compact UTF-8, members written in the order
// "id", "name", "time", "priority", "time" as a number that reads back bit for bit.

// Fails only when `time` is not finite.
std::optional<std::string> encodeTodoItem(const TodoItem &item);
std::optional<std::string> encodeTodoList(const std::vector<TodoItem> &items);

// Strict: any syntax error, trailing content, invalid UTF-8, missing, null or
// wrong-typed member, bad UUID or unknown priority fails the whole value.
// Members with other keys are ignored.
std::optional<TodoItem> decodeTodoItem(std::string_view json);
// `readableAfterEnd` counts the allocated bytes after `json` that may be read
// (never written); with 64 or more a short list is read without a copy of
// `json`. A list longer than `sliceBytes` is read a slice at a time, which
// touches far less memory.
std::optional<std::vector<TodoItem>> decodeTodoList(std::string_view json,
                                                    std::size_t readableAfterEnd = 0,
                                                    std::size_t sliceBytes = 1 << 17);
