// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncDatabase.h"

#include <TodoItem.h>

#include <deque>
#include <functional>
#include <optional>
#include <unordered_map>
#include <vector>

// One change of the local list that the server has not taken yet.
struct LocalChange {
    enum class Kind { save, remove };
    Kind kind;
    TodoItem item;
    // When it was made, against the server's LAST-MODIFIED in a conflict.
    double time;
    // Its place in the journal.
    qint64 seq = 0;
};

// A change the server refused for good, set aside until the user asks to try
// again; the to-do stays in the list as it is here.
struct SetAsideChange {
    LocalChange change;
    // What the server said of it.
    QString message;
};

// The local changes waiting for the server, in the order they were made, and
// the list as sync last knew it (the ground against which a list read at a
// start tells what changed while no one journaled). Each call that changes it
// writes only that change (`SyncDatabase`); one that fails leaves the journal
// as it was.
//
// A save folds into the to-do's last waiting save, unless that one is on its
// way to the server: a change made while its own upload is out is a change of
// its own, so the answer to the upload cannot take it along.
//
// Not thread-safe; every call that changes it blocks on the disk.
class SyncJournal {
public:
    explicit SyncJournal(SyncDatabase &database) : m_database(database) {}

    bool load();

    const std::deque<LocalChange> &changes() const { return m_changes; }
    const std::vector<SetAsideChange> &setAside() const { return m_setAside; }
    // Whether a change of this to-do waits, here or set aside.
    bool isWaiting(const Uuid &id) const;
    // The last change of this to-do that waits, if any.
    const LocalChange *lastChangeOf(const Uuid &id) const;

    // Journals saves (new or changed to-dos) and removals made `now`, and the
    // known list follows them. To-dos kept on this machine only are left out.
    bool record(const std::vector<TodoItem> &saved, const std::vector<TodoItem> &removed,
                double now);
    // The first change is being sent: no save folds into it from now on.
    void sending(qint64 seq) { m_sending = seq; }
    // The server took the change; within the caller's transaction. Set-aside
    // changes of the to-do made before it go too: it supersedes them.
    bool take(qint64 seq);
    // The server refused the change for good; within the caller's transaction.
    bool putAside(qint64 seq, const QString &message);
    // The change now carries `item` instead; within the caller's transaction.
    bool rebase(qint64 seq, const TodoItem &item);
    // Every set-aside change waits again, in its old place.
    bool retrySetAside();
    // Drops the waiting removals of these to-dos (the user kept them), and
    // puts them back in the known list; within the caller's transaction.
    bool dropRemovals(const std::vector<TodoItem> &kept);
    // Journals a save of each of these known to-dos, as if made now.
    bool resend(const std::vector<Uuid> &ids, double now);

    // The known list.
    std::optional<TodoItem> known(const Uuid &id);
    qint64 knownCount();
    // Every known to-do, in the list's order.
    void forEachKnown(const std::function<void(TodoItem)> &visit);
    // Within the caller's transaction.
    bool putKnown(const TodoItem &item);
    bool removeKnown(const Uuid &id);

private:
    bool append(LocalChange::Kind kind, const TodoItem &item, double now);
    std::size_t indexOf(qint64 seq) const;

    SyncDatabase &m_database;
    std::deque<LocalChange> m_changes;
    std::vector<SetAsideChange> m_setAside;
    // The seq of each to-do's last waiting change.
    std::unordered_map<Uuid, qint64, UuidHash> m_last;
    std::optional<qint64> m_sending;
};
