// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListStore.h"

#include <TodoJson.h>

#include <new>

std::optional<std::vector<TodoItem>> readTodoList(Preferences &preferences)
{
    const std::optional<QByteArray> bytes = preferences.data(todoListKey);
    if (!bytes)
        return std::nullopt;
    auto list = decodeStoredTodoList(*bytes);
    // When no copy can be made, the store holds the value back and the next
    // save fails (and is rescued) instead of overwriting the only copy.
    if (!list)
        preferences.keepUnreadable(todoListKey, *bytes);
    return list;
}

std::optional<std::vector<TodoItem>> decodeStoredTodoList(const QByteArray &bytes)
{
    // A list too large for this machine's memory is as unreadable as a damaged one:
    // it must not end every start.
    try {
        return decodeTodoList(std::string_view(bytes.constData(), bytes.size()),
                              bytes.capacity() - bytes.size());
    } catch (const std::bad_alloc &) {
        return std::nullopt;
    }
}

bool writeTodoList(Preferences &preferences, const std::vector<TodoItem> &list)
{
    const std::optional<std::string> json = encodeTodoList(list);
    if (!json)
        return false;
    return preferences.setData(todoListKey, QByteArrayView(json->data(), json->size()));
}
