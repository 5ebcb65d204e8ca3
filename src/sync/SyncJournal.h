// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncFileWriter.h"

#include <StoredFile.h>
#include <TodoItem.h>

#include <deque>
#include <memory>
#include <vector>

// One change of the local list that the server has not taken yet.
struct LocalChange {
    enum class Kind { save, remove };
    Kind kind;
    TodoItem item;
    // When it was made, against the server's LAST-MODIFIED in a conflict.
    double time;
};

// The local changes waiting for the server, in the order they were made, with
// the list as last seen so that the next list tells what changed. Kept in one
// file, replaced whole with each change of the list (`StoredFile`), so a kill
// at any moment leaves either the change journaled or not, never half. Taken
// changes reach the file at the next `save`: until then a kill replays them.
//
// Not thread-safe; every call that changes it blocks on the write, unless it
// is given a writer, which then writes in the background (a write's failure
// is then told by the writer).
class SyncJournal {
public:
    explicit SyncJournal(QString path);
    void setWriter(SyncFileWriter *writer) { m_writer = writer; }

    // False when the file exists but cannot be read; it is then held back and
    // nothing is journaled over it.
    bool load();

    const std::deque<LocalChange> &changes() const { return m_changes; }
    const std::vector<TodoItem> &knownList() const { return *m_known; }

    // Journals what differs between the list last seen and `list`: a save for
    // each new or changed to-do, a removal for each one gone.
    bool listChanged(const std::vector<TodoItem> &list, double now);
    // The list as it now is after server changes, which are not local ones.
    bool setKnownList(std::vector<TodoItem> list);
    // Journals a save of each listed to-do with one of these ids, as if made
    // here now: the server has to take them again.
    bool resend(const std::vector<Uuid> &ids, double now);
    // The server has taken the first change; on disk once `save` runs.
    void dropFirst();
    bool save();

private:
    StoredFile m_file;
    SyncFileWriter *m_writer = nullptr;
    // Shared with a write under way, which encodes it on the writer's thread.
    std::shared_ptr<const std::vector<TodoItem>> m_known =
        std::make_shared<const std::vector<TodoItem>>();
    std::deque<LocalChange> m_changes;
};
