// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncJournal.h"

#include <TodoJson.h>

#include <algorithm>

namespace {

using Query = SyncDatabase::Query;

bool syncs(const TodoItem &item)
{
    return !item.extras().occurrenceOf;
}

std::optional<TodoItem> itemFrom(const std::string &json)
{
    return decodeTodoItem(json);
}

} // namespace

bool SyncJournal::load()
{
    m_changes.clear();
    m_setAside.clear();
    m_last.clear();
    m_sending.reset();
    Query query(m_database, "SELECT seq, kind, item, time, aside FROM changes ORDER BY seq");
    while (query.next()) {
        auto item = itemFrom(query.string(2));
        if (!item)
            continue;
        LocalChange change{query.integer(1) == 1 ? LocalChange::Kind::remove
                                                  : LocalChange::Kind::save,
                           std::move(*item), query.number(3), query.integer(0)};
        if (query.isNull(4)) {
            m_last[change.item.id()] = change.seq;
            m_changes.push_back(std::move(change));
        } else {
            m_setAside.push_back({std::move(change), query.text(4)});
        }
    }
    return !m_database.hasFailed();
}

bool SyncJournal::isWaiting(const Uuid &id) const
{
    return m_last.contains(id) ||
           std::ranges::any_of(m_setAside, [&](const SetAsideChange &aside) {
               return aside.change.item.id() == id;
           });
}

std::size_t SyncJournal::indexOf(qint64 seq) const
{
    const auto found = std::ranges::lower_bound(m_changes, seq, {}, &LocalChange::seq);
    return std::size_t(found - m_changes.begin());
}

const LocalChange *SyncJournal::lastChangeOf(const Uuid &id) const
{
    const auto last = m_last.find(id);
    if (last == m_last.end())
        return nullptr;
    const std::size_t index = indexOf(last->second);
    return index < m_changes.size() ? &m_changes[index] : nullptr;
}

bool SyncJournal::record(const std::vector<TodoItem> &saved, const std::vector<TodoItem> &removed,
                         double now)
{
    const auto writeAll = [&] {
        for (const TodoItem &item : saved) {
            if (syncs(item) && !(append(LocalChange::Kind::save, item, now) && putKnown(item)))
                return false;
        }
        for (const TodoItem &item : removed) {
            if (syncs(item) &&
                !(append(LocalChange::Kind::remove, item, now) && removeKnown(item.id())))
                return false;
        }
        return true;
    };
    bool written;
    {
        SyncDatabase::Transaction transaction(m_database);
        written = writeAll() && transaction.commit();
    }
    // What is in memory follows the disk again.
    if (!written)
        load();
    return written;
}

bool SyncJournal::append(LocalChange::Kind kind, const TodoItem &item, double now)
{
    const std::string json = encodeTodoItem(item).value_or(std::string());
    if (json.empty())
        return false;
    const auto last = m_last.find(item.id());
    if (kind == LocalChange::Kind::save && last != m_last.end() && last->second != m_sending) {
        LocalChange &waiting = m_changes[indexOf(last->second)];
        if (waiting.kind == LocalChange::Kind::save) {
            if (!Query(m_database, "UPDATE changes SET item = ?, time = ? WHERE seq = ?")
                     .bind(1, json)
                     .bind(2, now)
                     .bind(3, waiting.seq)
                     .run())
                return false;
            waiting.item = item;
            waiting.time = now;
            return true;
        }
    }
    Query insert(m_database, "INSERT INTO changes(kind, id, item, time) VALUES(?, ?, ?, ?)");
    if (!insert.bind(1, qint64(kind == LocalChange::Kind::remove ? 1 : 0))
             .bind(2, item.id())
             .bind(3, json)
             .bind(4, now)
             .run())
        return false;
    Query rowid(m_database, "SELECT last_insert_rowid()");
    if (!rowid.next())
        return false;
    m_changes.push_back(LocalChange{kind, item, now, rowid.integer(0)});
    m_last[item.id()] = m_changes.back().seq;
    return true;
}

bool SyncJournal::take(qint64 seq)
{
    const std::size_t index = indexOf(seq);
    if (index >= m_changes.size() || m_changes[index].seq != seq)
        return true;
    const LocalChange change = m_changes[index];
    if (!Query(m_database, "DELETE FROM changes WHERE seq = ?").bind(1, seq).run())
        return false;
    const Uuid &id = change.item.id();
    if (!Query(m_database, "DELETE FROM changes WHERE aside IS NOT NULL AND seq < ? AND id = ?")
             .bind(1, seq)
             .bind(2, id)
             .run())
        return false;
    std::erase_if(m_setAside, [&](const SetAsideChange &aside) {
        return aside.change.item.id() == id && aside.change.seq < seq;
    });
    m_changes.erase(m_changes.begin() + std::ptrdiff_t(index));
    if (m_last[id] == seq)
        m_last.erase(id);
    if (m_sending == seq)
        m_sending.reset();
    return true;
}

bool SyncJournal::putAside(qint64 seq, const QString &message)
{
    const std::size_t index = indexOf(seq);
    if (index >= m_changes.size() || m_changes[index].seq != seq)
        return true;
    if (!Query(m_database, "UPDATE changes SET aside = ? WHERE seq = ?")
             .bind(1, message)
             .bind(2, seq)
             .run())
        return false;
    LocalChange change = m_changes[index];
    m_changes.erase(m_changes.begin() + std::ptrdiff_t(index));
    if (m_last[change.item.id()] == seq)
        m_last.erase(change.item.id());
    if (m_sending == seq)
        m_sending.reset();
    m_setAside.push_back({std::move(change), message});
    return true;
}

bool SyncJournal::rebase(qint64 seq, const TodoItem &item)
{
    const std::size_t index = indexOf(seq);
    const auto json = encodeTodoItem(item);
    if (index >= m_changes.size() || m_changes[index].seq != seq || !json)
        return false;
    if (!Query(m_database, "UPDATE changes SET item = ? WHERE seq = ?")
             .bind(1, *json)
             .bind(2, seq)
             .run() ||
        !putKnown(item))
        return false;
    m_changes[index].item = item;
    return true;
}

bool SyncJournal::retrySetAside()
{
    if (m_setAside.empty())
        return true;
    if (!Query(m_database, "UPDATE changes SET aside = NULL WHERE aside IS NOT NULL").run())
        return false;
    return load();
}

bool SyncJournal::dropRemovals(const std::vector<TodoItem> &kept)
{
    for (const TodoItem &item : kept) {
        const LocalChange *last = lastChangeOf(item.id());
        if (!last || last->kind != LocalChange::Kind::remove)
            continue;
        const qint64 seq = last->seq;
        if (!Query(m_database, "DELETE FROM changes WHERE seq = ?").bind(1, seq).run() ||
            !putKnown(item))
            return false;
        m_changes.erase(m_changes.begin() + std::ptrdiff_t(indexOf(seq)));
        m_last.erase(item.id());
    }
    return true;
}

bool SyncJournal::resend(const std::vector<Uuid> &ids, double now)
{
    std::vector<TodoItem> items;
    for (const Uuid &id : ids) {
        if (auto item = known(id))
            items.push_back(std::move(*item));
    }
    return record(items, {}, now);
}

std::optional<TodoItem> SyncJournal::known(const Uuid &id)
{
    Query query(m_database, "SELECT item FROM known WHERE id = ?");
    query.bind(1, id);
    if (!query.next())
        return std::nullopt;
    return itemFrom(query.string(0));
}

qint64 SyncJournal::knownCount()
{
    Query query(m_database, "SELECT count(*) FROM known");
    return query.next() ? query.integer(0) : 0;
}

void SyncJournal::forEachKnown(const std::function<void(TodoItem)> &visit)
{
    Query query(m_database, "SELECT item FROM known ORDER BY seq");
    while (query.next()) {
        if (auto item = itemFrom(query.string(0)))
            visit(std::move(*item));
    }
}

bool SyncJournal::putKnown(const TodoItem &item)
{
    const auto json = encodeTodoItem(item);
    if (!json)
        return false;
    // An update keeps the to-do's place in the list's order.
    return Query(m_database, "INSERT INTO known(id, item) VALUES(?, ?) "
                             "ON CONFLICT(id) DO UPDATE SET item = excluded.item")
        .bind(1, item.id())
        .bind(2, *json)
        .run();
}

bool SyncJournal::removeKnown(const Uuid &id)
{
    return Query(m_database, "DELETE FROM known WHERE id = ?").bind(1, id).run();
}
