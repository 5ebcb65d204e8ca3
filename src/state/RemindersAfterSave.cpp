// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RemindersAfterSave.h"

#include <algorithm>
#include <iterator>

void RemindersAfterSave::schedule(const TodoItem &item, double at, quint64 generation)
{
    m_scheduled.push_back({generation, item, at});
}

void RemindersAfterSave::restore(QStringList identifiers, quint64 generation)
{
    m_restores.emplace_back(generation, std::move(identifiers));
}

void RemindersAfterSave::dropScheduled(const Uuid &id)
{
    std::erase_if(m_scheduled,
                  [&id](const WaitingReminder &waiting) { return waiting.item.id() == id; });
}

void RemindersAfterSave::dropScheduled(const std::unordered_set<Uuid, UuidHash> &ids)
{
    std::erase_if(m_scheduled,
                  [&](const WaitingReminder &waiting) { return ids.contains(waiting.item.id()); });
}

void RemindersAfterSave::dropRestore(const Uuid &id)
{
    for (auto &[unused, identifiers] : m_restores)
        identifiers.removeAll(QString::fromStdString(id.uuidString()));
}

void RemindersAfterSave::listSaved(quint64 generation)
{
    const auto saved = std::stable_partition(
        m_scheduled.begin(), m_scheduled.end(),
        [generation](const WaitingReminder &waiting) { return waiting.generation <= generation; });
    std::vector<WaitingReminder> due(std::make_move_iterator(m_scheduled.begin()),
                                     std::make_move_iterator(saved));
    m_scheduled.erase(m_scheduled.begin(), saved);
    for (const WaitingReminder &waiting : due)
        m_reminders.scheduleReminder(waiting.item, waiting.at);
    while (!m_restores.empty() && m_restores.front().first <= generation) {
        const QStringList identifiers = std::move(m_restores.front().second);
        m_restores.erase(m_restores.begin());
        if (!identifiers.isEmpty())
            m_reminders.restoreReminders(identifiers);
    }
}
