// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <TodoMerge.h>

#include <gtest/gtest.h>

namespace {

const Uuid id = *Uuid::fromString("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

TodoItem todo(std::string name, double time, TodoPriority priority, TodoExtras extras = {})
{
    return TodoItem(std::move(name), time, priority, id, std::move(extras));
}

TodoExtras alarmAt(double offset)
{
    TodoExtras extras;
    extras.alarm = offset;
    return extras;
}

TodoExtras wholeDay()
{
    TodoExtras extras;
    extras.wholeDay = true;
    return extras;
}

TodoExtras repeating(std::string rule)
{
    TodoExtras extras;
    extras.rrule = std::move(rule);
    return extras;
}

const TodoItem withAlarm = todo("Call Ann", 1000, TodoPriority::medium, alarmAt(-600));

struct MergeCase {
    const char *what;
    TodoItem base;
    TodoItem mine;
    double mineTime;
    TodoItem theirs;
    std::optional<double> theirTime;
    TodoItem merged;
};

class MergingTodos : public testing::TestWithParam<MergeCase> {};

TEST_P(MergingTodos, FieldByField)
{
    const MergeCase &c = GetParam();
    EXPECT_EQ(mergeTodo(c.base, c.mine, c.mineTime, c.theirs, c.theirTime), c.merged) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MergingTodos,
    testing::Values(
        MergeCase{"renamed here, raised there: both", withAlarm,
                  todo("Call Ann back", 1000, TodoPriority::medium, alarmAt(-600)), 50,
                  todo("Call Ann", 1000, TodoPriority::high, alarmAt(-600)), 60,
                  todo("Call Ann back", 1000, TodoPriority::high, alarmAt(-600))},
        MergeCase{"moved on both: the later change", withAlarm,
                  todo("Call Ann", 2000, TodoPriority::medium, alarmAt(-600)), 70,
                  todo("Call Ann", 3000, TodoPriority::medium, alarmAt(-600)), 60,
                  todo("Call Ann", 2000, TodoPriority::medium, alarmAt(-600))},
        MergeCase{"an alarm set there, renamed here: both", withAlarm,
                  todo("Call Bob", 1000, TodoPriority::medium, alarmAt(-600)), 70,
                  todo("Call Ann", 1000, TodoPriority::medium, alarmAt(-3600)), 60,
                  todo("Call Bob", 1000, TodoPriority::medium, alarmAt(-3600))},
        MergeCase{"alarms changed on both: ours, whichever is later", withAlarm,
                  todo("Call Ann", 1000, TodoPriority::medium, alarmAt(-60)), 50,
                  todo("Call Ann", 1000, TodoPriority::medium, alarmAt(-3600)), 60,
                  todo("Call Ann", 1000, TodoPriority::medium, alarmAt(-60))},
        MergeCase{"given a time here, moved to another day there later: that day, whole",
                  todo("Call Ann", 0, TodoPriority::medium, wholeDay()),
                  todo("Call Ann", 36000, TodoPriority::medium), 50,
                  todo("Call Ann", 86400, TodoPriority::medium, wholeDay()), 60,
                  todo("Call Ann", 86400, TodoPriority::medium, wholeDay())},
        MergeCase{
            "a series finished here, finished further there earlier: theirs",
            todo("Call Ann", 0, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=5")),
            todo("Call Ann", 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=4")), 70,
            todo("Call Ann", 2 * 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=3")), 60,
            todo("Call Ann", 2 * 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=3"))},
        MergeCase{
            "a series finished further here, less far there later: ours",
            todo("Call Ann", 0, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=5")),
            todo("Call Ann", 2 * 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=3")), 50,
            todo("Call Ann", 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=4")), 60,
            todo("Call Ann", 2 * 86400, TodoPriority::medium, repeating("FREQ=DAILY;COUNT=3"))},
        MergeCase{"a series renamed there, finished here: both",
                  todo("Call Ann", 0, TodoPriority::medium, repeating("FREQ=WEEKLY")),
                  todo("Call Ann", 7 * 86400, TodoPriority::medium, repeating("FREQ=WEEKLY")), 50,
                  todo("Call Bob", 0, TodoPriority::medium, repeating("FREQ=WEEKLY")), 60,
                  todo("Call Bob", 7 * 86400, TodoPriority::medium, repeating("FREQ=WEEKLY"))}));

} // namespace
