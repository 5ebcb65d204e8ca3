// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <TodoJson.h>
#include <bit>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace {

const Uuid fixedId = *Uuid::fromString("E621E1F8-C36C-495A-93FC-0C247A3E6E5F");

std::string itemJson(std::string_view members)
{
    return "{" + std::string(members) + "}";
}

constexpr std::string_view validMembers =
    R"("id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Buy milk","time":786310200,"priority":"High")";

} // namespace

TEST(TodoJson, WritesCompactMembersInFieldOrder)
{
    const TodoItem item("Buy \"milk\"\n", 786310200, TodoPriority::high, fixedId);
    EXPECT_EQ(encodeTodoItem(item),
              R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"Buy \"milk\"\n",)"
              R"("time":786310200,"priority":"High"})");
    EXPECT_EQ(encodeTodoList({}), "[]");
    EXPECT_EQ(encodeTodoList({item, item}),
              "[" + *encodeTodoItem(item) + "," + *encodeTodoItem(item) + "]");
}

TEST(TodoJson, EscapesControlCharactersAndKeepsUnicode)
{
    const TodoItem item("a\x01\t\\/\u00E9\U0001F600", 0, TodoPriority::low, fixedId);
    const auto json = encodeTodoItem(item);
    ASSERT_TRUE(json);
    EXPECT_NE(json->find(R"("name":"a\u0001\t\\/)"
                         "\u00E9\U0001F600"
                         R"(")"),
              std::string::npos)
        << *json;
    EXPECT_EQ(decodeTodoItem(*json), item);
}

TEST(TodoJson, IllFormedUtf8InANameIsWrittenAsReplacementCharacter)
{
    const TodoItem item(std::string("ok\xFF\xC3(\xED\xA0\x80!"), 0, TodoPriority::low, fixedId);
    const auto json = encodeTodoItem(item);
    ASSERT_TRUE(json);
    const auto read = decodeTodoItem(*json);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name(), "ok\uFFFD\uFFFD(\uFFFD\uFFFD\uFFFD!");
}

TEST(TodoJson, TimeRoundTripsBitForBit)
{
    const double times[] = {
        0.0,
        -0.0,
        1.0,
        -1.0,
        786310200.0,
        786310200.123456789,
        -978307200.5,
        0.1,
        1e300,
        -1e300,
        1e-300,
        std::numeric_limits<double>::denorm_min(),
        std::numeric_limits<double>::max(),
        std::numeric_limits<double>::lowest(),
        9007199254740993.0,
        12345678901234567890.0,
        18446744073709551616.0, // written as a 20-digit integer
        1e22,
    };
    for (double time : times) {
        const TodoItem item("x", time, TodoPriority::medium, fixedId);
        const auto json = encodeTodoList({item});
        ASSERT_TRUE(json) << time;
        const auto read = decodeTodoList(*json);
        ASSERT_TRUE(read) << *json;
        ASSERT_EQ(read->size(), 1u);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(read->front().time()),
                  std::bit_cast<std::uint64_t>(time))
            << *json;
        EXPECT_EQ(read->front(), item);
    }
}

TEST(TodoJson, WritingFailsOnlyForANonFiniteTime)
{
    const double bad[] = {std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity(),
                          std::numeric_limits<double>::quiet_NaN()};
    for (double time : bad) {
        const TodoItem item("x", time, TodoPriority::low, fixedId);
        EXPECT_FALSE(encodeTodoItem(item));
        EXPECT_FALSE(encodeTodoList({TodoItem("fine", 0, TodoPriority::low), item}));
    }
}

TEST(TodoJson, ReadsEveryNumberFormAndAnyMemberOrder)
{
    const struct {
        std::string json;
        double time;
    } cases[] = {
        {itemJson(validMembers), 786310200},
        {R"({"priority":"Low","time":-1.5e3,"name":"","id":"e621e1f8-c36c-495a-93fc-0c247a3e6e5f"})",
         -1500},
        {R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","time":0.25E1,"priority":"Low"})",
         2.5},
        {R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","time":18446744073709551615,"priority":"Low"})",
         18446744073709551615.0},
        {R"( { "id" : "E621E1F8-C36C-495A-93FC-0C247A3E6E5F" , "name":"n", "time":-0, "priority":"Low" } )",
         0},
        {R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","time":100000000000000000000,"priority":"Low"})",
         1e20},
        {R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"n","time":-9223372036854775809,"priority":"Low"})",
         -9223372036854775808.0},
        {"\xEF\xBB\xBF" + itemJson(validMembers), 786310200},
    };
    for (const auto &c : cases) {
        const auto item = decodeTodoItem(c.json);
        ASSERT_TRUE(item) << c.json;
        EXPECT_EQ(item->time(), c.time) << c.json;
        EXPECT_EQ(item->id(), fixedId);
    }
}

TEST(TodoJson, IgnoresMembersWithOtherKeys)
{
    const std::string json =
        itemJson(std::string(validMembers) +
                 R"(,"done":true,"tags":[1,{"id":null}],"x":{"time":"no"},"n":null,)"
                 R"("serial":123456789012345678901234567890,"deep":)" +
                 std::string(2000, '[') + std::string(2000, ']'));
    const auto item = decodeTodoItem(json);
    ASSERT_TRUE(item) << json;
    EXPECT_EQ(*item, TodoItem("Buy milk", 786310200, TodoPriority::high, fixedId));
}

TEST(TodoJson, ReadingFailsForAnyBadValue)
{
    const std::string good = itemJson(validMembers);
    const auto replaced = [&](std::string_view from, std::string_view to) {
        std::string json = good;
        json.replace(json.find(from), from.size(), to);
        return json;
    };
    const struct {
        const char *what;
        std::string json;
    } cases[] = {
        {"empty input", ""},
        {"not JSON", "Buy milk"},
        {"object instead of array", good},
        {"array of a number", "[1]"},
        {"nested array", "[[" + good + "]]"},
        {"array of null", "[null]"},
        {"trailing content", "[" + good + "]x"},
        {"two values", "[][]"},
        {"trailing comma", "[" + good + ",]"},
        {"unterminated", "[" + good},
        {"NUL byte after the array", std::string("[]\0", 3)},
        {"NUL byte in a name", "[" + replaced("Buy milk", std::string("Buy\0milk", 8)) + "]"},
        {"invalid UTF-8 in a name", "[" + replaced("Buy milk", "Buy \xFF") + "]"},
        {"lone surrogate escape", "[" + replaced("Buy milk", "\\uD800") + "]"},
        {"comment", "[/* x */" + good + "]"},
        {"missing id", "[" + replaced(R"("id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F",)", "") + "]"},
        {"missing name", "[" + replaced(R"("name":"Buy milk",)", "") + "]"},
        {"missing time", "[" + replaced(R"("time":786310200,)", "") + "]"},
        {"missing priority", "[" + replaced(R"(,"priority":"High")", "") + "]"},
        {"null id", "[" + replaced(R"("E621E1F8-C36C-495A-93FC-0C247A3E6E5F")", "null") + "]"},
        {"null name", "[" + replaced(R"("Buy milk")", "null") + "]"},
        {"null time", "[" + replaced("786310200", "null") + "]"},
        {"null priority", "[" + replaced(R"("High")", "null") + "]"},
        {"id not a UUID", "[" + replaced("E621E1F8-C36C", "E621E1F8_C36C") + "]"},
        {"id a number", "[" + replaced(R"("E621E1F8-C36C-495A-93FC-0C247A3E6E5F")", "1") + "]"},
        {"name a number", "[" + replaced(R"("Buy milk")", "7") + "]"},
        {"name an array", "[" + replaced(R"("Buy milk")", R"(["Buy milk"])") + "]"},
        {"time a string", "[" + replaced("786310200", R"("786310200")") + "]"},
        {"time beyond the double range", "[" + replaced("786310200", "1e400") + "]"},
        {"long integer with a leading zero",
         "[" + replaced("786310200", "0786310200786310200786310200") + "]"},
        {"time a boolean", "[" + replaced("786310200", "true") + "]"},
        {"time an object", "[" + replaced("786310200", R"({"seconds":1})") + "]"},
        {"priority lower case", "[" + replaced(R"("High")", R"("high")") + "]"},
        {"priority with a space", "[" + replaced(R"("High")", R"(" High")") + "]"},
        {"priority unknown", "[" + replaced(R"("High")", R"("Urgent")") + "]"},
        {"priority a number", "[" + replaced(R"("High")", "2") + "]"},
        {"completed a string", "[" + replaced(R"("High")", R"("High","completed":"yes")") + "]"},
        {"completed null", "[" + replaced(R"("High")", R"("High","completed":null)") + "]"},
        {"rrule a number", "[" + replaced(R"("High")", R"("High","rrule":1)") + "]"},
        {"rrule empty", "[" + replaced(R"("High")", R"("High","rrule":"")") + "]"},
        {"uid empty", "[" + replaced(R"("High")", R"("High","uid":"")") + "]"},
        {"wholeDay false", "[" + replaced(R"("High")", R"("High","wholeDay":false)") + "]"},
        {"alarm a string", "[" + replaced(R"("High")", R"("High","alarm":"-PT1H")") + "]"},
        {"occurrenceOf not a UUID",
         "[" + replaced(R"("High")", R"("High","occurrenceOf":"x")") + "]"},
        {"one bad element of three",
         "[" + good + "," + replaced(R"("High")", R"("Top")") + "," + good + "]"},
    };
    for (const auto &c : cases)
        EXPECT_FALSE(decodeTodoList(c.json)) << c.what;
}

TEST(TodoJson, ListsReadBackInStoredOrder)
{
    const std::vector<TodoItem> items = {
        TodoItem("first", 1, TodoPriority::low),
        TodoItem("second", 2, TodoPriority::medium),
        TodoItem("", -3.75, TodoPriority::high),
    };
    const auto read = decodeTodoList(*encodeTodoList(items));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, items);
    EXPECT_EQ(decodeTodoList("[]"), std::vector<TodoItem>{});
    EXPECT_EQ(decodeTodoList(" [ ] "), std::vector<TodoItem>{});
}

// Read in slices of a few bytes, a list reads as it does whole, wherever a
// "},{" falls: between to-dos, at the end of a name or in an unknown member.
TEST(TodoJson, ListsReadInSlicesAsWhole)
{
    const auto item = [](std::string_view name, std::string_view time = "786310200",
                         std::string_view priority = "High") {
        return R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":")" + std::string(name) +
               R"(","time":)" + std::string(time) + R"(,"priority":")" + std::string(priority) +
               R"("})";
    };
    const std::string plain = item("Buy milk");
    const std::string cases[] = {
        "[" + plain + "," + plain + "," + plain + "]",
        "\xEF\xBB\xBF [ " + plain + ",\n" + plain + " ] \n",
        "[" + item("a},{") + "," + item("},{\\\"},{") + "," + plain + "]",
        "[" + plain + R"(,{"x":[{},{}],)" + item("b").substr(1) + "," + plain + "]",
        "[" + plain + "," + plain + "," + item("c", "7863102007863102007863") + "]",
        "[" + plain + "," + plain + ",]",
        "[" + plain + "," + plain + "," + item("d", "786310200", "Top") + "]",
        "[" + plain + "," + plain + "]]",
        "[" + plain + "},{" + plain + "]",
        "{" + plain.substr(1) + "," + plain + "]",
    };
    for (const std::string &json : cases) {
        const auto whole = decodeTodoList(json, 0, SIZE_MAX);
        for (const std::size_t slice : {1, 7, 60, 200})
            EXPECT_EQ(decodeTodoList(json, 0, slice), whole) << json << " in slices of " << slice;
    }
    EXPECT_EQ(decodeTodoList(cases[0], 0, 1)->size(), 3u);
    EXPECT_EQ(decodeTodoList(cases[2], 0, 1)->at(1).name(), "},{\"},{");
}

TEST(TodoJson, ExtrasAreWrittenOnlyWhenPresentAndReadBack)
{
    const TodoItem plain("Buy milk", 786310200, TodoPriority::high, fixedId);
    EXPECT_EQ(encodeTodoItem(plain), itemJson(validMembers));
    const Uuid series = *Uuid::fromString("0B7A57C3-2C25-4F4B-9D4C-2E0C8E0D4B11");
    const struct {
        TodoExtras extras;
        std::string members;
    } cases[] = {
        {{.completed = 786313800.5}, R"(,"completed":786313800.5)"},
        {{.rrule = "FREQ=WEEKLY;BYDAY=MO,WE"}, R"(,"rrule":"FREQ=WEEKLY;BYDAY=MO,WE")"},
        {{.uid = "abc@phone"}, R"(,"uid":"abc@phone")"},
        {{.completed = 1, .occurrenceOf = series},
         R"(,"completed":1,"occurrenceOf":"0B7A57C3-2C25-4F4B-9D4C-2E0C8E0D4B11")"},
        {{.alarm = -86400, .wholeDay = true}, R"(,"alarm":-86400,"wholeDay":true)"},
    };
    for (const auto &c : cases) {
        const TodoItem item = plain.withExtras(c.extras);
        EXPECT_NE(item, plain);
        EXPECT_EQ(encodeTodoItem(item), itemJson(std::string(validMembers) + c.members));
        EXPECT_EQ(decodeTodoList(*encodeTodoList({item, plain})),
                  (std::vector<TodoItem>{item, plain}));
    }
    EXPECT_FALSE(encodeTodoItem(
        plain.withExtras({.completed = std::numeric_limits<double>::infinity()})));
}
