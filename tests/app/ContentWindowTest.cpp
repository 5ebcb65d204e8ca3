#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <QTemporaryDir>
#include <RecordingNotificationCenter.h>
#include <TodoListStore.h>
#include <gtest/gtest.h>

namespace {

class ContentWindowTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};
    FixedClock clock{0};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    ContentWindow window{view};
};

} // namespace

TEST_F(ContentWindowTest, ShowingLoadsAndClosingSaves)
{
    const std::vector<TodoItem> stored = {TodoItem("a", 1, TodoPriority::low)};
    ASSERT_TRUE(writeTodoList(preferences, stored));

    window.show();
    EXPECT_TRUE(view.isOnScreen());
    EXPECT_EQ(view.todoList(), stored);

    ASSERT_TRUE(preferences.setData(todoListKey, "[]"));
    window.close();
    EXPECT_FALSE(view.isOnScreen());
    EXPECT_EQ(readTodoList(preferences), stored) << "closing writes the list in memory";
}

TEST_F(ContentWindowTest, ShowingAgainReloads)
{
    window.show();
    window.hide();
    const std::vector<TodoItem> stored = {TodoItem("b", 2, TodoPriority::high)};
    ASSERT_TRUE(writeTodoList(preferences, stored));
    window.show();
    EXPECT_EQ(view.todoList(), stored);
}

TEST_F(ContentWindowTest, PaintsTheWindowBackgroundColour)
{
    window.resize(200, 100);
    window.show();
    const QImage image = window.grab().toImage();
    EXPECT_EQ(image.pixelColor(5, 5), window.palette().color(QPalette::Window));
}
