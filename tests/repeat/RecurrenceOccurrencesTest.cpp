// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <RecurrenceOccurrences.h>

#include <gtest/gtest.h>

#include <optional>

namespace {

// A wall time in Berlin, to the second.
struct Wall {
    int year, month, day, hour = 0, minute = 0, second = 0;
};

double berlin(const Wall &at)
{
    return LocalCalendar("Europe/Berlin")
        .instant(at.year, at.month, at.day, at.hour, at.minute, at.second)
        .value();
}

} // namespace

TEST(RecurrenceOccurrencesTest, TheNextOccurrenceFollowsTheRuleInTheUsersZone)
{
    using Kind = NextOccurrence::Kind;
    const struct {
        const char *what;
        const char *rrule;
        Wall current;
        Wall now;
        bool wholeDay;
        Kind kind;
        std::optional<Wall> next; // when found
        const char *nextRule;     // when found
    } cases[] = {
        {"daily into summer time stays at 9:00",
         "FREQ=DAILY",
         {2026, 3, 28, 9},
         {2026, 3, 28, 10},
         false,
         Kind::found,
         Wall{2026, 3, 29, 9},
         "FREQ=DAILY"},
        {"daily into winter time stays at 9:00",
         "FREQ=DAILY",
         {2026, 10, 24, 9, 30, 15},
         {2026, 10, 24, 10},
         false,
         Kind::found,
         Wall{2026, 10, 25, 9, 30, 15},
         "FREQ=DAILY"},
        {"weekdays jump the weekend",
         "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
         {2026, 1, 2, 18},
         {2026, 1, 2, 19},
         false,
         Kind::found,
         Wall{2026, 1, 5, 18},
         "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
        {"monthly on the 31st skips months without one",
         "FREQ=MONTHLY",
         {2026, 1, 31, 8},
         {2026, 2, 1},
         false,
         Kind::found,
         Wall{2026, 3, 31, 8},
         "FREQ=MONTHLY"},
        {"yearly on 29 February waits for a leap year",
         "FREQ=YEARLY",
         {2024, 2, 29, 12},
         {2024, 3, 1},
         false,
         Kind::found,
         Wall{2028, 2, 29, 12},
         "FREQ=YEARLY"},
        {"ticked early, the next is the one after the current",
         "FREQ=DAILY;INTERVAL=2",
         {2026, 5, 10, 9},
         {2026, 5, 8},
         false,
         Kind::found,
         Wall{2026, 5, 12, 9},
         "FREQ=DAILY;INTERVAL=2"},
        {"the count left drops by one",
         "FREQ=WEEKLY;COUNT=4;BYDAY=TU",
         {2026, 6, 2, 7},
         {2026, 6, 2, 8},
         false,
         Kind::found,
         Wall{2026, 6, 9, 7},
         "FREQ=WEEKLY;COUNT=3;BYDAY=TU"},
        {"a week off: one step past the missed ones, the count dropped by each",
         "freq=DAILY;count=10",
         {2026, 1, 1, 9},
         {2026, 1, 8, 12},
         false,
         Kind::found,
         Wall{2026, 1, 9, 9},
         "freq=DAILY;count=2"},
        {"count reached",
         "FREQ=DAILY;COUNT=1",
         {2026, 1, 1, 9},
         {2026, 1, 1, 10},
         false,
         Kind::none,
         {},
         ""},
        {"a current occurrence off the rule counts as the first",
         "FREQ=WEEKLY;COUNT=2;BYDAY=TU",
         {2026, 6, 1, 7},
         {2026, 6, 2, 8},
         false,
         Kind::none,
         {},
         ""},
        {"count reached while away",
         "FREQ=DAILY;COUNT=3",
         {2026, 1, 1, 9},
         {2026, 1, 8},
         false,
         Kind::none,
         {},
         ""},
        {"an end in UTC is the user's wall time: 08:00Z is 09:00 in Berlin",
         "FREQ=DAILY;UNTIL=20260103T080000Z",
         {2026, 1, 2, 9},
         {2026, 1, 2, 10},
         false,
         Kind::found,
         Wall{2026, 1, 3, 9},
         "FREQ=DAILY;UNTIL=20260103T080000Z"},
        {"end reached",
         "FREQ=DAILY;UNTIL=20260103T075959Z",
         {2026, 1, 2, 9},
         {2026, 1, 2, 10},
         false,
         Kind::none,
         {},
         ""},
        {"an end day bounds a timed rule at its end",
         "FREQ=DAILY;UNTIL=20260103",
         {2026, 1, 2, 23},
         {2026, 1, 2, 23, 30},
         false,
         Kind::found,
         Wall{2026, 1, 3, 23},
         "FREQ=DAILY;UNTIL=20260103"},
        {"a whole day missed yesterday moves to today",
         "FREQ=DAILY",
         {2026, 3, 1},
         {2026, 3, 3, 15},
         true,
         Kind::found,
         Wall{2026, 3, 3},
         "FREQ=DAILY"},
        {"a whole day ticked on its day moves to the next",
         "FREQ=WEEKLY",
         {2026, 3, 27},
         {2026, 3, 27, 20},
         true,
         Kind::found,
         Wall{2026, 4, 3},
         "FREQ=WEEKLY"},
        {"every minute is absurd",
         "FREQ=MINUTELY",
         {2026, 1, 1},
         {2026, 1, 1},
         false,
         Kind::notFollowed,
         {},
         ""},
        {"every second is absurd",
         "FREQ=SECONDLY;INTERVAL=3600",
         {2026, 1, 1},
         {2026, 1, 1},
         false,
         Kind::notFollowed,
         {},
         ""},
        {"an unknown part is not read",
         "FREQ=DAILY;X-SOON=1",
         {2026, 1, 1},
         {2026, 1, 1},
         false,
         Kind::notFollowed,
         {},
         ""},
        {"no rule at all", "", {2026, 1, 1}, {2026, 1, 1}, false, Kind::notFollowed, {}, ""},
        {"a day that never comes",
         "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30",
         {2026, 1, 1, 9},
         {2026, 1, 1, 10},
         false,
         Kind::notFollowed,
         {},
         ""},
    };
    const LocalCalendar calendar("Europe/Berlin");
    const RecurrenceOccurrences occurrences;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        const NextOccurrence next =
            occurrences.after(c.rrule, berlin(c.current), c.wholeDay, berlin(c.now), calendar);
        const NextOccurrence expected =
            c.next ? NextOccurrence{c.kind, berlin(*c.next), c.nextRule} : NextOccurrence{c.kind};
        EXPECT_EQ(next.kind, expected.kind);
        EXPECT_EQ(next.time, expected.time);
        EXPECT_EQ(next.rrule, expected.rrule);
    }
}
