// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <ReminderScheduler.h>
#include <TodoItem.h>

#include <QStringList>

#include <unordered_set>
#include <utility>
#include <vector>

// Reminders that wait for their to-dos to be on disk, so that after a crash
// no reminder comes for a to-do that was not kept. Each waits for the save of
// the list's generation it was asked at, whatever that save's outcome: a list
// the store could not keep was rescued or is still open, and its reminders
// are still wanted. Lives on the UI thread.
class RemindersAfterSave {
public:
    explicit RemindersAfterSave(ReminderScheduler &reminders) : m_reminders(reminders) {}

    // `item`'s reminder at `at`, once the list of `generation` is saved.
    void schedule(const TodoItem &item, double at, quint64 generation);
    // Asks the service to bring back those of `identifiers` that were pending
    // when withdrawn, once the list of `generation` is saved.
    void restore(QStringList identifiers, quint64 generation);

    // A waiting reminder of the to-do of `id` (or of `ids`) is for the to-do
    // as it was: it is dropped.
    void dropScheduled(const Uuid &id);
    void dropScheduled(const std::unordered_set<Uuid, UuidHash> &ids);
    void dropAllScheduled() { m_scheduled.clear(); }
    void dropRestore(const Uuid &id);

    // The list of `generation` is saved: what waited for it goes out.
    void listSaved(quint64 generation);

private:
    struct WaitingReminder {
        quint64 generation;
        TodoItem item;
        double at;
    };

    ReminderScheduler &m_reminders;
    std::vector<WaitingReminder> m_scheduled;
    std::vector<std::pair<quint64, QStringList>> m_restores;
};
