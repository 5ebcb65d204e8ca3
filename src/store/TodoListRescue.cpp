// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListRescue.h"

#include "TodoListStore.h"

#include <QDateTime>
#include <StoredFile.h>
#include <TodoJson.h>
#include <XdgDirectories.h>

TodoListRescue &TodoListRescue::standard()
{
    static FileTodoListRescue rescue(XdgDirectories::stateHome() + QStringLiteral("/plimsa"));
    return rescue;
}

FileTodoListRescue::FileTodoListRescue(QString directory) : m_directory(std::move(directory)) {}

std::optional<QString> FileTodoListRescue::rescue(const std::vector<TodoItem> &list)
{
    const std::optional<std::string> json = encodeTodoList(list);
    if (!json)
        return std::nullopt;
    StoredFile file(m_directory + QLatin1Char('/') + todoListKey + QStringLiteral(".rescue-") +
                    QDateTime::currentDateTimeUtc().toString(
                        QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'")));
    if (!file.write(QByteArrayView(json->data(), static_cast<qsizetype>(json->size()))))
        return std::nullopt;
    return file.path();
}
