// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QList>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <vector>

// Calls `run(first, last)` for each run of neighbours among `ascending`
// offsets, the last run first, so that removing each keeps the offsets of the
// runs still to go valid.
template <typename Run> void forEachRunFromLast(const QList<int> &ascending, Run run)
{
    for (qsizetype runEnd = ascending.size(); runEnd > 0;) {
        qsizetype runStart = runEnd - 1;
        while (runStart > 0 && ascending[runStart - 1] == ascending[runStart] - 1)
            --runStart;
        run(ascending[runStart], ascending[runEnd - 1]);
        runEnd = runStart;
    }
}

// `offsets` that fall within a list of `size`, each once, in ascending order.
inline QList<int> ascendingWithin(const QList<int> &offsets, std::size_t size)
{
    QList<int> ascending;
    for (int offset : offsets) {
        if (offset >= 0 && static_cast<std::size_t>(offset) < size)
            ascending.append(offset);
    }
    std::ranges::sort(ascending);
    ascending.erase(std::unique(ascending.begin(), ascending.end()), ascending.end());
    return ascending;
}

// Takes the elements at `ascending` offsets out of `items` in one pass; the
// rest keep their order.
template <typename Item> void eraseOffsets(std::vector<Item> &items, const QList<int> &ascending)
{
    std::size_t kept = 0;
    qsizetype next = 0;
    for (std::size_t offset = 0; offset < items.size(); ++offset) {
        if (next < ascending.size() && static_cast<std::size_t>(ascending[next]) == offset) {
            ++next;
            continue;
        }
        if (kept != offset)
            items[kept] = std::move(items[offset]);
        ++kept;
    }
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(kept), items.end());
}
