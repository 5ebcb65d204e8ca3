// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <DoneOrder.h>
#include <OpenOffsets.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

namespace {

// What the rows of the list should show, kept the plain way: one mark per
// offset, and the done to-dos sorted newest first.
struct PlainRows {
    std::vector<std::uint8_t> open;
    std::vector<DoneOrder::Entry> done;

    void sortDone()
    {
        std::ranges::sort(done, [](const DoneOrder::Entry &a, const DoneOrder::Entry &b) {
            return a.at != b.at ? a.at > b.at : a.offset > b.offset;
        });
    }
};

void expectSame(const OpenOffsets &open, const DoneOrder &done, const PlainRows &plain)
{
    ASSERT_EQ(open.size(), static_cast<int>(plain.open.size()));
    std::vector<int> offsets;
    for (int offset = 0; offset <= open.size(); ++offset) {
        ASSERT_EQ(open.below(offset), static_cast<int>(offsets.size())) << "below " << offset;
        if (offset < open.size() && plain.open[static_cast<std::size_t>(offset)]) {
            ASSERT_TRUE(open.isOpen(offset));
            offsets.push_back(offset);
        }
    }
    ASSERT_EQ(open.count(), static_cast<int>(offsets.size()));
    for (int rank = 0; rank < open.count(); ++rank)
        ASSERT_EQ(open.nth(rank), offsets[static_cast<std::size_t>(rank)]) << "rank " << rank;

    ASSERT_EQ(done.count(), static_cast<int>(plain.done.size()));
    for (int place = 0; place < done.count(); ++place) {
        const DoneOrder::Entry &entry = plain.done[static_cast<std::size_t>(place)];
        ASSERT_EQ(done.offsetAt(place), entry.offset) << "place " << place;
        ASSERT_EQ(done.placeOf(entry.at, entry.offset), place);
        ASSERT_EQ(done.placeFor({entry.at, entry.offset - 1}), place + 1)
            << "an equal time earlier in the list counts as older";
    }
    ASSERT_EQ(done.placeOf(-1, 0), -1) << "never done";
}

} // namespace

// The open rows and the done rows through every kind of change the list
// makes, checked against the plain forms after each: in lists small enough
// that marks are set one by one, and large enough that the tree is rebuilt.
TEST(RowOrderTest, OpenAndDoneRowsFollowEveryChangeOfTheList)
{
    const struct {
        const char *what;
        int size;
        int steps;
        int widest; // most offsets one change takes
    } cases[] = {
        {"an empty list that grows", 0, 300, 1},
        {"a few rows, changed a few at a time", 9, 200, 3},
        {"many rows, changed one at a time", 700, 120, 1},
        {"many rows, changed many at a time", 700, 60, 300},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        std::mt19937 random(static_cast<unsigned>(c.size * 31 + c.steps));
        const auto below = [&](int bound) {
            return std::uniform_int_distribution<int>(0, std::max(0, bound - 1))(random);
        };
        PlainRows plain;
        plain.open.resize(static_cast<std::size_t>(c.size));
        for (int offset = 0; offset < c.size; ++offset) {
            plain.open[static_cast<std::size_t>(offset)] = below(3) != 0;
            if (!plain.open[static_cast<std::size_t>(offset)])
                plain.done.push_back({static_cast<double>(below(50)), offset});
        }
        plain.sortDone();
        OpenOffsets open;
        open.reset(plain.open);
        DoneOrder done;
        done.reset(plain.done);
        ASSERT_NO_FATAL_FAILURE(expectSame(open, done, plain));

        for (int step = 0; step < c.steps; ++step) {
            const int size = open.size();
            const int first = below(size);
            const int last = std::min(size - 1, first + below(c.widest));
            switch (size == 0 ? 0 : below(6)) {
            case 0: { // appended, open or done
                const bool isOpen = below(2) == 0;
                open.append(isOpen);
                plain.open.push_back(isOpen);
                if (!isOpen) {
                    const DoneOrder::Entry entry{static_cast<double>(below(50)), size};
                    done.insert(entry);
                    plain.done.push_back(entry);
                }
                break;
            }
            case 1: // an open one ticked off now, or a done one opened again
                if (plain.open[static_cast<std::size_t>(first)]) {
                    open.mark(first, false);
                    plain.open[static_cast<std::size_t>(first)] = 0;
                    done.insert({60, first});
                    plain.done.push_back({60, first});
                } else {
                    const auto found =
                        std::ranges::find(plain.done, first, &DoneOrder::Entry::offset);
                    done.erase(std::vector<int>{static_cast<int>(found - plain.done.begin())});
                    plain.done.erase(found);
                    open.mark(first, true);
                    plain.open[static_cast<std::size_t>(first)] = 1;
                }
                break;
            case 2: { // a run removed
                std::vector<int> places;
                for (int place = 0; place < static_cast<int>(plain.done.size()); ++place) {
                    if (plain.done[static_cast<std::size_t>(place)].offset >= first &&
                        plain.done[static_cast<std::size_t>(place)].offset <= last)
                        places.push_back(place);
                }
                std::ranges::shuffle(places, random);
                done.erase(places);
                std::erase_if(plain.done, [&](const DoneOrder::Entry &entry) {
                    return entry.offset >= first && entry.offset <= last;
                });
                open.close(first, last);
                open.erase(first, last);
                plain.open.erase(plain.open.begin() + first, plain.open.begin() + last + 1);
                done.shift(last + 1, first - last - 1);
                for (DoneOrder::Entry &entry : plain.done) {
                    if (entry.offset > last)
                        entry.offset -= last - first + 1;
                }
                break;
            }
            case 3: { // a run put back, some open and some done
                const int count = last - first + 1;
                open.insert(first, count);
                plain.open.insert(plain.open.begin() + first, static_cast<std::size_t>(count), 0);
                done.shift(first, count);
                for (DoneOrder::Entry &entry : plain.done) {
                    if (entry.offset >= first)
                        entry.offset += count;
                }
                std::vector<int> opened;
                std::vector<DoneOrder::Entry> added;
                for (int offset = first; offset <= last; ++offset) {
                    if (below(2) == 0) {
                        opened.push_back(offset);
                        plain.open[static_cast<std::size_t>(offset)] = 1;
                    } else {
                        added.push_back({static_cast<double>(below(50)), offset});
                    }
                }
                open.open(opened);
                done.merge(added);
                plain.done.insert(plain.done.end(), added.begin(), added.end());
                break;
            }
            case 4: { // the done ones of a run gone from sight: places from first to last
                const int count = static_cast<int>(plain.done.size());
                if (count == 0)
                    break;
                const int from = below(count);
                const int to = std::min(count - 1, from + below(c.widest));
                for (int place = from; place <= to; ++place) {
                    const int offset = plain.done[static_cast<std::size_t>(place)].offset;
                    open.mark(offset, true);
                    plain.open[static_cast<std::size_t>(offset)] = 1;
                }
                done.erase(from, to);
                plain.done.erase(plain.done.begin() + from, plain.done.begin() + to + 1);
                break;
            }
            default: // the whole list read anew
                plain.sortDone();
                open.reset(plain.open);
                done.reset(plain.done);
                break;
            }
            plain.sortDone();
            SCOPED_TRACE(step);
            ASSERT_NO_FATAL_FAILURE(expectSame(open, done, plain));
        }
    }
}
