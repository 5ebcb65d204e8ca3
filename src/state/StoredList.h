// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Preferences.h>
#include <TodoItem.h>
#include <TodoListReadAhead.h>
#include <TodoListRescue.h>
#include <TodoListSaver.h>

#include <QObject>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

// The list as it stands and its way to disk: every change is saved within a
// second from a snapshot on the writer's thread, and at once when asked; a
// list the store cannot keep goes to a rescue file. Also knows the rescue
// file newer than the stored list, until it is restored or dismissed.
// Lives on the UI thread.
class StoredList : public QObject {
    Q_OBJECT

public:
    StoredList(Preferences &preferences, TodoListRescue &rescue, QObject *parent = nullptr);

    const std::vector<TodoItem> &items() const { return *m_items; }
    // The list as it stands, for another thread to read while this one goes on.
    std::shared_ptr<const std::vector<TodoItem>> snapshot() const { return m_items; }
    // The list to change in place: a copy while a snapshot of it is held.
    std::vector<TodoItem> &editableItems();
    // Takes `items` as the list, unsaved.
    void replace(std::vector<TodoItem> items);
    // The list changed: saved within a second. Does not block.
    void saveSoon();
    // Counts the changes; `saved` names the last one on disk.
    quint64 generation() const { return m_generation; }

    // While another process may write the stored list, changes wait in memory
    // (`saveSoon` only counts them) until `releaseSaves`; blocking saves are
    // the caller's to hold back.
    void holdSaves() { m_savesHeld = true; }
    bool savesHeld() const { return m_savesHeld; }
    void releaseSaves();
    // Whether the stored list was written or replaced since it was last read.
    bool changedSinceRead() const;

    // Reads from `readAhead`, which reads the same store, instead.
    void setReadAhead(TodoListReadAhead *readAhead) { m_readAhead = readAhead; }
    // The stored list, once no write is in flight; none when nothing is
    // stored or it cannot be read.
    std::optional<std::vector<TodoItem>> read();
    // Learns of a rescue file newer than the stored list.
    void findNewerRescue();

    // Writes the list now, blocking. When the store cannot keep it, it goes to
    // a rescue file instead and one line on stderr says where. True when the
    // store took it.
    bool saveNow();
    // Saves before the user closes the window: false when the list could be
    // kept nowhere.
    bool saveBeforeClose();
    // A checkpoint of the desktop session: saves, once per change.
    void saveForCheckpoint();
    // Saves, unless a checkpoint saved the list as it stands.
    void saveUnlessCheckpointed();
    // Starts the save that waits and blocks until it is done and told.
    void finishSavesForTesting() { m_saver.finishSavesForTesting(); }

    // A rescue file newer than the stored list, found by `findNewerRescue`,
    // until it is taken or dismissed.
    const std::optional<QString> &newerRescue() const { return m_newerRescue; }
    // The newer rescue file's list, when it can be read; either way the file
    // is offered no more.
    std::optional<std::vector<TodoItem>> takeRescue();
    void dismissRescue();

signals:
    // Changes up to `generation` are stored, rescued or could be kept nowhere.
    void saved(quint64 generation);
    // Changes up to `generation` are in the store.
    void stored(quint64 generation);
    void newerRescueChanged();

private:
    Preferences &m_preferences;
    TodoListRescue &m_rescue;
    TodoListReadAhead *m_readAhead = nullptr;
    std::shared_ptr<std::vector<TodoItem>> m_items = std::make_shared<std::vector<TodoItem>>();
    quint64 m_generation = 0;
    bool m_savesHeld = false;
    bool m_saveWaits = false;
    QByteArray m_readRevision;
    // The store holds the list as it stands.
    bool m_savedByCheckpoint = false;
    std::optional<QString> m_newerRescue;
    TodoListSaver m_saver;
};
