// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncState.h"

#include <TodoJson.h>

namespace {

using Query = SyncDatabase::Query;

Query &bindId(Query &query, int index, const std::optional<Uuid> &id)
{
    return id ? query.bind(index, *id) : query.bindNull(index);
}

} // namespace

QString SyncState::syncToken()
{
    return m_database.value("syncToken").value_or(QString());
}

bool SyncState::setSyncToken(const QString &token)
{
    // A sync with nothing changed writes nothing.
    return syncToken() == token || m_database.setValue("syncToken", token);
}

std::optional<SyncedCopy> SyncState::copyFrom(Query &query)
{
    if (!query.next())
        return std::nullopt;
    return SyncedCopy{query.text(0), query.id(1), query.text(2), query.bytes(3)};
}

std::optional<SyncedCopy> SyncState::copyAt(const QString &href)
{
    Query query(m_database, "SELECT href, id, etag, data FROM copies WHERE href = ?");
    query.bind(1, href);
    return copyFrom(query);
}

std::optional<SyncedCopy> SyncState::copyOf(const Uuid &id)
{
    Query query(m_database, "SELECT href, id, etag, data FROM copies WHERE id = ? LIMIT 1");
    query.bind(1, id);
    return copyFrom(query);
}

QString SyncState::hrefOf(const Uuid &id)
{
    Query query(m_database, "SELECT href FROM copies WHERE id = ? LIMIT 1");
    query.bind(1, id);
    return query.next() ? query.text(0) : QString();
}

bool SyncState::putCopy(const SyncedCopy &copy)
{
    Query query(m_database,
                "INSERT OR REPLACE INTO copies(href, id, etag, data) VALUES(?, ?, ?, ?)");
    query.bind(1, copy.href);
    bindId(query, 2, copy.id);
    return query.bind(3, copy.etag).bind(4, copy.text).run();
}

bool SyncState::removeCopy(const QString &href)
{
    return Query(m_database, "DELETE FROM copies WHERE href = ?").bind(1, href).run();
}

bool SyncState::hasCopies()
{
    Query query(m_database, "SELECT 1 FROM copies LIMIT 1");
    return query.next();
}

qint64 SyncState::copyCount()
{
    Query query(m_database, "SELECT count(*) FROM copies");
    return query.next() ? query.integer(0) : 0;
}

void SyncState::forEachCopy(const std::function<void(const QString &, const QString &)> &visit)
{
    Query query(m_database, "SELECT href, etag FROM copies");
    while (query.next())
        visit(query.text(0), query.text(1));
}

bool SyncState::forgetCopies(const std::vector<Uuid> &ids)
{
    for (const Uuid &id : ids) {
        if (!Query(m_database, "DELETE FROM copies WHERE id = ?").bind(1, id).run())
            return false;
    }
    return true;
}

bool SyncState::keepRemoved(const SyncedCopy &copy, double now)
{
    if (!copy.id)
        return true;
    return Query(m_database,
                 "INSERT OR REPLACE INTO removed(id, href, data, time) VALUES(?, ?, ?, ?)")
        .bind(1, *copy.id)
        .bind(2, copy.href)
        .bind(3, copy.text)
        .bind(4, now)
        .run();
}

std::optional<SyncedCopy> SyncState::removedCopy(const Uuid &id)
{
    Query query(m_database, "SELECT href, id, '', data FROM removed WHERE id = ?");
    query.bind(1, id);
    return copyFrom(query);
}

bool SyncState::forgetRemoved(const Uuid &id)
{
    return Query(m_database, "DELETE FROM removed WHERE id = ?").bind(1, id).run();
}

bool SyncState::forgetRemovedBefore(double time)
{
    return Query(m_database, "DELETE FROM removed WHERE time < ?").bind(1, time).run();
}

std::optional<qint64> SyncState::recordPull(const std::vector<PulledChange> &changes)
{
    qint64 mark = 0;
    for (const PulledChange &change : changes) {
        Query query(m_database, "INSERT INTO pulled(id, item) VALUES(?, ?)");
        query.bind(1, change.id);
        const auto json = change.item ? encodeTodoItem(*change.item) : std::nullopt;
        if (change.item && !json)
            return std::nullopt;
        if (!(json ? query.bind(2, *json) : query.bindNull(2)).run())
            return std::nullopt;
        Query rowid(m_database, "SELECT last_insert_rowid()");
        if (!rowid.next())
            return std::nullopt;
        mark = rowid.integer(0);
    }
    return mark;
}

std::pair<std::vector<PulledChange>, qint64> SyncState::pendingPull()
{
    std::vector<PulledChange> changes;
    qint64 mark = 0;
    Query query(m_database, "SELECT seq, id, item FROM pulled ORDER BY seq");
    while (query.next()) {
        mark = query.integer(0);
        const auto id = query.id(1);
        if (!id)
            continue;
        if (query.isNull(2)) {
            changes.push_back({*id, std::nullopt});
        } else if (auto item = decodeTodoItem(query.string(2))) {
            changes.push_back({*id, std::move(item)});
        }
    }
    return {std::move(changes), mark};
}

bool SyncState::pullStored(qint64 mark)
{
    return Query(m_database, "DELETE FROM pulled WHERE seq <= ?").bind(1, mark).run();
}

qint64 SyncState::uploadTotal()
{
    return m_database.value("uploadTotal").value_or(QString()).toLongLong();
}

bool SyncState::setUploadTotal(qint64 total)
{
    return uploadTotal() == total || m_database.setValue("uploadTotal", QString::number(total));
}
