// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DoneOrder.h"

#include <algorithm>

namespace {

// Of two done at the same second, the later in the list counts as newer.
bool older(const DoneOrder::Entry &a, const DoneOrder::Entry &b)
{
    return a.at < b.at || (a.at == b.at && a.offset < b.offset);
}

} // namespace

void DoneOrder::reset(std::vector<Entry> entries)
{
    m_ascending = std::move(entries);
    if (!std::is_sorted(m_ascending.begin(), m_ascending.end(), older))
        std::sort(m_ascending.begin(), m_ascending.end(), older);
}

int DoneOrder::placeOf(double at, int offset) const
{
    const Entry wanted{at, offset};
    const auto found = std::lower_bound(m_ascending.begin(), m_ascending.end(), wanted, older);
    if (found == m_ascending.end() || found->at != at || found->offset != offset)
        return -1;
    return count() - 1 - static_cast<int>(found - m_ascending.begin());
}

int DoneOrder::placeFor(const Entry &entry) const
{
    const auto at = std::upper_bound(m_ascending.begin(), m_ascending.end(), entry, older);
    return static_cast<int>(m_ascending.end() - at);
}

void DoneOrder::insert(const Entry &entry)
{
    m_ascending.insert(std::upper_bound(m_ascending.begin(), m_ascending.end(), entry, older),
                       entry);
}

void DoneOrder::merge(std::vector<Entry> entries)
{
    std::sort(entries.begin(), entries.end(), older);
    const auto middle = m_ascending.insert(m_ascending.end(), entries.begin(), entries.end());
    std::inplace_merge(m_ascending.begin(), middle, m_ascending.end(), older);
}

void DoneOrder::erase(int first, int last)
{
    const auto end = m_ascending.end();
    m_ascending.erase(end - 1 - last, end - first);
}

void DoneOrder::erase(std::vector<int> places)
{
    std::vector<bool> taken(m_ascending.size());
    for (int place : places)
        taken[m_ascending.size() - 1 - static_cast<std::size_t>(place)] = true;
    std::size_t kept = 0;
    for (std::size_t index = 0; index < m_ascending.size(); ++index) {
        if (!taken[index])
            m_ascending[kept++] = m_ascending[index];
    }
    m_ascending.resize(kept);
}

void DoneOrder::closeUp(const QList<int> &ascending)
{
    for (Entry &entry : m_ascending)
        entry.offset -= static_cast<int>(
            std::lower_bound(ascending.begin(), ascending.end(), entry.offset) - ascending.begin());
}

void DoneOrder::shift(int from, int by)
{
    for (Entry &entry : m_ascending) {
        if (entry.offset >= from)
            entry.offset += by;
    }
}
