// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CalendarServer.h"
#include "SyncJournal.h"
#include "SyncState.h"
#include "VTodoMapping.h"

#include <Clock.h>
#include <LocalCalendar.h>

#include <functional>
#include <vector>

// What one sync brought: the changes for the local list, to be applied
// whatever the status (`appliedOutcome`).
struct SyncOutcome {
    enum class Status {
        done,
        // Stopped at a server error; what was taken stays taken, the rest waits.
        failed,
        // The server would remove more than half of a list of 10 or more: none
        // of its changes is applied. `heldRemovals` says which would go; sync
        // again with `allowMassRemoval` once the user agrees.
        needsConfirmation,
    };
    Status status = Status::done;
    ServerError error = ServerError::none;
    // New or changed on the server (or merged here) and shown in the list.
    std::vector<ServerTodo> upserts;
    // Gone from the server, or no longer shown (completed, no due time).
    std::vector<Uuid> removals;
    std::vector<Uuid> heldRemovals;
    // Local changes the server took.
    int uploaded = 0;
};

// The list with a sync's changes: changed to-dos keep their place, new ones
// are appended, removed ones go.
std::vector<TodoItem> appliedOutcome(std::vector<TodoItem> list, const SyncOutcome &outcome);

// Two-way sync of the local list with one task list on a server.
//
// Local changes go into a journal on disk (`listChanged`) and a sync replays
// them in order until the server has taken each: a new to-do with
// If-None-Match, a change with If-Match over the last synced copy so other
// clients' properties stay, a removal with If-Match. A 412 fetches the server
// copy and merges field by field; a to-do changed on one side and removed on
// the other keeps the change. Then the server's changes come down (sync token,
// else ETags), and the outcome says what to apply to the list. Everything it
// remembers lives in files in `folder`, so a kill loses nothing and a replay
// after it duplicates nothing (hrefs come from UIDs, writes are conditional).
//
// Runs on one thread and never blocks: server calls answer later, and its
// files are written on a thread of their own, in order. A kill that loses the
// last writes loses no change: the next start journals what the list holds
// and the last synced list does not, and the server's copies settle the rest
// (conditional writes, merges).
//
// Not before the thread has a QCoreApplication: a failed write is told through
// its event loop.
class SyncEngine {
public:
    SyncEngine(CalendarServer &server, const QString &folder, const Clock &clock);

    // False when its files cannot be read: then nothing is synced.
    bool load();

    // Every new local list goes here; what changed is journaled at once, and
    // written in the background.
    bool listChanged(const std::vector<TodoItem> &list);

    // One sync; `done` is called once. A sync asked for while one runs fails
    // at once. `Status::failed` with no server error: the files could not be
    // written.
    void sync(std::function<void(SyncOutcome)> done, bool allowMassRemoval = false);
    bool isRunning() const { return static_cast<bool>(m_done); }
    // Keeps to-dos a sync held for removal (`heldRemovals`): their server
    // copies are forgotten and each goes up again as new with the next sync,
    // so no sync offers to remove them again. False when the files cannot be
    // written.
    bool keepHeldRemovals(const std::vector<Uuid> &ids);

    // Called after each local change the server takes: taken, still waiting.
    std::function<void(int, int)> progress;
    // Called when one of its files could not be written.
    std::function<void()> writeFailed;
    // Returns once its files hold everything asked of them so far.
    void finishWrites() { m_writer.finish(); }

    const SyncJournal &journal() const { return m_journal; }
    const SyncState &state() const { return m_state; }

private:
    void replayNext();
    void upload(LocalChange change, int attemptsLeft);
    void resolveConflict(LocalChange change, const QString &href, int attemptsLeft);
    void keepTheirs(const QString &href);
    void taken();
    void pull();
    void pullChanged(std::vector<ServerObject> changed, QStringList removed, QString token);
    void apply(const std::vector<ServerObject> &fetched, const QStringList &removed,
               const QString &token);
    void addMerged(SyncOutcome &outcome) const;
    bool writeFiles();
    void finish(SyncOutcome outcome);
    void fail(ServerError error);

    CalendarServer &m_server;
    const Clock &m_clock;
    SyncJournal m_journal;
    SyncState m_state;
    LocalCalendar m_calendar;
    std::function<void(SyncOutcome)> m_done;
    bool m_allowMassRemoval = false;
    int m_uploaded = 0;
    // Changes taken since the files were last written.
    int m_unsaved = 0;
    // To-dos the replay settled with the server (merged, or changed there and
    // so not removed), which the list has to take.
    std::vector<ServerTodo> m_merged;
    // Last, so that it ends, with every write done, before the files go.
    SyncFileWriter m_writer;
};
