// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PendingInbox.h"

#include "PendingRequestsFile.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <StoredFile.h>
#include <algorithm>
#include <nlohmann/json.hpp>
#include <optional>

namespace {

using InboxJson = nlohmann::ordered_json;

const char *memberOf(PendingChange::Kind kind)
{
    switch (kind) {
    case PendingChange::Kind::add:
        return "add";
    case PendingChange::Kind::remove:
        return "remove";
    case PendingChange::Kind::restore:
        return "restore";
    }
    return "";
}

QByteArray encodeChange(const PendingChange &change)
{
    if (change.kind == PendingChange::Kind::add)
        return "{\"add\":" + encodePendingRequests({change.request}) + '}';
    InboxJson identifiers = InboxJson::array();
    for (const QString &identifier : change.identifiers)
        identifiers.push_back(identifier.toStdString());
    const InboxJson document = {{memberOf(change.kind), identifiers}};
    return QByteArray::fromStdString(
        document.dump(-1, ' ', false, InboxJson::error_handler_t::replace));
}

// One change alone as Plimsa wrote it before batches, so that an older holder
// of the lock still reads it. Several: an array of the same objects, where the
// requests of consecutive additions share one.
QByteArray encodeChanges(const std::vector<PendingChange> &changes)
{
    if (changes.size() == 1)
        return encodeChange(changes.front());
    const auto isAdd = [](const PendingChange &change) {
        return change.kind == PendingChange::Kind::add;
    };
    QByteArray json = "[";
    for (auto run = changes.begin(); run != changes.end();) {
        if (json.size() > 1)
            json += ',';
        if (!isAdd(*run)) {
            json += encodeChange(*run++);
            continue;
        }
        const auto end = std::find_if_not(run, changes.end(), isAdd);
        std::vector<NotificationRequest> requests;
        requests.reserve(static_cast<std::size_t>(end - run));
        for (; run != end; ++run)
            requests.push_back(run->request);
        json += "{\"add\":" + encodePendingRequests(requests) + '}';
    }
    return json + ']';
}

// Appends the changes of one object; false when it is malformed.
bool decodeChange(const InboxJson &document, std::vector<PendingChange> &changes)
{
    if (!document.is_object() || document.size() != 1)
        return false;
    for (const auto kind :
         {PendingChange::Kind::add, PendingChange::Kind::remove, PendingChange::Kind::restore}) {
        const auto member = document.find(memberOf(kind));
        if (member == document.end())
            continue;
        if (kind == PendingChange::Kind::add) {
            // Always written with `time`: no zone is needed to read it.
            const auto requests = decodePendingRequests(QByteArray::fromStdString(member->dump()),
                                                        LocalCalendar("UTC"));
            if (!requests || requests->empty())
                return false;
            for (const NotificationRequest &request : *requests)
                changes.push_back({kind, request, {}});
            return true;
        }
        if (!member->is_array())
            return false;
        PendingChange change{kind, {}, {}};
        for (const InboxJson &identifier : *member) {
            if (!identifier.is_string())
                return false;
            change.identifiers.append(
                QString::fromStdString(identifier.get_ref<const std::string &>()));
        }
        changes.push_back(std::move(change));
        return true;
    }
    return false;
}

std::optional<std::vector<PendingChange>> decodeChanges(const QByteArray &json)
{
    const InboxJson document = InboxJson::parse(json.begin(), json.end(), nullptr, false);
    std::vector<PendingChange> changes;
    if (document.is_object())
        return decodeChange(document, changes) ? std::optional(std::move(changes)) : std::nullopt;
    if (!document.is_array() || document.empty())
        return std::nullopt;
    for (const InboxJson &element : document) {
        if (!decodeChange(element, changes))
            return std::nullopt;
    }
    return changes;
}

// The wall clock orders the changes of different processes roughly; within
// this process the name never sorts before an earlier one, even when the clock
// steps back. Only the UI thread writes.
QString nextName()
{
    static qint64 lastStamp = 0;
    static quint64 sequence = 0;
    lastStamp = std::max(lastStamp, QDateTime::currentMSecsSinceEpoch());
    return QStringLiteral("%1-%2-%3.json")
        .arg(lastStamp, 15, 10, QLatin1Char('0'))
        .arg(sequence++, 10, 10, QLatin1Char('0'))
        .arg(QCoreApplication::applicationPid());
}

} // namespace

PendingInbox::PendingInbox(QString folder) : m_folder(std::move(folder)) {}

bool PendingInbox::put(const std::vector<PendingChange> &changes)
{
    return StoredFile(m_folder + QLatin1Char('/') + nextName()).write(encodeChanges(changes));
}

std::vector<PendingInbox::Entry> PendingInbox::read() const
{
    std::vector<Entry> entries;
    const QStringList names =
        QDir(m_folder).entryList({QStringLiteral("*.json")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        StoredFile file(m_folder + QLatin1Char('/') + name);
        const std::optional<QByteArray> bytes = file.read();
        if (!bytes)
            continue;
        if (auto changes = decodeChanges(*bytes))
            entries.push_back({name, std::move(*changes)});
        else if (file.keepUnreadable(*bytes))
            remove(name);
    }
    return entries;
}

void PendingInbox::remove(const QString &name) const
{
    QFile::remove(m_folder + QLatin1Char('/') + name);
}
