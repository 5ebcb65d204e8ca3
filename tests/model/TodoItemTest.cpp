// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <TodoItem.h>
#include <cmath>
#include <gtest/gtest.h>
#include <set>

namespace {

const Uuid fixedId = *Uuid::fromString("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

} // namespace

TEST(Uuid, TextFormRoundTripsUpperCase)
{
    const auto id = Uuid::fromString("e621e1f8-c36c-495a-93fc-0c247a3e6e5f");
    ASSERT_TRUE(id);
    EXPECT_EQ(id->uuidString(), "E621E1F8-C36C-495A-93FC-0C247A3E6E5F");
    EXPECT_EQ(*id, fixedId);
}

TEST(Uuid, RejectsTextsThatAreNotCanonical)
{
    const char *bad[] = {
        "",
        "E621E1F8C36C495A93FC0C247A3E6E5F",
        "{E621E1F8-C36C-495A-93FC-0C247A3E6E5F}",
        "E621E1F8-C36C-495A-93FC-0C247A3E6E5",
        "E621E1F8-C36C-495A-93FC-0C247A3E6E5FF",
        "E621E1F8-C36C-495A-93FC_0C247A3E6E5F",
        "G621E1F8-C36C-495A-93FC-0C247A3E6E5F",
        "E621E1F-8C36C-495A-93FC-0C247A3E6E5F",
        " E621E1F8-C36C-495A-93FC-0C247A3E6E5",
    };
    for (const char *text : bad)
        EXPECT_FALSE(Uuid::fromString(text)) << text;
}

TEST(Uuid, ReadsEveryByteAtEveryDigitPositionAsHexOrNothing)
{
    const std::string canonical = "00000000-0000-0000-0000-000000000000";
    std::size_t digit = 0;
    for (std::size_t position = 0; position < canonical.size(); ++position) {
        if (canonical[position] == '-')
            continue;
        for (int byte = 0; byte < 256; ++byte) {
            std::string text = canonical;
            text[position] = static_cast<char>(byte);
            const auto id = Uuid::fromString(text);
            const char c = static_cast<char>(byte);
            const int value = c >= '0' && c <= '9'   ? c - '0'
                              : c >= 'a' && c <= 'f' ? c - 'a' + 10
                              : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                     : -1;
            ASSERT_EQ(id.has_value(), value >= 0) << position << " " << byte;
            if (!id)
                continue;
            Uuid::Bytes expected{};
            expected[digit / 2] = static_cast<std::uint8_t>(digit % 2 ? value : value << 4);
            ASSERT_EQ(id->bytes(), expected) << position << " " << byte;
        }
        ++digit;
    }
}

TEST(Uuid, RandomIdsAreDistinctVersion4)
{
    std::set<std::string> seen;
    for (int i = 0; i < 1000; ++i) {
        const Uuid id = Uuid::random();
        EXPECT_EQ(id.bytes()[6] >> 4, 4);
        EXPECT_EQ(id.bytes()[8] >> 6, 0b10);
        seen.insert(id.uuidString());
    }
    EXPECT_EQ(seen.size(), 1000u);
}

TEST(TodoItem, GetsAFreshIdWhenNoneIsGiven)
{
    const TodoItem a("Buy milk", 0, TodoPriority::high);
    const TodoItem b("Buy milk", 0, TodoPriority::high);
    EXPECT_NE(a.id(), b.id());
    EXPECT_FALSE(a == b);
    const TodoItem copy = a;
    EXPECT_TRUE(copy == a);
}

TEST(TodoItem, EqualityComparesEveryField)
{
    const TodoItem base("Buy milk", 100.5, TodoPriority::high, fixedId);
    const struct {
        const char *what;
        TodoItem other;
        bool equal;
    } cases[] = {
        {"same", TodoItem("Buy milk", 100.5, TodoPriority::high, fixedId), true},
        {"other id", TodoItem("Buy milk", 100.5, TodoPriority::high, Uuid::random()), false},
        {"other name", TodoItem("Buy milk!", 100.5, TodoPriority::high, fixedId), false},
        {"name in other case", TodoItem("buy milk", 100.5, TodoPriority::high, fixedId), false},
        {"time one ulp later",
         TodoItem("Buy milk", std::nextafter(100.5, 200.0), TodoPriority::high, fixedId), false},
        {"other priority", TodoItem("Buy milk", 100.5, TodoPriority::low, fixedId), false},
    };
    for (const auto &c : cases)
        EXPECT_EQ(base == c.other, c.equal) << c.what;
}

TEST(TodoItem, NamesCompareUnderCanonicalEquivalence)
{
    const struct {
        const char *a;
        const char *b;
        bool equal;
    } cases[] = {
        {"Caf\u00E9", "Cafe\u0301", true}, // precomposed vs combining acute
        {"\u1E69", "s\u0323\u0307", true}, // dot below and above, reordered
        {"\u1E69", "s\u0307\u0323", true},
        {"\u212B", "\u00C5", true}, // Angstrom sign is a singleton
        {"Cafe", "Caf\u00E9", false},
        {"\uFB01", "fi", false}, // compatibility only, not canonical
        {"", "", true},
    };
    for (const auto &c : cases) {
        const TodoItem a(c.a, 0, TodoPriority::low, fixedId);
        const TodoItem b(c.b, 0, TodoPriority::low, fixedId);
        EXPECT_EQ(a == b, c.equal) << c.a << " / " << c.b;
    }
}

TEST(TodoItem, RemindsAtItsOwnAlarmOrTimeUnlessDoneOrDueOnADay)
{
    const TodoItem item("Tea", 1000, TodoPriority::low);
    const struct {
        TodoExtras extras;
        std::optional<double> reminder;
    } cases[] = {
        {{}, 1000},
        {{.alarm = -600}, 400},
        {{.wholeDay = true}, std::nullopt},
        {{.alarm = 3600, .wholeDay = true}, 4600},
        {{.completed = 900, .alarm = -600}, std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(item.withExtras(c.extras).reminderAt(), c.reminder);
}
