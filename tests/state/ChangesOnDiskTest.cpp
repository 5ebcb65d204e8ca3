// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ChangesOnDisk.h>

#include <gtest/gtest.h>

namespace {

constexpr double now = 786310212;

const TodoItem tea("Tea", now + 3600, TodoPriority::high);
const TodoItem milk("Milk", now + 7200, TodoPriority::low);
const TodoItem greenTea("Green tea", tea.time(), tea.priority(), tea.id());
const TodoItem blackTea("Black tea", tea.time(), tea.priority(), tea.id());
const TodoItem pulled("From the phone", now + 600, TodoPriority::medium);
const TodoItem typed("Typed here", now + 900, TodoPriority::medium);

std::vector<TodoItem> changedItems(const SyncedChanges &changes)
{
    std::vector<TodoItem> items;
    for (const SyncedChanges::Todo &todo : changes.changed)
        items.push_back(todo.item);
    return items;
}

} // namespace

TEST(ChangesOnDisk, BringsWhatTheOtherWriterChangedAndKeepsWhatChangedHere)
{
    struct Case {
        const char *what;
        std::vector<TodoItem> read;
        std::vector<TodoItem> stored;
        std::vector<TodoItem> here;
        std::vector<TodoItem> changed;
        std::vector<Uuid> removed;
    };
    const std::vector<Case> cases{
        {"nothing written", {tea, milk}, {tea, milk}, {tea, milk}, {}, {}},
        {"pulled while reading", {tea}, {tea, pulled}, {tea}, {pulled}, {}},
        {"pulled, typed here", {tea}, {tea, pulled}, {tea, typed}, {pulled}, {}},
        {"renamed there", {tea, milk}, {greenTea, milk}, {tea, milk}, {greenTea}, {}},
        {"removed there", {tea, milk}, {milk}, {tea, milk}, {}, {tea.id()}},
        {"renamed on both: here wins", {tea}, {greenTea}, {blackTea}, {}, {}},
        {"removed there, renamed here: kept", {tea, milk}, {milk}, {blackTea, milk}, {}, {}},
        {"renamed there, removed here: stays removed",
         {tea, milk},
         {greenTea, milk},
         {milk},
         {},
         {}},
        {"removed on both", {tea, milk}, {milk}, {milk}, {}, {}},
    };
    for (const Case &c : cases) {
        const SyncedChanges changes = changesOnDisk(c.read, c.stored, c.here);
        EXPECT_EQ(changedItems(changes), c.changed) << c.what;
        EXPECT_EQ(changes.removed, c.removed) << c.what;
    }
}
