// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QList>

#include <cstdint>
#include <vector>

// Which offsets of the list hold open to-dos, for the rows of the open part:
// the n-th open offset and the number of open offsets below one, each in
// O(log n) through a Fenwick tree of the offsets' marks. Marking one, or
// adding one at the end, costs O(log n); making or closing room inside the
// list rebuilds the tree in O(n), as the list itself moves its to-dos then.
class OpenOffsets {
public:
    // One mark per offset of the list: whether it is open.
    void reset(std::vector<std::uint8_t> open);
    int size() const { return static_cast<int>(m_open.size()); }
    // The open offsets.
    int count() const { return m_count; }
    bool isOpen(int offset) const { return m_open[static_cast<std::size_t>(offset)] != 0; }
    // The open offsets below `offset`, which may be `size()`: the row of an open one.
    int below(int offset) const;
    // The open offset of that many open ones below it: the offset of a row.
    int nth(int rank) const;

    void mark(int offset, bool open);
    // Marks `first` to `last` closed.
    void close(int first, int last);
    // Marks these offsets open.
    void open(const std::vector<int> &offsets);
    void append(bool open);
    // The list lost the offsets `first` to `last`, which are closed.
    void erase(int first, int last);
    // The list lost these offsets, ascending and closed, at once.
    void erase(const QList<int> &ascending);
    // The list made room for `count` offsets from `first` on, closed.
    void insert(int first, int count);

private:
    void add(int offset, int delta);
    void rebuild();

    std::vector<std::uint8_t> m_open;
    // 1-based: m_tree[i] sums the marks of the offsets i - (i & -i) to i - 1.
    std::vector<int> m_tree{0};
    int m_count = 0;
};
