// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QList>

#include <vector>

// The done to-dos in the order their rows show them, newest first, each as
// when it was done and its offset in the list: the offset at a place in O(1),
// the place of a to-do in O(log k). A to-do done now lands at the front in
// O(1); one done earlier, or taken out, moves the later ones.
class DoneOrder {
public:
    struct Entry {
        double at;
        int offset;
    };

    // In any order.
    void reset(std::vector<Entry> entries);
    int count() const { return static_cast<int>(m_ascending.size()); }
    // The offset at `place`, 0 being the newest.
    int offsetAt(int place) const { return entryAt(place).offset; }
    // The place of the to-do at `offset`, done at `at`; -1 when it has none.
    int placeOf(double at, int offset) const;
    // The place `entry` would take.
    int placeFor(const Entry &entry) const;
    void insert(const Entry &entry);
    // Adds several at once; their places are not told.
    void merge(std::vector<Entry> entries);
    // Takes out those at places `first` to `last`.
    void erase(int first, int last);
    // Takes out those at `places`, in any order, at once.
    void erase(std::vector<int> places);
    // The list moved its offsets from `from` on by `by`.
    void shift(int from, int by);
    // The list lost these offsets, ascending and none of them here: the
    // offsets above each move down.
    void closeUp(const QList<int> &ascending);

private:
    const Entry &entryAt(int place) const
    {
        return m_ascending[m_ascending.size() - 1 - static_cast<std::size_t>(place)];
    }

    // Oldest first, so that the newest is added at the end.
    std::vector<Entry> m_ascending;
};
