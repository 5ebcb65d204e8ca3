// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncFilesImport.h"

#include <StoredFile.h>
#include <TodoJson.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

std::optional<TodoItem> itemFrom(const QJsonValue &value)
{
    const QJsonObject object = value.toObject();
    const auto id = Uuid::fromString(object.value(QStringLiteral("id")).toString().toStdString());
    const auto priority =
        todoPriorityFromRawValue(object.value(QStringLiteral("priority")).toString().toStdString());
    const QJsonValue time = object.value(QStringLiteral("time"));
    if (!id || !priority || !time.isDouble())
        return std::nullopt;
    return TodoItem(object.value(QStringLiteral("name")).toString().toStdString(), time.toDouble(),
                    *priority, *id);
}

// The file's JSON object; none when there is no file, or (set aside) when it
// does not read as one.
std::optional<QJsonObject> objectIn(StoredFile &file)
{
    const auto content = file.read();
    if (!content)
        return std::nullopt;
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(*content, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        file.keepUnreadable(*content);
        return std::nullopt;
    }
    return document.object();
}

bool importJournal(const QJsonObject &root, SyncDatabase &database, SyncJournal &journal)
{
    for (const QJsonValue &value : root.value(QStringLiteral("known")).toArray()) {
        if (auto item = itemFrom(value); item && !journal.putKnown(*item))
            return false;
    }
    for (const QJsonValue &value : root.value(QStringLiteral("changes")).toArray()) {
        const QJsonObject change = value.toObject();
        const auto item = itemFrom(change.value(QStringLiteral("item")));
        if (!item)
            continue;
        const bool remove = change.value(QStringLiteral("kind")).toString() == u"remove";
        const auto json = encodeTodoItem(*item);
        if (!json || !SyncDatabase::Query(database, "INSERT INTO changes(kind, id, item, time) "
                                                    "VALUES(?, ?, ?, ?)")
                          .bind(1, qint64(remove ? 1 : 0))
                          .bind(2, item->id())
                          .bind(3, *json)
                          .bind(4, change.value(QStringLiteral("time")).toDouble())
                          .run())
            return false;
    }
    return true;
}

bool importState(const QJsonObject &root, SyncState &state)
{
    if (!state.setSyncToken(root.value(QStringLiteral("syncToken")).toString()))
        return false;
    for (const QJsonValue &value : root.value(QStringLiteral("copies")).toArray()) {
        const QJsonObject copy = value.toObject();
        const QString id = copy.value(QStringLiteral("id")).toString();
        if (!state.putCopy(SyncedCopy{copy.value(QStringLiteral("href")).toString(),
                                      Uuid::fromString(id.toStdString()),
                                      copy.value(QStringLiteral("etag")).toString(),
                                      copy.value(QStringLiteral("text")).toString().toUtf8()}))
            return false;
    }
    return true;
}

} // namespace

bool importSyncFiles(const QString &folder, SyncDatabase &database, SyncJournal &journal,
                     SyncState &state)
{
    StoredFile journalFile(folder + QStringLiteral("/journal.json"));
    StoredFile stateFile(folder + QStringLiteral("/state.json"));
    const auto journalRoot = objectIn(journalFile);
    const auto stateRoot = objectIn(stateFile);
    if (!journalRoot && !stateRoot)
        return true;
    {
        SyncDatabase::Transaction transaction(database);
        // Without the state, the copies are unknown: the next sync lists the
        // server first, and merges what is there.
        if ((journalRoot && !importJournal(*journalRoot, database, journal)) ||
            (stateRoot && journalRoot && !importState(*stateRoot, state)) || !transaction.commit())
            return false;
    }
    QFile::remove(journalFile.path());
    QFile::remove(stateFile.path());
    return journal.load();
}
