// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QList>

#include <algorithm>
#include <cstddef>

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
