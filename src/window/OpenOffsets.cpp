// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "OpenOffsets.h"

#include <OffsetRuns.h>

#include <algorithm>
#include <bit>

namespace {

int lowestBit(int i)
{
    return i & -i;
}

} // namespace

void OpenOffsets::reset(std::vector<std::uint8_t> open)
{
    m_open = std::move(open);
    rebuild();
}

void OpenOffsets::rebuild()
{
    const int n = size();
    m_tree.assign(static_cast<std::size_t>(n) + 1, 0);
    m_count = 0;
    for (int i = 1; i <= n; ++i) {
        m_tree[static_cast<std::size_t>(i)] += m_open[static_cast<std::size_t>(i - 1)];
        m_count += m_open[static_cast<std::size_t>(i - 1)];
        if (const int parent = i + lowestBit(i); parent <= n)
            m_tree[static_cast<std::size_t>(parent)] += m_tree[static_cast<std::size_t>(i)];
    }
}

int OpenOffsets::below(int offset) const
{
    int sum = 0;
    for (int i = offset; i > 0; i -= lowestBit(i))
        sum += m_tree[static_cast<std::size_t>(i)];
    return sum;
}

int OpenOffsets::nth(int rank) const
{
    // The longest prefix holding at most `rank` open offsets ends just before it.
    int position = 0;
    int remaining = rank;
    for (int step = static_cast<int>(std::bit_floor(static_cast<unsigned>(size()))); step > 0;
         step >>= 1) {
        const int next = position + step;
        if (next <= size() && m_tree[static_cast<std::size_t>(next)] <= remaining) {
            position = next;
            remaining -= m_tree[static_cast<std::size_t>(next)];
        }
    }
    return position;
}

void OpenOffsets::add(int offset, int delta)
{
    for (int i = offset + 1; i <= size(); i += lowestBit(i))
        m_tree[static_cast<std::size_t>(i)] += delta;
    m_count += delta;
}

void OpenOffsets::mark(int offset, bool open)
{
    std::uint8_t &mark = m_open[static_cast<std::size_t>(offset)];
    if (mark == static_cast<std::uint8_t>(open))
        return;
    mark = open;
    add(offset, open ? 1 : -1);
}

namespace {

// Whether marking `marks` one by one costs less than rebuilding the tree of `size`.
bool fewerThanARebuild(std::size_t marks, int size)
{
    return static_cast<long long>(marks) * std::bit_width(static_cast<unsigned>(size)) < size;
}

} // namespace

void OpenOffsets::close(int first, int last)
{
    if (fewerThanARebuild(static_cast<std::size_t>(last - first + 1), size())) {
        for (int offset = first; offset <= last; ++offset)
            mark(offset, false);
        return;
    }
    std::fill(m_open.begin() + first, m_open.begin() + last + 1, 0);
    rebuild();
}

void OpenOffsets::open(const std::vector<int> &offsets)
{
    if (fewerThanARebuild(offsets.size(), size())) {
        for (int offset : offsets)
            mark(offset, true);
        return;
    }
    for (int offset : offsets)
        m_open[static_cast<std::size_t>(offset)] = 1;
    rebuild();
}

void OpenOffsets::append(bool open)
{
    // The new node sums its own mark and those below it that its range covers.
    const int i = size() + 1;
    const int covered = below(i - 1) - below(i - lowestBit(i));
    m_open.push_back(open);
    m_tree.push_back(covered + open);
    m_count += open;
}

void OpenOffsets::erase(int first, int last)
{
    m_open.erase(m_open.begin() + first, m_open.begin() + last + 1);
    rebuild();
}

void OpenOffsets::erase(const QList<int> &ascending)
{
    eraseOffsets(m_open, ascending);
    rebuild();
}

void OpenOffsets::insert(int first, int count)
{
    m_open.insert(m_open.begin() + first, static_cast<std::size_t>(count), 0);
    rebuild();
}
