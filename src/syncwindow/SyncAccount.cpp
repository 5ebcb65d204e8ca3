// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncAccount.h"

#include <StoredFile.h>
#include <XdgDirectories.h>

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

StoredFile accountFile(const QString &folder)
{
    return StoredFile(QDir(folder).filePath(QStringLiteral("account.json")));
}

} // namespace

QString standardSyncFolder()
{
    return XdgDirectories::dataHome() + QStringLiteral("/plimsa/sync");
}

QString SyncAccount::passwordKey() const
{
    return user + QLatin1Char('@') + server.toString(QUrl::RemoveUserInfo);
}

std::optional<SyncAccount> readSyncAccount(const QString &folder)
{
    StoredFile file = accountFile(folder);
    const std::optional<QByteArray> bytes = file.read();
    if (!bytes)
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(*bytes).object();
    QStringList origins;
    for (const QJsonValue &origin : object.value(QLatin1String("passwordOrigins")).toArray())
        origins += origin.toString();
    SyncAccount account{QUrl(object.value(QLatin1String("server")).toString()),
                        object.value(QLatin1String("user")).toString(),
                        QUrl(object.value(QLatin1String("collection")).toString()), origins};
    if (!account.server.isValid() || !account.collection.isValid() || account.user.isEmpty())
        return std::nullopt;
    return account;
}

bool writeSyncAccount(const QString &folder, const SyncAccount &account)
{
    const QJsonObject object{{QLatin1String("server"), account.server.toString()},
                             {QLatin1String("user"), account.user},
                             {QLatin1String("collection"), account.collection.toString()},
                             {QLatin1String("passwordOrigins"),
                              QJsonArray::fromStringList(account.passwordOrigins)}};
    StoredFile file = accountFile(folder);
    return file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
}
