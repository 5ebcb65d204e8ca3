#include "TodoListStore.h"

#include <QDateTime>
#include <TodoJson.h>

namespace {

void keepUnreadableValue(Preferences &preferences, const QByteArray &bytes)
{
    const QString stamp =
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    preferences.setData(todoListKey + QStringLiteral(".unreadable-") + stamp, bytes);
}

} // namespace

std::optional<std::vector<TodoItem>> readTodoList(Preferences &preferences)
{
    const std::optional<QByteArray> bytes = preferences.data(todoListKey);
    if (!bytes)
        return std::nullopt;
    auto list = decodeTodoList(std::string_view(bytes->constData(), bytes->size()));
    if (!list)
        keepUnreadableValue(preferences, *bytes);
    return list;
}

bool writeTodoList(Preferences &preferences, const std::vector<TodoItem> &list, const QString &key)
{
    const std::optional<std::string> json = encodeTodoList(list);
    if (!json)
        return false;
    return preferences.setData(key, QByteArrayView(json->data(), json->size()));
}
