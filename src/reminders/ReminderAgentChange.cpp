// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ReminderAgentChange.h"

#include "PendingRequestsFile.h"

#include <QDBusMetaType>

namespace {

const QString addKind = QStringLiteral("add");
const QString removeKind = QStringLiteral("remove");
const QString restoreKind = QStringLiteral("restore");

} // namespace

QDBusArgument &operator<<(QDBusArgument &argument, const ReminderAgentChange &change)
{
    argument.beginStructure();
    argument << change.kind << change.identifier << change.title << change.body
             << change.defaultSound << change.time;
    argument.endStructure();
    return argument;
}

const QDBusArgument &operator>>(const QDBusArgument &argument, ReminderAgentChange &change)
{
    argument.beginStructure();
    argument >> change.kind >> change.identifier >> change.title >> change.body >>
        change.defaultSound >> change.time;
    argument.endStructure();
    return argument;
}

namespace reminderAgent {

void registerChangeType()
{
    qDBusRegisterMetaType<ReminderAgentChange>();
    qDBusRegisterMetaType<QList<ReminderAgentChange>>();
}

QList<ReminderAgentChange> toAgentChanges(const std::vector<PendingChange> &changes)
{
    QList<ReminderAgentChange> items;
    items.reserve(static_cast<qsizetype>(changes.size()));
    for (const PendingChange &change : changes) {
        switch (change.kind) {
        case PendingChange::Kind::add: {
            const NotificationRequest &request = change.request;
            items.append({addKind, request.identifier, request.content.title, request.content.body,
                          request.content.defaultSound, request.trigger.time});
            break;
        }
        case PendingChange::Kind::remove:
        case PendingChange::Kind::restore:
            for (const QString &identifier : change.identifiers) {
                items.append({change.kind == PendingChange::Kind::remove ? removeKind : restoreKind,
                              identifier,
                              {},
                              {},
                              false,
                              0});
            }
            break;
        }
    }
    return items;
}

std::vector<PendingChange> fromAgentChanges(const QList<ReminderAgentChange> &changes,
                                            QList<uint> &refused)
{
    std::vector<PendingChange> batch;
    batch.reserve(static_cast<std::size_t>(changes.size()));
    for (qsizetype position = 0; position < changes.size(); ++position) {
        const ReminderAgentChange &item = changes[position];
        if (item.kind == addKind && isStorableTime(item.time)) {
            batch.push_back(
                {PendingChange::Kind::add,
                 {item.identifier, {item.title, item.body, item.defaultSound}, {item.time, false}},
                 {}});
            continue;
        }
        if (item.kind != removeKind && item.kind != restoreKind) {
            refused.append(static_cast<uint>(position));
            continue;
        }
        const auto kind =
            item.kind == removeKind ? PendingChange::Kind::remove : PendingChange::Kind::restore;
        if (batch.empty() || batch.back().kind != kind)
            batch.push_back({kind, {}, {}});
        batch.back().identifiers.append(item.identifier);
    }
    return batch;
}

} // namespace reminderAgent
