// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <QString>
#include <QStringList>
#include <vector>

// One change to the pending requests, as a process that does not deliver
// hands it to the one that does.
struct PendingChange {
    enum class Kind { add, remove, restore };
    Kind kind = Kind::add;
    // For an addition.
    NotificationRequest request;
    // For a removal or a restore.
    QStringList identifiers;

    friend bool operator==(const PendingChange &, const PendingChange &) = default;
};

// A folder of changes, one small file each, written whole (StoredFile) so that
// the reader never sees half of one. Names are unique and sort in the order
// this process made the changes.
class PendingInbox {
public:
    explicit PendingInbox(QString folder);

    const QString &folder() const { return m_folder; }

    // False when it could not be written.
    bool put(const PendingChange &change);

    struct Entry {
        QString name;
        PendingChange change;
    };
    // Oldest first. A file that does not decode is set aside and left out.
    std::vector<Entry> read() const;
    void remove(const QString &name) const;

private:
    QString m_folder;
};
