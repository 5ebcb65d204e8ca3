// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <WholeListPlan.h>

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t jan5 = 1736035200; // 2025-01-05T00:00:00Z

QByteArray todo(const QByteArray &lines)
{
    return "BEGIN:VCALENDAR\r\nBEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\n"
           "DTSTART:19701025T030000\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VTODO\r\n"
           "UID:a\r\n" +
           lines + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

TEST(WholeListPlan, ATodoIsPlannedByItsDueTimeElseItsStart)
{
    const struct {
        const char *what;
        QByteArray data;
        std::optional<std::int64_t> time;
    } cases[] = {
        {"due in UTC", todo("DUE:20250105T093000Z\r\n"), jan5 + 9 * 3600 + 1800},
        {"due in a zone, read as UTC", todo("DUE;TZID=Europe/Berlin:20250105T093000\r\n"),
         jan5 + 9 * 3600 + 1800},
        {"due on a day", todo("DUE;VALUE=DATE:20250105\r\n"), jan5},
        {"due after its start", todo("DTSTART:20250101T000000Z\r\nDUE:20250105T000000Z\r\n"), jan5},
        {"a start only", todo("DTSTART:20250105T000000Z\r\n"), jan5},
        {"folded", todo("DUE:2025010\r\n 5T000000Z\r\n"), jan5},
        {"neither (the zone's and the alarm's starts are not its own)",
         todo("BEGIN:VALARM\r\nTRIGGER;VALUE=DATE-TIME:20250105T000000Z\r\nEND:VALARM\r\n"),
         std::nullopt},
        {"no date", todo("DUE:tomorrow\r\n"), std::nullopt},
        {"no day such as this", todo("DUE:20250230T000000Z\r\n"), std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(plannedTimeOf(c.data), c.time) << c.what;
}

TEST(WholeListPlan, TimeRangesCoverWhatTheyAreCutFromInPartsOfAboutEqualCounts)
{
    const TimeRange all{};
    const struct {
        const char *what;
        std::vector<std::int64_t> times;
        std::size_t parts;
        TimeRange within;
        std::vector<TimeRange> ranges;
    } cases[] = {
        {"halves", {1, 2, 3, 4}, 2, all, {{{}, 3}, {3, {}}}},
        {"thirds", {1, 2, 3, 4, 5, 6}, 3, all, {{{}, 3}, {3, 5}, {5, {}}}},
        {"equal times stay together", {1, 2, 2, 2, 3, 4}, 2, all, {{{}, 3}, {3, {}}}},
        {"fewer times than parts", {7}, 3, all, {{}}},
        {"no times", {}, 2, all, {{}}},
        {"one time only", {5, 5, 5}, 2, all, {{}}},
        {"within a range, counting only its own times",
         {1, 10, 11, 12, 13, 30},
         2,
         {10, 20},
         {{10, 12}, {12, 20}}},
        {"more parts than a run of equal times allows",
         {1, 1, 1, 1, 2},
         4,
         all,
         {{{}, 2}, {2, {}}}},
    };
    for (const auto &c : cases) {
        const auto ranges = timeRangeParts(c.times, c.parts, c.within);
        ASSERT_EQ(ranges.size(), c.ranges.size()) << c.what;
        for (std::size_t i = 0; i < ranges.size(); ++i) {
            EXPECT_EQ(ranges[i].start, c.ranges[i].start) << c.what << ", range " << i;
            EXPECT_EQ(ranges[i].end, c.ranges[i].end) << c.what << ", range " << i;
        }
    }
}

TEST(WholeListPlan, ALongFetchIsAskedForAsTheWholeListWhereThatIsFaster)
{
    // Figures measured at 100,000 to-dos: Radicale gives their ETags in 6.4 s
    // and 2 ms an href; Xandikos the ETags in 45 s and 1.2 s an href.
    EXPECT_TRUE(wholeListIsFaster(100000, 2, 6400));
    EXPECT_TRUE(wholeListIsFaster(100000, 1200, 45000));
    // A few thousand changed on Radicale come faster by href.
    EXPECT_FALSE(wholeListIsFaster(2000, 2, 6400));
    EXPECT_FALSE(wholeListIsFaster(20, 50, 600));
}

} // namespace
