// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncWorker.h"

SyncWorker::SyncWorker(ServerMaker makeServer, QString folder, const Clock &clock,
                       QObject *parent)
    : QObject(parent), m_home(new QObject)
{
    m_thread.setObjectName(QStringLiteral("sync"));
    m_home->moveToThread(&m_thread);
    // Both connections are made before the thread starts, which orders them.
    connect(this, &SyncWorker::workWaiting, m_home, [this] { runWork(); }, Qt::QueuedConnection);
    connect(this, &SyncWorker::answersWaiting, this, [this] { runAnswers(); },
            Qt::QueuedConnection);
    connect(&m_thread, &QThread::finished, m_home, &QObject::deleteLater);
    post([this, makeServer = std::move(makeServer), folder = std::move(folder), &clock] {
        m_server = makeServer();
        m_engine = std::make_unique<SyncEngine>(*m_server, folder, clock);
        m_engine->progress = [this](int taken, int waiting) {
            answer([this, taken, waiting] { emit progress(taken, waiting); });
        };
    });
    m_thread.start();
}

SyncWorker::~SyncWorker()
{
    // The engine first, then its server, both on their own thread; answers
    // still on their way to this thread are dropped with it.
    post([this] {
        m_engine.reset();
        m_server.reset();
        m_thread.quit();
    });
    m_thread.wait();
}

void SyncWorker::onWorker(std::function<void(SyncEngine &)> work)
{
    post([this, work = std::move(work)] { work(*m_engine); });
}

void SyncWorker::post(std::function<void()> work)
{
    {
        const std::lock_guard lock(m_mutex);
        m_work.push_back(std::move(work));
    }
    emit workWaiting();
}

void SyncWorker::runWork()
{
    for (;;) {
        std::function<void()> work;
        {
            const std::lock_guard lock(m_mutex);
            if (m_work.empty())
                return;
            work = std::move(m_work.front());
            m_work.pop_front();
        }
        work();
    }
}

void SyncWorker::answer(std::function<void()> answer)
{
    {
        const std::lock_guard lock(m_mutex);
        m_answers.push_back(std::move(answer));
    }
    emit answersWaiting();
}

void SyncWorker::runAnswers()
{
    for (;;) {
        std::function<void()> answer;
        {
            const std::lock_guard lock(m_mutex);
            if (m_answers.empty())
                return;
            answer = std::move(m_answers.front());
            m_answers.pop_front();
        }
        answer();
    }
}

void SyncWorker::load(std::function<void(bool, std::optional<QString>)> done)
{
    onWorker([this, done = std::move(done)](SyncEngine &engine) {
        const bool loaded = engine.load();
        answer([done, loaded, aside = engine.setAsideDatabase()] { done(loaded, aside); });
    });
}

void SyncWorker::reconcile(Snapshot list, bool listWasRead,
                           std::function<void(std::optional<ListChanges>)> done)
{
    onWorker([this, list = std::move(list), listWasRead,
              done = std::move(done)](SyncEngine &engine) mutable {
        auto changes = engine.reconcile(*list, listWasRead);
        // The snapshot goes here, not on the asking thread, which may be
        // waiting to change the list it shares.
        list.reset();
        answer([done, changes = std::move(changes)] { done(changes); });
    });
}

void SyncWorker::record(std::vector<TodoItem> saved, std::vector<TodoItem> removed,
                        std::function<void(bool)> done)
{
    onWorker([this, saved = std::move(saved), removed = std::move(removed),
              done = std::move(done)](SyncEngine &engine) {
        const bool recorded = engine.record(saved, removed);
        answer([done, recorded] { done(recorded); });
    });
}

void SyncWorker::listStored(qint64 pullMark)
{
    onWorker([pullMark](SyncEngine &engine) { engine.listStored(pullMark); });
}

void SyncWorker::sync(bool allowMassRemoval, std::function<void(SyncOutcome)> done)
{
    onWorker([this, allowMassRemoval, done = std::move(done)](SyncEngine &engine) {
        engine.sync(
            [this, done](SyncOutcome outcome) {
                answer([done, outcome = std::move(outcome)] { done(outcome); });
            },
            allowMassRemoval);
    });
}

void SyncWorker::keepHeldRemovals(std::vector<Uuid> ids,
                                  std::function<void(std::optional<std::vector<TodoItem>>)> done)
{
    onWorker([this, ids = std::move(ids), done = std::move(done)](SyncEngine &engine) {
        auto kept = engine.keepHeldRemovals(ids);
        answer([done, kept = std::move(kept)] { done(kept); });
    });
}

void SyncWorker::retrySetAside(std::function<void(bool)> done)
{
    onWorker([this, done = std::move(done)](SyncEngine &engine) {
        const bool retried = engine.retrySetAside();
        answer([done, retried] { done(retried); });
    });
}
