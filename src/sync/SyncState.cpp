// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

SyncState::SyncState(QString path) : m_file(std::move(path)) {}

bool SyncState::load()
{
    syncToken.clear();
    copies.clear();
    const auto content = m_file.read();
    if (!content)
        return !m_file.isHeldBack();
    const QJsonObject root = QJsonDocument::fromJson(*content).object();
    syncToken = root.value(QStringLiteral("syncToken")).toString();
    for (const QJsonValue &value : root.value(QStringLiteral("copies")).toArray()) {
        const QJsonObject copy = value.toObject();
        copies[copy.value(QStringLiteral("href")).toString()] =
            SyncedCopy{copy.value(QStringLiteral("id")).toString(),
                       copy.value(QStringLiteral("etag")).toString(),
                       copy.value(QStringLiteral("text")).toString().toUtf8()};
    }
    return true;
}

bool SyncState::save()
{
    // Its texts are shared, not copied, with the writer's thread.
    return SyncFileWriter::writeWith(m_writer, m_file, [token = syncToken, copies = copies] {
        QJsonArray list;
        for (const auto &[href, copy] : copies) {
            list.append(QJsonObject{{QStringLiteral("href"), href},
                                    {QStringLiteral("id"), copy.id},
                                    {QStringLiteral("etag"), copy.etag},
                                    {QStringLiteral("text"), QString::fromUtf8(copy.text)}});
        }
        return QJsonDocument(
                   QJsonObject{{QStringLiteral("syncToken"), token}, {QStringLiteral("copies"), list}})
            .toJson(QJsonDocument::Compact);
    });
}

QString SyncState::hrefOf(const QString &id) const
{
    for (const auto &[href, copy] : copies) {
        if (copy.id == id)
            return href;
    }
    return {};
}
