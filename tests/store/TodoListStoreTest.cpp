// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <QDir>
#include <QTemporaryDir>
#include <TodoJson.h>
#include <TodoListReadAhead.h>
#include <TodoListStore.h>
#include <atomic>
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

namespace {

// Counts the reads of the store, from any thread.
class CountingPreferences final : public Preferences {
public:
    explicit CountingPreferences(Preferences &store) : m_store(store) {}
    std::optional<QByteArray> data(const QString &key) const override
    {
        ++reads;
        return m_store.data(key);
    }
    QByteArray revision(const QString &key) const override { return m_store.revision(key); }
    bool setData(const QString &key, QByteArrayView value) override
    {
        return m_store.setData(key, value);
    }
    bool keepUnreadable(const QString &key, QByteArrayView value) override
    {
        return m_store.keepUnreadable(key, value);
    }
    mutable std::atomic<int> reads = 0;

private:
    Preferences &m_store;
};

} // namespace

TEST_F(TodoListStoreTest, AListReadAheadIsUsedOnlyWhileTheStoreStillHoldsIt)
{
    const std::vector<TodoItem> earlier = {TodoItem("earlier", 0, TodoPriority::low)};
    const std::vector<TodoItem> later = {TodoItem("later", 60, TodoPriority::high)};
    const auto json = [](const std::vector<TodoItem> &items) {
        return QByteArray::fromStdString(*encodeTodoList(items));
    };
    const QByteArray earlierJson = json(earlier);
    const struct {
        const char *name;
        std::optional<QByteArray> stored;
        std::optional<QByteArray> replacedBy; // after the read ahead; "" removes
        std::optional<std::vector<TodoItem>> expected;
        int reads;
        qsizetype asideCopies;
    } cases[] = {
        {"unchanged", earlierJson, std::nullopt, earlier, 1, 0},
        {"nothing stored", std::nullopt, std::nullopt, std::nullopt, 1, 0},
        {"replaced since", earlierJson, json(later), later, 2, 0},
        {"removed since", earlierJson, QByteArray(), std::nullopt, 2, 0},
        {"stored since", std::nullopt, earlierJson, earlier, 2, 0},
        {"unreadable: set aside by the caller", QByteArray("[1]"), std::nullopt, std::nullopt, 2,
         1},
    };
    for (const auto &c : cases) {
        QTemporaryDir folder;
        FilePreferences store(folder.path());
        if (c.stored) {
            ASSERT_TRUE(store.setData(todoListKey, *c.stored));
        }
        CountingPreferences counting(store);
        TodoListReadAhead readAhead(counting);
        readAhead.wait();
        EXPECT_TRUE(readAhead.isDone()) << c.name;
        if (c.replacedBy && c.replacedBy->isEmpty()) {
            ASSERT_TRUE(QFile::remove(folder.filePath(todoListKey)));
        } else if (c.replacedBy) {
            ASSERT_TRUE(store.setData(todoListKey, *c.replacedBy));
        }

        EXPECT_EQ(readAhead.read(), c.expected) << c.name;
        EXPECT_EQ(counting.reads, c.reads) << c.name;
        EXPECT_EQ(QDir(folder.path())
                      .entryList({QStringLiteral("TodoList.unreadable-*")}, QDir::Files)
                      .size(),
                  c.asideCopies)
            << c.name;
        EXPECT_EQ(readAhead.read(), readTodoList(store)) << c.name << ": then the store itself";
    }
}
