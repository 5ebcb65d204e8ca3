#include <ContentView.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <QTemporaryDir>
#include <RecordingNotificationCenter.h>
#include <TodoListStore.h>
#include <gtest/gtest.h>

namespace {

class ContentViewTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};
    FixedClock clock{786310212.75};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
};

} // namespace

TEST_F(ContentViewTest, StartsWithTheFixedInitialState)
{
    EXPECT_EQ(view.newTodoName(), QString());
    EXPECT_TRUE(view.todoList().empty());
    EXPECT_FALSE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), std::nullopt);
    EXPECT_EQ(view.selectedPriority(), TodoPriority::medium);
    EXPECT_EQ(view.currentDate(), 786310212.75);
    EXPECT_EQ(view.selectedHour(), 0);
    EXPECT_EQ(view.selectedMinute(), 0);
    EXPECT_TRUE(view.isAM());
    EXPECT_FALSE(preferences.data(todoListKey)) << "making the view reads and writes nothing";
}

TEST_F(ContentViewTest, CurrentDateIsNotRefreshed)
{
    clock.set(786310212.75 + 86400);
    view.appear();
    EXPECT_EQ(view.currentDate(), 786310212.75);
}

TEST_F(ContentViewTest, FirstRunStoresAnEmptyArrayWhenTheViewLeaves)
{
    view.appear();
    EXPECT_TRUE(view.todoList().empty());
    view.disappear();
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
}

TEST_F(ContentViewTest, AppearingLoadsAndReplacesTheList)
{
    const std::vector<TodoItem> stored = {TodoItem("a", 1, TodoPriority::low),
                                          TodoItem("b", 2, TodoPriority::high)};
    ASSERT_TRUE(writeTodoList(preferences, stored));
    int resets = 0;
    QObject::connect(&view, &ContentView::todoListReset, [&] { ++resets; });
    view.appear();
    EXPECT_EQ(view.todoList(), stored);
    EXPECT_EQ(resets, 1);

    view.disappear();
    const std::vector<TodoItem> replaced = {TodoItem("c", 3, TodoPriority::medium)};
    ASSERT_TRUE(writeTodoList(preferences, replaced));
    view.appear();
    EXPECT_EQ(view.todoList(), replaced);
}

TEST_F(ContentViewTest, AnUnreadableStoreLeavesTheListAsItWas)
{
    const std::vector<TodoItem> stored = {TodoItem("a", 1, TodoPriority::low)};
    ASSERT_TRUE(writeTodoList(preferences, stored));
    view.appear();
    view.disappear();
    ASSERT_TRUE(preferences.setData(todoListKey, "[{]"));
    view.appear();
    EXPECT_EQ(view.todoList(), stored);
}

TEST_F(ContentViewTest, LeavingSavesOncePerAppearance)
{
    view.appear();
    view.disappear();
    ASSERT_TRUE(preferences.setData(todoListKey, "sentinel"));
    view.disappear();
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("sentinel"));
}

TEST_F(ContentViewTest, FormSettersWriteTheirFields)
{
    view.setNewTodoName(QStringLiteral("Buy milk"));
    view.setSelectedPriority(TodoPriority::high);
    view.setSelectedHour(12);
    view.setSelectedMinute(5);
    view.setIsAM(false);
    EXPECT_EQ(view.newTodoName(), QStringLiteral("Buy milk"));
    EXPECT_EQ(view.selectedPriority(), TodoPriority::high);
    EXPECT_EQ(view.selectedHour(), 12);
    EXPECT_EQ(view.selectedMinute(), 5);
    EXPECT_FALSE(view.isAM());
}

TEST_F(ContentViewTest, AppearingAsksForReminderPermissionBeforeLoading)
{
    ASSERT_TRUE(writeTodoList(preferences, {TodoItem("a", 1, TodoPriority::low)}));
    view.appear();
    ASSERT_EQ(notifications.authorizationRequests.size(), 1u);
    EXPECT_EQ(notifications.authorizationRequests.front().options, 6);
    EXPECT_EQ(view.todoList().size(), 1u);
    EXPECT_TRUE(notifications.added.empty()) << "loading schedules nothing";

    // The request comes first and the load does not wait for its answer.
    view.disappear();
    std::size_t listSizeAtRequest = 99;
    class ProbeCenter final : public NotificationCenter {
    public:
        std::function<void()> onRequest;
        void requestAuthorization(int, AuthorizationCompletion) override { onRequest(); }
        void add(const NotificationRequest &) override {}
        void removePendingRequests(const QStringList &) override {}
    } probe;
    ReminderScheduler probeScheduler(probe);
    ContentView fresh(preferences, probeScheduler, clock);
    probe.onRequest = [&] { listSizeAtRequest = fresh.todoList().size(); };
    fresh.appear();
    EXPECT_EQ(listSizeAtRequest, 0u);
    EXPECT_EQ(fresh.todoList().size(), 1u);
}
