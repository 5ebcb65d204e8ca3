#include "TodoListRescue.h"

#include "FilePreferences.h"
#include "TodoListStore.h"

#include <QDateTime>
#include <QDir>

TodoListRescue &TodoListRescue::standard()
{
    const QString stateHome = qEnvironmentVariable(
        "XDG_STATE_HOME", QDir::homePath() + QStringLiteral("/.local/state"));
    static FileTodoListRescue rescue(stateHome + QStringLiteral("/plimsa"));
    return rescue;
}

FileTodoListRescue::FileTodoListRescue(QString directory) : m_directory(std::move(directory)) {}

std::optional<QString> FileTodoListRescue::rescue(const std::vector<TodoItem> &list)
{
    const QString name =
        todoListKey + QStringLiteral(".rescue-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    FilePreferences files(m_directory);
    if (!writeTodoList(files, list, name))
        return std::nullopt;
    return m_directory + QLatin1Char('/') + name;
}
