// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CalendarServer.h"
#include "SyncDatabase.h"
#include "SyncJournal.h"
#include "SyncState.h"
#include "VTodoMapping.h"

#include <Clock.h>
#include <LocalCalendar.h>

#include <functional>
#include <set>
#include <vector>

// Changes the list has to take from sync: changed to-dos keep their place, new
// ones are appended in the order given, removed ones go.
struct ListChanges {
    std::vector<TodoItem> upserts;
    std::vector<Uuid> removals;
    // Once the stored list holds these, `SyncEngine::listStored` with it.
    qint64 pullMark = 0;
    bool empty() const { return upserts.empty() && removals.empty(); }
};

// What one sync brought: the changes for the local list, to be applied
// whatever the status.
struct SyncOutcome : ListChanges {
    enum class Status {
        done,
        // Stopped at a server error; what was taken stays taken, the rest waits.
        failed,
        // More than half of a list of 10 or more would go, removed on the
        // server or here: none of those removals is made. `heldRemovals` says
        // which; sync again with `allowMassRemoval` once the user agrees, or
        // keep them (`keepHeldRemovals`).
        needsConfirmation,
    };
    Status status = Status::done;
    ServerError error = ServerError::none;
    // The server's words for a refusal.
    QString message;
    std::vector<Uuid> heldRemovals;
    // Whether those were removed here rather than on the server.
    bool removalsHeldHere = false;
    // Local changes the server refused for good, set aside until
    // `retrySetAside`.
    std::vector<SetAsideChange> refused;
    // Local changes the server took.
    int uploaded = 0;
};

// The list with changes from sync.
std::vector<TodoItem> appliedChanges(std::vector<TodoItem> list, const ListChanges &changes);

// Two-way sync of the local list with one task list on a server.
//
// Local changes go into a journal on disk as they are made (`record`), and a
// sync replays them in order until the server has taken each: a new to-do with
// If-None-Match, a change with If-Match over the last synced copy so other
// clients' properties stay, a removal with If-Match. A 412 fetches the server
// copy and merges field by field; a to-do changed on one side and removed on
// the other keeps the change. A change the server refuses for good is set
// aside, and the rest goes on. Then the server's changes come down (sync
// token, else ETags), and the outcome says what to apply to the list. A first
// sync lists the server before it sends anything, so that a to-do already
// there (under any href) is merged, never sent again as new.
//
// What it remembers lives in one database in `folder`, written a change at a
// time, so a kill loses nothing and a replay after it duplicates nothing
// (conditional writes). A pull is recorded until the stored list holds it,
// so a kill in between cannot turn pulled to-dos into removals here.
//
// Runs on one thread, the one of its server, and never waits for the server;
// it blocks on its database.
class SyncEngine {
public:
    SyncEngine(CalendarServer &server, const QString &folder, const Clock &clock);

    // False when its database cannot be opened: then nothing is synced.
    bool load();
    // Where a database it could not read went (it began anew).
    const std::optional<QString> &setAsideDatabase() const { return m_database.setAside(); }

    // Journals changes of the list as they were made here.
    bool record(const std::vector<TodoItem> &saved, const std::vector<TodoItem> &removed);
    // Compares the list as stored with the list as sync last knew it, and
    // journals what differs (a kill may have lost journal writes). What the
    // last pull brought and the stored list may lack comes back first. A list
    // that was not read from disk (`listWasRead` false) journals no removal:
    // what sync knew comes back into it instead. Answers what the list has to
    // take; none when the database cannot be written.
    std::optional<ListChanges> reconcile(const std::vector<TodoItem> &list, bool listWasRead);
    // The same for a list that was read, taking none of its answer back: for
    // tests and benchmarks that hand over whole lists.
    bool listChanged(const std::vector<TodoItem> &list);
    // The stored list holds what the changes with this mark brought.
    void listStored(qint64 pullMark);

    // One sync; `done` is called once. A sync asked for while one runs fails
    // at once. `Status::failed` with no server error: the database could not
    // be written.
    void sync(std::function<void(SyncOutcome)> done, bool allowMassRemoval = false);
    bool isRunning() const { return static_cast<bool>(m_done); }
    // Keeps to-dos whose removal a sync held (`heldRemovals`). Removed on the
    // server: their server copies are forgotten and each goes up again as new.
    // Removed here: the removals are dropped. Answers the to-dos the list has
    // to take back; none when the database cannot be written.
    std::optional<std::vector<TodoItem>> keepHeldRemovals(const std::vector<Uuid> &ids);
    // Changes the server refused go again with the next sync.
    bool retrySetAside() { return m_journal.retrySetAside(); }

    // Called after each local change the server takes: taken, still waiting.
    std::function<void(int, int)> progress;

    SyncJournal &journal() { return m_journal; }
    SyncState &state() { return m_state; }

private:
    void nextStep();
    void replayNext();
    const LocalChange *nextChange() const;
    void upload(LocalChange change, int attemptsLeft);
    void uploadRemoval(const LocalChange &change);
    void resolveConflict(LocalChange change, const QString &href, int attemptsLeft);
    void keepTheirs(const LocalChange &change, const QString &href);
    // The server took `change`: it leaves the journal, with what `alsoWrite`
    // writes, in one transaction. False when that failed, and the sync with it.
    bool taken(const LocalChange &change, const std::function<bool()> &alsoWrite);
    void refused(const LocalChange &change, const QString &message);
    void pull();
    void pullChanged(std::vector<ServerObject> changed, QStringList removed, QString token);
    void apply(const std::vector<ServerObject> &fetched, const QStringList &removed,
               const QString &token);
    // The server's copy after `change` went up over a conflict; within the
    // caller's transaction.
    bool merged(const LocalChange &change, const ServerTodo &todo);
    bool writeMerged(SyncOutcome &outcome);
    void finish(SyncOutcome outcome);
    void fail(ServerError error, const QString &message = {});
    void reportProgress();
    std::optional<ServerTodo> read(const QByteArray &text) const;

    CalendarServer &m_server;
    const Clock &m_clock;
    QString m_folder;
    SyncDatabase m_database;
    SyncJournal m_journal;
    SyncState m_state;
    LocalCalendar m_calendar;
    std::function<void(SyncOutcome)> m_done;
    enum class Step { replay, pull };
    std::vector<Step> m_steps;
    bool m_allowMassRemoval = false;
    int m_uploaded = 0;
    // The change last sent, so that the replay goes on after it.
    qint64 m_lastSent = 0;
    // Removals made here that wait for the user's word.
    std::set<qint64> m_heldLocal;
    std::vector<Uuid> m_heldLocalIds;
    // To-dos the replay settled with the server (merged, or changed there and
    // so not removed), which the list has to take.
    std::vector<TodoItem> m_merged;
    std::vector<Uuid> m_mergedAway;
    // What this sync's pull brought.
    ListChanges m_pulled;
};
