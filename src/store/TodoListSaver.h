// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "Preferences.h"
#include "TodoListRescue.h"

#include <TodoItem.h>

#include <QObject>
#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

// Keeps the stored list up to date while the app runs: each change is written
// within a second, at most once a second, the last state winning.
//
// Encoding and writing happen on a writer thread of its own from a snapshot,
// so the UI thread never waits for the disk. A list the store cannot keep goes
// to the rescue file, with one line on stderr saying where (or that it could not
// be kept) each time that changes.
//
// Does not guarantee anything for changes after the last `saveSoon` when the
// process dies. Lives on the UI thread; the writer thread touches no Qt object
// but `Preferences`, which it uses only while a write is in flight.
class TodoListSaver : public QObject {
    Q_OBJECT

public:
    using Snapshot = std::shared_ptr<const std::vector<TodoItem>>;
    enum class Outcome { stored, rescued, lost };

    // `snapshot` is called on the UI thread when a write starts.
    TodoListSaver(Preferences &preferences, TodoListRescue &rescue,
                  std::function<Snapshot()> snapshot, QObject *parent = nullptr);
    ~TodoListSaver() override;

    // The list changed up to `generation`: written soon. Does not block.
    void saveSoon(quint64 generation);
    // Writes `list` now, after any write in flight, and drops what waited;
    // nothing when the writer already stored `generation`. Blocks until it is
    // on disk (or rescued, or lost).
    Outcome saveNow(const std::vector<TodoItem> &list, quint64 generation);
    // Whether the writer is reading `list`, which must then not change.
    bool isWriting(const std::vector<TodoItem> *list) const;
    // Blocks until no write is in flight.
    void waitUntilIdle();

    // Starts what waits at once and blocks until it is written and told.
    void finishSavesForTesting();

signals:
    // Changes up to `generation` are stored, rescued or lost.
    void saved(quint64 generation, TodoListSaver::Outcome outcome);

private:
    struct Job {
        Snapshot list;
        quint64 generation = 0;
    };
    struct Result {
        quint64 generation = 0;
        Outcome outcome = Outcome::stored;
    };

    void start();
    void writeLoop();
    // Encodes and stores one list; says on stderr where it went when that changes.
    Outcome store(const std::vector<TodoItem> &list);
    void deliverResults();

    Preferences &m_preferences;
    TodoListRescue &m_rescue;
    std::function<Snapshot()> m_snapshot;
    QTimer m_debounce;
    qint64 m_lastStartMs = 0;
    quint64 m_wanted = 0;
    quint64 m_started = 0;
    std::optional<quint64> m_stored;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<Job> m_job;
    std::vector<Result> m_results;
    bool m_quit = false;
    std::optional<Outcome> m_lastOutcome;
    std::optional<QString> m_lastRescuePath;

    int m_wakeFd;
    std::unique_ptr<QSocketNotifier> m_wakeNotifier;
    std::thread m_thread;
};
