// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "Preferences.h"

#include <TodoItem.h>
#include <optional>
#include <vector>

// The whole to-do list, stored as one compact JSON array under "TodoList".
// Both calls are silent: they never throw, show or log anything.

inline const QString todoListKey = QStringLiteral("TodoList");

// The stored list, or none when nothing is stored or it does not decode. A value
// that does not decode is kept by the store before anything can overwrite it:
// copied aside, or else held back from the next write.
std::optional<std::vector<TodoItem>> readTodoList(Preferences &preferences);

// Decodes a value as read from the store, which has room after its end to
// be decoded in place. Reads and writes nothing.
std::optional<std::vector<TodoItem>> decodeStoredTodoList(const QByteArray &bytes);

// Stores the list whole. False when it could not be encoded or kept; the
// earlier value then stays.
bool writeTodoList(Preferences &preferences, const std::vector<TodoItem> &list);
