// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <QDir>
#include <QTemporaryDir>
#include <TodoListStore.h>
#include <gtest/gtest.h>
#include <limits>

namespace {

class TodoListStoreTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};

    QStringList asideCopies() const
    {
        return QDir(temporary.path())
            .entryList({QStringLiteral("TodoList.unreadable-*")}, QDir::Files);
    }
};

} // namespace

TEST_F(TodoListStoreTest, NothingStoredReadsAsNoList)
{
    EXPECT_FALSE(readTodoList(preferences));
    EXPECT_TRUE(asideCopies().isEmpty());
}

TEST_F(TodoListStoreTest, EmptyListIsStoredAsAnEmptyArray)
{
    ASSERT_TRUE(writeTodoList(preferences, {}));
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
    EXPECT_EQ(readTodoList(preferences), std::vector<TodoItem>{});
}

TEST_F(TodoListStoreTest, ItemsReadBackEqualAndInOrder)
{
    const std::vector<TodoItem> items = {
        TodoItem("Buy milk", 786310200, TodoPriority::high),
        TodoItem("Call Ana", 786313800.5, TodoPriority::low),
        TodoItem("Caf\u00E9", -12, TodoPriority::medium),
    };
    ASSERT_TRUE(writeTodoList(preferences, items));
    EXPECT_EQ(readTodoList(preferences), items);
}

TEST_F(TodoListStoreTest, UnreadableValueIsLeftInPlaceAndCopiedAside)
{
    const QByteArray bad[] = {
        "not json",
        R"({"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F"})",
        R"([{"id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","name":"a","time":0,"priority":"Top"}])",
        "",
    };
    for (const QByteArray &value : bad) {
        for (const QString &copy : asideCopies())
            QFile::remove(temporary.path() + QLatin1Char('/') + copy);
        ASSERT_TRUE(preferences.setData(todoListKey, value));
        EXPECT_FALSE(readTodoList(preferences)) << value.toStdString();
        EXPECT_EQ(preferences.data(todoListKey), value);
        const QStringList copies = asideCopies();
        ASSERT_EQ(copies.size(), 1) << value.toStdString();
        EXPECT_EQ(preferences.data(copies.front()), value);
    }
}

TEST_F(TodoListStoreTest, FailedEncodingKeepsTheEarlierValue)
{
    ASSERT_TRUE(preferences.setData(todoListKey, "[]"));
    const std::vector<TodoItem> items = {
        TodoItem("ok", 0, TodoPriority::low),
        TodoItem("never", std::numeric_limits<double>::infinity(), TodoPriority::low),
    };
    EXPECT_FALSE(writeTodoList(preferences, items));
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}
