// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncEngine.h"

#include <QObject>
#include <QThread>

#include <deque>
#include <functional>
#include <memory>
#include <mutex>

// The sync engine and the server it talks to on a thread of their own, so
// that the server's answers are read and merged, and the database written,
// without holding up the thread that asks (the window's): it only hands over
// changes and takes finished ones.
//
// Every call returns at once and its answer comes later, once, on the thread
// that made the worker, unless the worker is gone by then. Going waits for
// the worker's thread to end, which aborts a request under way.
class SyncWorker : public QObject {
    Q_OBJECT
public:
    using Snapshot = std::shared_ptr<const std::vector<TodoItem>>;
    // Runs on the worker's thread, which the server then lives on.
    using ServerMaker = std::function<std::unique_ptr<CalendarServer>()>;
    using ChangesTaker = std::function<void(const ListChanges &)>;

    // `clock` is read on the worker's thread. With `takeAhead`, the changes an
    // answer brings for the list come in slices when there are many: all but
    // the last to `takeAhead`, each in a turn of the asking thread's event
    // loop of its own, so that a window there draws in between; the answer
    // brings the last.
    SyncWorker(ServerMaker makeServer, QString folder, const Clock &clock,
               ChangesTaker takeAhead = {}, QObject *parent = nullptr);
    ~SyncWorker() override;

    // Opens the engine's database: false when it cannot be; the path of an
    // unreadable one it set aside, if any.
    void load(std::function<void(bool, std::optional<QString>)> done);
    void reconcile(Snapshot list, bool listWasRead,
                   std::function<void(std::optional<ListChanges>)> done);
    void record(std::vector<TodoItem> saved, std::vector<TodoItem> removed,
                std::function<void(bool)> done);
    void listStored(qint64 pullMark);
    void sync(bool allowMassRemoval, std::function<void(SyncOutcome)> done);
    void keepHeldRemovals(std::vector<Uuid> ids,
                          std::function<void(std::optional<std::vector<TodoItem>>)> done);
    void retrySetAside(std::function<void(bool)> done);

signals:
    // Local changes the server has taken and still waits for, while syncing.
    void progress(int taken, int waiting);
    // Hand-overs between the two threads wait in their queue.
    void workWaiting();
    void answersWaiting();

private:
    // Runs `work` with the engine on the worker's thread.
    void onWorker(std::function<void(SyncEngine &)> work);
    void post(std::function<void()> work);
    // Runs `answer` on the thread that made the worker.
    void answer(std::function<void()> answer);
    void runWork();
    void runAnswer();
    // On the worker's thread: answers all but the last slice of `changes`.
    void answerAhead(ListChanges &changes);

    QThread m_thread;
    // Lives on the worker's thread; owns the server and the engine there.
    QObject *m_home;
    std::unique_ptr<CalendarServer> m_server;
    std::unique_ptr<SyncEngine> m_engine;
    const ChangesTaker m_takeAhead;
    // What one thread hands the other goes through these, under a lock of the
    // standard library's, so that the order is plain to see (also to
    // ThreadSanitizer, which cannot see inside Qt's own event queue).
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_work;
    std::deque<std::function<void()>> m_answers;
};
