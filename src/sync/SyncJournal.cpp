// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncJournal.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <unordered_map>

namespace {

QJsonObject itemObject(const TodoItem &item)
{
    return {{QStringLiteral("id"), QString::fromStdString(item.id().uuidString())},
            {QStringLiteral("name"), QString::fromStdString(item.name())},
            {QStringLiteral("time"), item.time()},
            {QStringLiteral("priority"), QString::fromUtf8(rawValue(item.priority()))}};
}

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

const Uuid &key(const TodoItem &item)
{
    return item.id();
}

QByteArray encoded(const std::vector<TodoItem> &knownList, const std::deque<LocalChange> &pending)
{
    QJsonArray known;
    for (const TodoItem &item : knownList)
        known.append(itemObject(item));
    QJsonArray changes;
    for (const LocalChange &change : pending) {
        changes.append(QJsonObject{{QStringLiteral("kind"), change.kind == LocalChange::Kind::remove
                                                                ? QStringLiteral("remove")
                                                                : QStringLiteral("save")},
                                   {QStringLiteral("item"), itemObject(change.item)},
                                   {QStringLiteral("time"), change.time}});
    }
    return QJsonDocument(
               QJsonObject{{QStringLiteral("known"), known}, {QStringLiteral("changes"), changes}})
        .toJson(QJsonDocument::Compact);
}

} // namespace

SyncJournal::SyncJournal(QString path) : m_file(std::move(path)) {}

bool SyncJournal::load()
{
    m_known = std::make_shared<const std::vector<TodoItem>>();
    m_changes.clear();
    const auto content = m_file.read();
    if (!content)
        return !m_file.isHeldBack();
    const QJsonObject root = QJsonDocument::fromJson(*content).object();
    std::vector<TodoItem> known;
    for (const QJsonValue &value : root.value(QStringLiteral("known")).toArray()) {
        if (auto item = itemFrom(value))
            known.push_back(std::move(*item));
    }
    m_known = std::make_shared<const std::vector<TodoItem>>(std::move(known));
    for (const QJsonValue &value : root.value(QStringLiteral("changes")).toArray()) {
        const QJsonObject change = value.toObject();
        auto item = itemFrom(change.value(QStringLiteral("item")));
        if (!item)
            continue;
        const bool remove = change.value(QStringLiteral("kind")).toString() == u"remove";
        m_changes.push_back(
            LocalChange{remove ? LocalChange::Kind::remove : LocalChange::Kind::save,
                        std::move(*item), change.value(QStringLiteral("time")).toDouble()});
    }
    return true;
}

bool SyncJournal::save()
{
    return SyncFileWriter::writeWith(m_writer, m_file, [known = m_known, changes = m_changes] {
        return encoded(*known, changes);
    });
}

bool SyncJournal::listChanged(const std::vector<TodoItem> &list, double now)
{
    std::unordered_map<Uuid, const TodoItem *, UuidHash> before;
    for (const TodoItem &item : *m_known)
        before.emplace(key(item), &item);
    std::vector<LocalChange> added;
    for (const TodoItem &item : list) {
        const auto found = before.find(key(item));
        if (found == before.end() || !(*found->second == item))
            added.push_back(LocalChange{LocalChange::Kind::save, item, now});
        if (found != before.end())
            before.erase(found);
    }
    for (const TodoItem &item : *m_known) {
        if (before.contains(key(item)))
            added.push_back(LocalChange{LocalChange::Kind::remove, item, now});
    }
    if (added.empty())
        return true;
    std::unordered_map<Uuid, std::size_t, UuidHash> last;
    for (std::size_t index = 0; index < m_changes.size(); ++index)
        last[key(m_changes[index].item)] = index;
    for (LocalChange &change : added) {
        // A save replaces the to-do's last change when that is a save too.
        const auto found = last.find(key(change.item));
        if (found != last.end() && m_changes[found->second].kind == LocalChange::Kind::save &&
            change.kind == LocalChange::Kind::save) {
            m_changes[found->second] = std::move(change);
        } else {
            last[key(change.item)] = m_changes.size();
            m_changes.push_back(std::move(change));
        }
    }
    m_known = std::make_shared<const std::vector<TodoItem>>(list);
    return save();
}

bool SyncJournal::setKnownList(std::vector<TodoItem> list)
{
    m_known = std::make_shared<const std::vector<TodoItem>>(std::move(list));
    return save();
}

bool SyncJournal::resend(const std::vector<Uuid> &ids, double now)
{
    for (const TodoItem &item : *m_known) {
        if (std::find(ids.begin(), ids.end(), item.id()) != ids.end())
            m_changes.push_back(LocalChange{LocalChange::Kind::save, item, now});
    }
    return save();
}

void SyncJournal::dropFirst()
{
    if (!m_changes.empty())
        m_changes.pop_front();
}
