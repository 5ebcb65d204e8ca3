// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <RecurrenceOccurrences.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

const LocalCalendar berlin("Europe/Berlin");

// "2026-03-28 09:00[:15]" in Berlin.
double at(const char *wall)
{
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    std::sscanf(wall, "%d-%d-%d %d:%d:%d", &year, &month, &day, &hour, &minute, &second);
    return berlin.instant(year, month, day, hour, minute, second).value();
}

// The outcome as the table gives it: "2026-03-29 09:00:00 FREQ=DAILY", "none"
// or "not followed".
std::string outcome(const NextOccurrence &next)
{
    if (next.kind != NextOccurrence::Kind::found)
        return next.kind == NextOccurrence::Kind::none ? "none" : "not followed";
    const DateComponents wall = berlin.components(next.time);
    // Zones differ from UTC by whole minutes.
    const auto second = static_cast<long long>(next.time) % 60;
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d ", wall.year, wall.month,
                  wall.day, wall.hour, wall.minute, static_cast<int>(second));
    return text + next.rrule;
}

} // namespace

TEST(RecurrenceOccurrencesTest, TheNextOccurrenceFollowsTheRuleInTheUsersZone)
{
    const struct {
        const char *what;
        const char *rrule;
        const char *current;
        const char *now;
        bool wholeDay;
        const char *next;
    } cases[] = {
        {"daily into summer time stays at 9:00", "FREQ=DAILY", "2026-03-28 09:00",
         "2026-03-28 10:00", false, "2026-03-29 09:00:00 FREQ=DAILY"},
        {"daily into winter time stays at 9:30:15", "FREQ=DAILY", "2026-10-24 09:30:15",
         "2026-10-24 10:00", false, "2026-10-25 09:30:15 FREQ=DAILY"},
        {"weekdays jump the weekend", "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR", "2026-01-02 18:00",
         "2026-01-02 19:00", false, "2026-01-05 18:00:00 FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
        {"monthly on the 31st skips months without one", "FREQ=MONTHLY", "2026-01-31 08:00",
         "2026-02-01 00:00", false, "2026-03-31 08:00:00 FREQ=MONTHLY"},
        {"yearly on 29 February waits for a leap year", "FREQ=YEARLY", "2024-02-29 12:00",
         "2024-03-01 00:00", false, "2028-02-29 12:00:00 FREQ=YEARLY"},
        {"ticked early, the next is the one after the current", "FREQ=DAILY;INTERVAL=2",
         "2026-05-10 09:00", "2026-05-08 00:00", false,
         "2026-05-12 09:00:00 FREQ=DAILY;INTERVAL=2"},
        {"the count left drops by one", "FREQ=WEEKLY;COUNT=4;BYDAY=TU", "2026-06-02 07:00",
         "2026-06-02 08:00", false, "2026-06-09 07:00:00 FREQ=WEEKLY;COUNT=3;BYDAY=TU"},
        {"a week off: one step past the missed ones, the count dropped by each",
         "freq=DAILY;count=10", "2026-01-01 09:00", "2026-01-08 12:00", false,
         "2026-01-09 09:00:00 freq=DAILY;count=2"},
        {"a current occurrence off the rule counts as the first", "FREQ=WEEKLY;COUNT=2;BYDAY=TU",
         "2026-06-01 07:00", "2026-06-02 08:00", false, "none"},
        {"count reached while away", "FREQ=DAILY;COUNT=3", "2026-01-01 09:00", "2026-01-08 00:00",
         false, "none"},
        {"an end in UTC is the user's wall time: 08:00Z is 09:00 in Berlin",
         "FREQ=DAILY;UNTIL=20260103T080000Z", "2026-01-02 09:00", "2026-01-02 10:00", false,
         "2026-01-03 09:00:00 FREQ=DAILY;UNTIL=20260103T080000Z"},
        {"end reached", "FREQ=DAILY;UNTIL=20260103T075959Z", "2026-01-02 09:00", "2026-01-02 10:00",
         false, "none"},
        {"an end day bounds a timed rule at its end", "FREQ=DAILY;UNTIL=20260103",
         "2026-01-02 23:00", "2026-01-02 23:30", false,
         "2026-01-03 23:00:00 FREQ=DAILY;UNTIL=20260103"},
        {"a whole day missed yesterday moves to today", "FREQ=DAILY", "2026-03-01 00:00",
         "2026-03-03 15:00", true, "2026-03-03 00:00:00 FREQ=DAILY"},
        {"a whole day ticked on its day moves to the next", "FREQ=WEEKLY", "2026-03-27 00:00",
         "2026-03-27 20:00", true, "2026-04-03 00:00:00 FREQ=WEEKLY"},
        {"every minute is absurd", "FREQ=MINUTELY", "2026-01-01 00:00", "2026-01-01 00:00", false,
         "not followed"},
        {"a count no one sets is absurd", "FREQ=DAILY;COUNT=100001", "2026-01-01 00:00",
         "2026-01-01 10:00", false, "not followed"},
        {"an unknown part is not read", "FREQ=DAILY;X-SOON=1", "2026-01-01 00:00",
         "2026-01-01 00:00", false, "not followed"},
        {"a day that never comes", "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30", "2026-01-01 09:00",
         "2026-01-01 10:00", false, "not followed"},
    };
    const RecurrenceOccurrences occurrences;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(outcome(occurrences.after(c.rrule, at(c.current), c.wholeDay, at(c.now), berlin)),
                  c.next);
    }
}
