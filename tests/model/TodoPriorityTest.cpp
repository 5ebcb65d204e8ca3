// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <TodoItemCodingKey.h>
#include <TodoPriority.h>
#include <gtest/gtest.h>

TEST(TodoPriority, RawValuesAndCasesAreInDeclarationOrder)
{
    ASSERT_EQ(allTodoPriorities.size(), 3u);
    EXPECT_EQ(allTodoPriorities[0], TodoPriority::low);
    EXPECT_EQ(allTodoPriorities[1], TodoPriority::medium);
    EXPECT_EQ(allTodoPriorities[2], TodoPriority::high);
    EXPECT_EQ(rawValue(TodoPriority::low), "Low");
    EXPECT_EQ(rawValue(TodoPriority::medium), "Medium");
    EXPECT_EQ(rawValue(TodoPriority::high), "High");
}

TEST(TodoPriority, FromRawValueIsExactAndCaseSensitive)
{
    const struct {
        std::string_view text;
        std::optional<TodoPriority> expected;
    } cases[] = {
        {"Low", TodoPriority::low},   {"Medium", TodoPriority::medium},
        {"High", TodoPriority::high}, {"medium", std::nullopt},
        {"MEDIUM", std::nullopt},     {" Medium", std::nullopt},
        {"Medium ", std::nullopt},    {"", std::nullopt},
        {"Urgent", std::nullopt},     {std::string_view("Low\0", 4), std::nullopt},
    };
    for (const auto &c : cases)
        EXPECT_EQ(todoPriorityFromRawValue(c.text), c.expected) << c.text;
}

TEST(TodoPriority, HashIsTheHashOfTheRawString)
{
    for (TodoPriority priority : allTodoPriorities) {
        EXPECT_EQ(std::hash<TodoPriority>{}(priority),
                  std::hash<std::string_view>{}(rawValue(priority)));
    }
}

TEST(TodoItemCodingKey, KeysMatchExactlyAndInFieldOrder)
{
    const char *expected[] = {"id", "name", "time", "priority"};
    for (std::size_t i = 0; i < allTodoItemCodingKeys.size(); ++i) {
        EXPECT_EQ(stringValue(allTodoItemCodingKeys[i]), expected[i]);
        EXPECT_EQ(todoItemCodingKeyFromString(expected[i]), allTodoItemCodingKeys[i]);
    }
    EXPECT_EQ(todoItemCodingKeyFromString("ID"), std::nullopt);
    EXPECT_EQ(todoItemCodingKeyFromString("0"), std::nullopt);
    EXPECT_EQ(todoItemCodingKeyFromString("time "), std::nullopt);
}
