// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <SyncJournal.h>

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const TodoItem milk("Buy milk", 0, TodoPriority::high);
const TodoItem bread("Bread", 60, TodoPriority::low);
const TodoItem milkLater("Buy milk", 120, TodoPriority::high, milk.id());
const TodoItem milkLow("Buy milk", 120, TodoPriority::low, milk.id());

using Kind = LocalChange::Kind;

struct JournalCase {
    const char *what;
    // Lists the window shows, one after another, starting from an empty one.
    std::vector<std::vector<TodoItem>> lists;
    std::vector<std::pair<Kind, TodoItem>> expected;
};

class JournalingLists : public testing::TestWithParam<JournalCase> {};

TEST_P(JournalingLists, KeepsWhatChangedInOrderAcrossARestart)
{
    const JournalCase &c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sync/journal.json"));
    SyncJournal journal(path);
    ASSERT_TRUE(journal.load());
    for (std::size_t i = 0; i < c.lists.size(); ++i)
        ASSERT_TRUE(journal.listChanged(c.lists[i], double(i)));

    SyncJournal reopened(path);
    ASSERT_TRUE(reopened.load());
    ASSERT_EQ(reopened.changes().size(), c.expected.size()) << c.what;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(reopened.changes()[i].kind, c.expected[i].first) << c.what << " " << i;
        EXPECT_EQ(reopened.changes()[i].item, c.expected[i].second) << c.what << " " << i;
    }
    EXPECT_EQ(reopened.knownList(), c.lists.back());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalingLists,
    testing::Values(
        JournalCase{"added", {{milk, bread}}, {{Kind::save, milk}, {Kind::save, bread}}},
        JournalCase{"saves of one to-do make one change",
                    {{milk}, {milk, bread}, {milkLater, bread}, {milkLow, bread}},
                    {{Kind::save, milkLow}, {Kind::save, bread}}},
        JournalCase{"removed",
                    {{milk, bread}, {bread}},
                    {{Kind::save, milk}, {Kind::save, bread}, {Kind::remove, milk}}},
        JournalCase{"put back after a removal stays after it",
                    {{milk}, {}, {milkLater}},
                    {{Kind::save, milk}, {Kind::remove, milk}, {Kind::save, milkLater}}},
        JournalCase{"unchanged", {{milk}, {milk}}, {{Kind::save, milk}}}));

TEST(SyncJournal, TakenChangesAreGoneForGood)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("journal.json"));
    SyncJournal journal(path);
    ASSERT_TRUE(journal.load());
    ASSERT_TRUE(journal.listChanged({milk, bread}, 0));
    journal.dropFirst();
    ASSERT_TRUE(journal.save());
    ASSERT_TRUE(journal.setKnownList({milk, bread, milkLow}));
    SyncJournal reopened(path);
    ASSERT_TRUE(reopened.load());
    ASSERT_EQ(reopened.changes().size(), 1u);
    EXPECT_EQ(reopened.changes()[0].item, bread);
    EXPECT_EQ(reopened.knownList().size(), 3u);
}

} // namespace
