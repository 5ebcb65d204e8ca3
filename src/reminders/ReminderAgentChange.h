// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "PendingChange.h"

#include <QDBusArgument>
#include <QList>
#include <QMetaType>
#include <QString>
#include <optional>
#include <vector>

// One change of a batch as it crosses the bus to plimsa-reminders, D-Bus type
// (ssssbd): its kind ("add", "remove" or "restore"), the identifier of the one
// reminder it is about, and for an addition the reminder's title, body, default
// sound and time. See ApplyChanges in org.plimsa.Reminders1.xml.
struct ReminderAgentChange {
    QString kind;
    QString identifier;
    QString title;
    QString body;
    bool defaultSound = false;
    double time = 0;
};
Q_DECLARE_METATYPE(ReminderAgentChange)

QDBusArgument &operator<<(QDBusArgument &argument, const ReminderAgentChange &change);
const QDBusArgument &operator>>(const QDBusArgument &argument, ReminderAgentChange &change);

namespace reminderAgent {

// Makes the batch known to QtDBus; both ends call it before their first batch.
void registerChangeType();
// A removal or restore of several identifiers becomes one item each.
QList<ReminderAgentChange> toAgentChanges(const std::vector<PendingChange> &changes);
// In order, consecutive removals and restores merged. `refused` gets the
// positions of the items that cannot be taken: of an unknown kind, or adding a
// reminder at a time the pending file cannot hold.
std::vector<PendingChange> fromAgentChanges(const QList<ReminderAgentChange> &changes,
                                            QList<uint> &refused);

} // namespace reminderAgent
