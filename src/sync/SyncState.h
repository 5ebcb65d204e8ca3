// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncDatabase.h"

#include <TodoItem.h>

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

// One to-do as last synced: where it lives on the server, its ETag there and
// the server's text of it, the common ground of a three-way merge.
struct SyncedCopy {
    QString href;
    // None for an object that holds no to-do Plimsa reads.
    std::optional<Uuid> id;
    QString etag;
    QByteArray text;
};

// What a pull brought for one to-do: its new form, or none when it went.
struct PulledChange {
    Uuid id;
    std::optional<TodoItem> item;
};

// What sync remembers of the server between runs: the list's sync token, the
// last synced copy of each to-do, the copies of removed to-dos while an undo
// may still want them, and what the last pull brought until the stored list
// holds it. Reads and writes go to the database one row at a time; writes
// belong in the caller's transaction.
//
// Not thread-safe; every call blocks on the disk.
class SyncState {
public:
    explicit SyncState(SyncDatabase &database) : m_database(database) {}

    QString syncToken();
    bool setSyncToken(const QString &token);

    std::optional<SyncedCopy> copyAt(const QString &href);
    std::optional<SyncedCopy> copyOf(const Uuid &id);
    QString hrefOf(const Uuid &id);
    bool putCopy(const SyncedCopy &copy);
    bool removeCopy(const QString &href);
    bool hasCopies();
    qint64 copyCount();
    // Every copy's href and ETag, without their texts.
    void forEachCopy(const std::function<void(const QString &href, const QString &etag)> &visit);
    // Forgets every copy of these to-dos, so that they go up again as new.
    bool forgetCopies(const std::vector<Uuid> &ids);

    // A removed to-do's last copy, kept while its removal can be undone.
    bool keepRemoved(const SyncedCopy &copy, double now);
    std::optional<SyncedCopy> removedCopy(const Uuid &id);
    bool forgetRemoved(const Uuid &id);
    bool forgetRemovedBefore(double time);

    // What pulls brought, until the stored list holds it: recorded with the
    // pull, so that a kill before the list is written cannot make the next
    // start take the pulled to-dos for removals made here. `recordPull`
    // answers the mark that `pullStored` later takes, 0 for nothing recorded.
    std::optional<qint64> recordPull(const std::vector<PulledChange> &changes);
    // What waits, in order, with the mark of its last change.
    std::pair<std::vector<PulledChange>, qint64> pendingPull();
    bool pullStored(qint64 mark);

    // How many local changes the upload under way had when it began, so
    // that its progress counts the whole of it across a restart.
    qint64 uploadTotal();
    bool setUploadTotal(qint64 total);

private:
    std::optional<SyncedCopy> copyFrom(SyncDatabase::Query &query);

    SyncDatabase &m_database;
};
