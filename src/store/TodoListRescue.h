// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <QString>

#include <optional>
#include <vector>

// Where the list goes when the store cannot keep it (a read-only folder, a full
// disk), so that closing the app never loses it.
class TodoListRescue {
public:
    virtual ~TodoListRescue() = default;

    // The user's own, in $XDG_STATE_HOME/plimsa/ (~/.local/state/plimsa/).
    static TodoListRescue &standard();

    // Writes the list as the store would and returns where; none when that fails too.
    virtual std::optional<QString> rescue(const std::vector<TodoItem> &list) = 0;
};

// Rescue files "TodoList.rescue-<UTC time>" in one directory, readable by the user only.
class FileTodoListRescue final : public TodoListRescue {
public:
    explicit FileTodoListRescue(QString directory);

    std::optional<QString> rescue(const std::vector<TodoItem> &list) override;

private:
    QString m_directory;
};
