// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncWorker.h"

#include <QPointer>

#include <algorithm>
#include <iterator>
#include <unordered_set>

namespace {

// Enough to be worth a turn, few enough that the window's thread takes them
// well inside a frame with 100,000 to-dos in its list.
constexpr std::size_t sliceSize = 2000;

// Moves all but the last `sliceSize` or fewer of `items` before `kept` into
// slices, in order.
template <typename Item>
std::vector<std::vector<Item>> slicesAhead(std::vector<Item> &items,
                                           typename std::vector<Item>::iterator kept)
{
    std::vector<std::vector<Item>> slices;
    auto from = items.begin();
    while (kept - from > std::ptrdiff_t(sliceSize)) {
        slices.emplace_back(std::make_move_iterator(from),
                            std::make_move_iterator(from + sliceSize));
        from += sliceSize;
    }
    items.erase(items.begin(), from);
    return slices;
}

} // namespace

SyncWorker::SyncWorker(ServerMaker makeServer, QString folder, const Clock &clock,
                       ChangesTaker takeAhead, QObject *parent)
    : QObject(parent), m_home(new QObject), m_takeAhead(std::move(takeAhead))
{
    m_thread.setObjectName(QStringLiteral("sync"));
    m_home->moveToThread(&m_thread);
    // Both connections are made before the thread starts, which orders them.
    connect(this, &SyncWorker::workWaiting, m_home, [this] { runWork(); }, Qt::QueuedConnection);
    connect(this, &SyncWorker::answersWaiting, this, [this] { runAnswer(); },
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
    bool first = false;
    {
        const std::lock_guard lock(m_mutex);
        first = m_answers.empty();
        m_answers.push_back(std::move(answer));
    }
    if (first)
        emit answersWaiting();
}

void SyncWorker::runAnswer()
{
    std::function<void()> answer;
    {
        const std::lock_guard lock(m_mutex);
        if (m_answers.empty())
            return;
        answer = std::move(m_answers.front());
        m_answers.pop_front();
    }
    // An answer may end the worker.
    const QPointer alive(this);
    answer();
    if (!alive)
        return;
    // The next answer waits for a turn of the event loop, after what was
    // posted meanwhile (a frame of the window): not for the same turn, which
    // would take every answer already waiting.
    bool more = false;
    {
        const std::lock_guard lock(m_mutex);
        more = !m_answers.empty();
    }
    if (more)
        emit answersWaiting();
}

void SyncWorker::answerAhead(ListChanges &changes)
{
    std::vector<TodoItem> &upserts = changes.upserts;
    std::vector<Uuid> &removals = changes.removals;
    if (!m_takeAhead || (upserts.size() <= sliceSize && removals.size() <= sliceSize))
        return;
    // A to-do both changed and removed stays in the last slice, where the two
    // are weighed together as they always were.
    const std::unordered_set<Uuid, UuidHash> removed(removals.begin(), removals.end());
    const auto upsertsKept =
        std::stable_partition(upserts.begin(), upserts.end(),
                              [&](const TodoItem &item) { return !removed.contains(item.id()); });
    std::unordered_set<Uuid, UuidHash> changed;
    if (removals.size() > sliceSize) {
        for (const TodoItem &item : upserts)
            changed.insert(item.id());
    }
    const auto removalsKept = std::stable_partition(
        removals.begin(), removals.end(), [&](const Uuid &id) { return !changed.contains(id); });
    for (std::vector<TodoItem> &slice : slicesAhead(upserts, upsertsKept)) {
        ListChanges ahead;
        ahead.upserts = std::move(slice);
        answer([this, ahead = std::move(ahead)] { m_takeAhead(ahead); });
    }
    for (std::vector<Uuid> &slice : slicesAhead(removals, removalsKept)) {
        ListChanges ahead;
        ahead.removals = std::move(slice);
        answer([this, ahead = std::move(ahead)] { m_takeAhead(ahead); });
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
        if (changes)
            answerAhead(*changes);
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
                answerAhead(outcome);
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
        if (kept) {
            ListChanges back;
            back.upserts = std::move(*kept);
            answerAhead(back);
            kept = std::move(back.upserts);
        }
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
