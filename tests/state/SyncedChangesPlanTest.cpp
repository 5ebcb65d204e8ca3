// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <SyncedChangesPlan.h>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr double now = 786310212;

const TodoItem tea("Tea", now + 3600, TodoPriority::high);
const TodoItem milk("Milk", now + 7200, TodoPriority::low);
const TodoItem greenTea("Green tea", tea.time(), tea.priority(), tea.id());
const TodoItem phone("From the phone", now + 600, TodoPriority::medium);

QStringList idsOf(std::initializer_list<TodoItem> items)
{
    QStringList ids;
    for (const TodoItem &item : items)
        ids.append(QString::fromStdString(item.id().uuidString()));
    return ids;
}

struct PlanCase {
    const char *what;
    SyncedChanges changes;
    bool changesList;
    std::vector<TodoItem> changed;
    std::vector<Uuid> removed;
    QStringList withdrawn;
    std::vector<std::pair<TodoItem, double>> scheduled;
};

} // namespace

TEST(SyncedChangesPlan, SaysWhatChangesInTheListAndItsReminders)
{
    const std::vector<TodoItem> list{tea, milk};
    const PlanCase cases[] = {
        {"a to-do the list holds unchanged, its alarm moved",
         {{{tea, now + 60}}, {}},
         false,
         {},
         {},
         {},
         {{tea, now + 60}}},
        {"the same, its alarm now past", {{{tea, now - 60}}, {}}, false, {}, {}, {}, {}},
        {"a rename: withdrawn, changed and reminded again",
         {{{greenTea, greenTea.time()}}, {}},
         true,
         {greenTea},
         {},
         idsOf({tea}),
         {{greenTea, greenTea.time()}}},
        {"a new to-do without a reminder: nothing to withdraw or remind",
         {{{phone, std::nullopt}}, {}},
         true,
         {phone},
         {},
         {},
         {}},
        {"a removal of what the list does not hold", {{}, {phone.id()}}, false, {}, {}, {}, {}},
        {"a to-do both changed and removed stays changed, withdrawn once",
         {{{greenTea, std::nullopt}}, {tea.id(), milk.id()}},
         true,
         {greenTea},
         {milk.id()},
         idsOf({tea, milk}),
         {}},
    };
    for (const PlanCase &c : cases) {
        const SyncedChangesPlan plan(list, c.changes, now);
        EXPECT_EQ(plan.changesList(), c.changesList) << c.what;
        EXPECT_EQ(plan.changed, c.changed) << c.what;
        EXPECT_EQ(plan.removed, c.removed) << c.what;
        EXPECT_EQ(plan.withdrawn, c.withdrawn) << c.what;
        EXPECT_EQ(plan.scheduled, c.scheduled) << c.what;
        for (const TodoItem &item : c.changed)
            EXPECT_TRUE(plan.gone.contains(item.id())) << c.what;
        for (const Uuid &id : c.removed)
            EXPECT_TRUE(plan.gone.contains(id)) << c.what;
        EXPECT_EQ(plan.gone.size(), c.changed.size() + c.removed.size()) << c.what;
    }
}
