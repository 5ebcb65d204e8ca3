// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <Instant.h>
#include <LocalCalendar.h>
#include <gtest/gtest.h>

TEST(LocalCalendar, ReferenceDateIsInstantZero)
{
    const LocalCalendar utc("UTC");
    EXPECT_EQ(utc.components(0), (DateComponents{2001, 1, 1, 0, 0}));
    EXPECT_EQ(utc.instant(2001, 1, 1, 0, 0, 0), 0.0);
    EXPECT_EQ(utc.components(-1), (DateComponents{2000, 12, 31, 23, 59}));
}

TEST(LocalCalendar, ComponentsAndInstantsAgreeInAZone)
{
    const LocalCalendar berlin("Europe/Berlin");
    const struct {
        DateComponents local;
        double unixSeconds;
    } cases[] = {
        {{2026, 3, 5, 19, 30}, 1772735400}, // winter, UTC+1
        {{2026, 7, 1, 0, 5}, 1782857100},   // summer, UTC+2
        {{2026, 12, 31, 23, 59}, 1798757940},
    };
    for (const auto &c : cases) {
        const auto instant = berlin.instant(c.local.year, c.local.month, c.local.day, c.local.hour,
                                            c.local.minute, 0);
        ASSERT_TRUE(instant);
        EXPECT_EQ(*instant + referenceDateUnixSeconds, c.unixSeconds);
        EXPECT_EQ(berlin.components(*instant), c.local);
    }
}

TEST(LocalCalendar, DaylightSavingGapResolvesByIcuRule)
{
    // 2026-03-29 02:30 does not exist in Berlin; ICU moves it forward by the gap.
    const LocalCalendar berlin("Europe/Berlin");
    const auto instant = berlin.instant(2026, 3, 29, 2, 30, 0);
    ASSERT_TRUE(instant);
    EXPECT_EQ(berlin.components(*instant), (DateComponents{2026, 3, 29, 3, 30}));
}
