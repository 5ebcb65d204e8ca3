// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListRescue.h"

#include "TodoListStore.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <StoredFile.h>
#include <TodoJson.h>
#include <XdgDirectories.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString rescuePrefix = QStringLiteral("TodoList.rescue-");

// A folder of the temporary folder that is this user's alone: another user
// could have made it first.
std::optional<QString> privateTemporaryFolder()
{
    const QString folder = QDir::tempPath() + QStringLiteral("/plimsa-") + QString::number(::getuid());
    struct stat status;
    if (::lstat(QFile::encodeName(folder).constData(), &status) == 0 &&
        (!S_ISDIR(status.st_mode) || status.st_uid != ::getuid() || (status.st_mode & 0077)))
        return std::nullopt;
    return folder;
}

} // namespace

TodoListRescue &TodoListRescue::standard()
{
    static FileTodoListRescue rescue = [] {
        QStringList folders{XdgDirectories::stateHome() + QStringLiteral("/plimsa")};
        const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
        if (QDir::isAbsolutePath(runtime))
            folders.append(runtime + QStringLiteral("/plimsa"));
        if (const auto temporary = privateTemporaryFolder())
            folders.append(*temporary);
        return FileTodoListRescue(
            folders, XdgDirectories::configHome() + QStringLiteral("/plimsa/") + todoListKey);
    }();
    return rescue;
}

FileTodoListRescue::FileTodoListRescue(QStringList directories, QString storePath)
    : m_directories(std::move(directories)), m_storePath(std::move(storePath))
{
}

std::optional<QString> FileTodoListRescue::rescue(const std::vector<TodoItem> &list)
{
    const std::optional<std::string> json = encodeTodoList(list);
    if (!json)
        return std::nullopt;
    if (m_fileName.isEmpty()) {
        m_fileName = rescuePrefix + QDateTime::currentDateTimeUtc().toString(
                                        QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    }
    for (const QString &directory : m_directories) {
        StoredFile file(directory + QLatin1Char('/') + m_fileName);
        if (file.write(QByteArrayView(json->data(), static_cast<qsizetype>(json->size()))))
            return file.path();
    }
    return std::nullopt;
}

std::optional<QString> FileTodoListRescue::newerThanStore() const
{
    const QFileInfo store(m_storePath);
    std::optional<QFileInfo> newest;
    for (const QString &directory : m_directories) {
        const QFileInfoList found = QDir(directory).entryInfoList(
            {rescuePrefix + QLatin1Char('*')}, QDir::Files, QDir::Time);
        if (!found.isEmpty() &&
            (!newest || found.constFirst().lastModified() > newest->lastModified()))
            newest = found.constFirst();
    }
    if (!newest || (store.exists() && newest->lastModified() <= store.lastModified()))
        return std::nullopt;
    return newest->filePath();
}

std::optional<std::vector<TodoItem>> FileTodoListRescue::read(const QString &path) const
{
    StoredFile file(path);
    const std::optional<QByteArray> bytes = file.read();
    if (!bytes)
        return std::nullopt;
    return decodeStoredTodoList(*bytes);
}
