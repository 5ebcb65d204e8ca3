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
const TodoItem doneOccurrence = TodoItem("Bins", 0, TodoPriority::low)
                                    .withExtras({.completed = 1, .occurrenceOf = milk.id()});

using Kind = LocalChange::Kind;

struct Edit {
    std::vector<TodoItem> saved;
    std::vector<TodoItem> removed;
    // The first waiting change is on its way when this edit is made.
    bool firstInFlight = false;
};

struct JournalCase {
    const char *what;
    std::vector<Edit> edits;
    std::vector<std::pair<Kind, TodoItem>> expected;
    std::vector<TodoItem> known;
};

class JournalingEdits : public testing::TestWithParam<JournalCase> {};

TEST_P(JournalingEdits, KeepsWhatChangedInOrderAcrossARestart)
{
    const JournalCase &c = GetParam();
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("sync/sync.db"));
    {
        SyncDatabase database(path);
        ASSERT_NE(database.open(), SyncDatabase::Opening::failed);
        SyncJournal journal(database);
        ASSERT_TRUE(journal.load());
        for (std::size_t i = 0; i < c.edits.size(); ++i) {
            if (c.edits[i].firstInFlight)
                journal.sending(journal.changes().front().seq);
            ASSERT_TRUE(journal.record(c.edits[i].saved, c.edits[i].removed, double(i)));
        }
    }
    SyncDatabase database(path);
    ASSERT_EQ(database.open(), SyncDatabase::Opening::opened);
    SyncJournal reopened(database);
    ASSERT_TRUE(reopened.load());
    ASSERT_EQ(reopened.changes().size(), c.expected.size()) << c.what;
    for (std::size_t i = 0; i < c.expected.size(); ++i) {
        EXPECT_EQ(reopened.changes()[i].kind, c.expected[i].first) << c.what << " " << i;
        EXPECT_EQ(reopened.changes()[i].item, c.expected[i].second) << c.what << " " << i;
    }
    std::vector<TodoItem> known;
    reopened.forEachKnown([&](TodoItem item) { known.push_back(std::move(item)); });
    EXPECT_EQ(known, c.known) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, JournalingEdits,
    testing::Values(
        JournalCase{"added", {{{milk, bread}, {}}}, {{Kind::save, milk}, {Kind::save, bread}},
                    {milk, bread}},
        JournalCase{"saves of one to-do make one change, in its first place",
                    {{{milk}, {}}, {{bread}, {}}, {{milkLater}, {}}, {{milkLow}, {}}},
                    {{Kind::save, milkLow}, {Kind::save, bread}},
                    {milkLow, bread}},
        JournalCase{"a save made while the first is on its way is a change of its own",
                    {{{milk}, {}}, {{milkLater}, {}, true}},
                    {{Kind::save, milk}, {Kind::save, milkLater}},
                    {milkLater}},
        JournalCase{"removed",
                    {{{milk, bread}, {}}, {{}, {milk}}},
                    {{Kind::save, milk}, {Kind::save, bread}, {Kind::remove, milk}},
                    {bread}},
        JournalCase{"put back after a removal stays after it",
                    {{{milk}, {}}, {{}, {milk}}, {{milkLater}, {}}},
                    {{Kind::save, milk}, {Kind::remove, milk}, {Kind::save, milkLater}},
                    {milkLater}},
        JournalCase{"a done occurrence stays on this machine",
                    {{{milk, doneOccurrence}, {}}},
                    {{Kind::save, milk}},
                    {milk}}));

TEST(SyncJournal, TakenAndSetAsideChangesLeaveTheWaitingOnes)
{
    QTemporaryDir folder;
    SyncDatabase database(folder.filePath(QStringLiteral("sync.db")));
    ASSERT_NE(database.open(), SyncDatabase::Opening::failed);
    SyncJournal journal(database);
    ASSERT_TRUE(journal.load());
    ASSERT_TRUE(journal.record({milk, bread}, {}, 0));
    const qint64 first = journal.changes()[0].seq;
    const qint64 second = journal.changes()[1].seq;
    ASSERT_TRUE(database.begin());
    ASSERT_TRUE(journal.take(first) && journal.putAside(second, QStringLiteral("Too long")));
    ASSERT_TRUE(database.commit());
    EXPECT_TRUE(journal.changes().empty());
    EXPECT_TRUE(journal.isWaiting(bread.id()));
    EXPECT_FALSE(journal.isWaiting(milk.id()));

    ASSERT_TRUE(journal.load());
    ASSERT_EQ(journal.setAside().size(), 1u);
    EXPECT_EQ(journal.setAside()[0].message, u"Too long");
    ASSERT_TRUE(journal.retrySetAside());
    ASSERT_EQ(journal.changes().size(), 1u);
    EXPECT_EQ(journal.changes()[0].item, bread);
    EXPECT_TRUE(journal.setAside().empty());
}

} // namespace
