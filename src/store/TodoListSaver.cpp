// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListSaver.h"

#include "TodoListStore.h"

#include <chrono>
#include <cstdio>
#include <sys/eventfd.h>
#include <unistd.h>

namespace {

constexpr qint64 minimumGapMs = 1000;

qint64 monotonicMs()
{
    return std::chrono::duration_cast<std::chrono::milliseconds>(
               std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

} // namespace

TodoListSaver::TodoListSaver(Preferences &preferences, TodoListRescue &rescue,
                             std::function<Snapshot()> snapshot, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_rescue(rescue),
      m_snapshot(std::move(snapshot)), m_wakeFd(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK))
{
    m_debounce.setSingleShot(true);
    connect(&m_debounce, &QTimer::timeout, this, &TodoListSaver::start);
    if (m_wakeFd >= 0) {
        m_wakeNotifier = std::make_unique<QSocketNotifier>(m_wakeFd, QSocketNotifier::Read);
        connect(m_wakeNotifier.get(), &QSocketNotifier::activated, this,
                &TodoListSaver::deliverResults);
    }
    m_thread = std::thread(&TodoListSaver::writeLoop, this);
}

TodoListSaver::~TodoListSaver()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
    }
    m_changed.notify_all();
    m_thread.join();
    m_wakeNotifier.reset();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void TodoListSaver::saveSoon(quint64 generation)
{
    m_wanted = std::max(m_wanted, generation);
    if (m_debounce.isActive())
        return;
    bool busy;
    {
        const std::lock_guard lock(m_mutex);
        busy = m_job.has_value();
    }
    // A write in flight schedules the next when it is told done.
    if (busy)
        return;
    m_debounce.start(static_cast<int>(
        std::clamp<qint64>(m_lastStartMs + minimumGapMs - monotonicMs(), 0, minimumGapMs)));
}

void TodoListSaver::start()
{
    if (m_wanted <= m_started)
        return;
    const std::lock_guard lock(m_mutex);
    if (m_job)
        return;
    m_started = m_wanted;
    m_lastStartMs = monotonicMs();
    m_job = Job{m_snapshot(), m_started};
    m_changed.notify_all();
}

void TodoListSaver::writeLoop()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_quit || (m_job && m_job->list); });
        if (m_quit)
            return;
        const Snapshot list = m_job->list;
        const quint64 generation = m_job->generation;
        lock.unlock();
        const Outcome outcome = store(*list);
        lock.lock();
        m_job.reset();
        m_results.push_back({generation, outcome});
        m_changed.notify_all();
        const quint64 one = 1;
        if (m_wakeFd >= 0)
            [[maybe_unused]] const ssize_t told = ::write(m_wakeFd, &one, sizeof one);
    }
}

TodoListSaver::Outcome TodoListSaver::store(const std::vector<TodoItem> &list)
{
    Outcome outcome = Outcome::stored;
    std::optional<QString> rescuedTo;
    if (!writeTodoList(m_preferences, list)) {
        rescuedTo = m_rescue.rescue(list);
        outcome = rescuedTo ? Outcome::rescued : Outcome::lost;
    }
    if (outcome != m_lastOutcome || rescuedTo != m_lastRescuePath) {
        if (rescuedTo)
            std::fprintf(stderr, "plimsa: could not save the to-do list; it was saved to %s\n",
                         qPrintable(*rescuedTo));
        else if (outcome == Outcome::lost)
            std::fputs("plimsa: could not save the to-do list anywhere; it is only in the open "
                       "window\n",
                       stderr);
        else if (m_lastOutcome)
            std::fputs("plimsa: the to-do list is saved again\n", stderr);
    }
    m_lastOutcome = outcome;
    m_lastRescuePath = rescuedTo;
    return outcome;
}

bool TodoListSaver::isWriting(const std::vector<TodoItem> *list) const
{
    const std::lock_guard lock(m_mutex);
    return m_job && m_job->list.get() == list;
}

void TodoListSaver::waitUntilIdle()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return !m_job; });
}

TodoListSaver::Outcome TodoListSaver::saveNow(const std::vector<TodoItem> &list,
                                              quint64 generation)
{
    m_debounce.stop();
    waitUntilIdle();
    deliverResults();
    if (m_stored == generation)
        return Outcome::stored;
    const Outcome outcome = store(list);
    if (outcome == Outcome::stored)
        m_stored = generation;
    m_started = std::max(m_started, generation);
    m_wanted = std::max(m_wanted, generation);
    emit saved(generation, outcome);
    return outcome;
}

void TodoListSaver::finishSavesForTesting()
{
    if (m_debounce.isActive()) {
        m_debounce.stop();
        start();
    }
    waitUntilIdle();
    deliverResults();
}

void TodoListSaver::deliverResults()
{
    quint64 count;
    if (m_wakeFd >= 0)
        [[maybe_unused]] const ssize_t read = ::read(m_wakeFd, &count, sizeof count);
    std::vector<Result> results;
    {
        const std::lock_guard lock(m_mutex);
        results.swap(m_results);
    }
    for (const Result &result : results) {
        if (result.outcome == Outcome::stored)
            m_stored = result.generation;
        emit saved(result.generation, result.outcome);
    }
    if (m_wanted > m_started)
        saveSoon(m_wanted);
}
