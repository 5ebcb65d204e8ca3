// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// Where the list goes when the store cannot keep it (a read-only folder, a full
// disk), so that the app never loses it silently.
class TodoListRescue {
public:
    virtual ~TodoListRescue() = default;

    // The user's own: $XDG_STATE_HOME/plimsa/ (~/.local/state/plimsa/), then
    // $XDG_RUNTIME_DIR/plimsa/, then a private folder in the temporary folder,
    // since a full home takes the first with it.
    static TodoListRescue &standard();

    // Writes the list as the store would and returns where; none when that fails
    // everywhere. One file per run, replaced by each later rescue.
    virtual std::optional<QString> rescue(const std::vector<TodoItem> &list) = 0;
    // The newest rescue file, when it is newer than the stored list.
    virtual std::optional<QString> newerThanStore() const = 0;
    // The list a rescue file holds; none when it cannot be read.
    virtual std::optional<std::vector<TodoItem>> read(const QString &path) const = 0;
};

// Rescue files "TodoList.rescue-<UTC time>" in the first of `directories` that
// takes one, each folder and file readable by the user only.
class FileTodoListRescue final : public TodoListRescue {
public:
    FileTodoListRescue(QStringList directories, QString storePath);

    std::optional<QString> rescue(const std::vector<TodoItem> &list) override;
    std::optional<QString> newerThanStore() const override;
    std::optional<std::vector<TodoItem>> read(const QString &path) const override;

private:
    QStringList m_directories;
    QString m_storePath;
    QString m_fileName;
};
