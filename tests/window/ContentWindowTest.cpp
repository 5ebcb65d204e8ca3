// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AccessibleInterfaces.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <DayButton.h>
#include <DayPicker.h>
#include <DeleteAlert.h>
#include <EditTodoDialog.h>
#include <EntryRow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <Palette.h>
#include <PriorityMenu.h>
#include <RecordingNotificationCenter.h>
#include <RescueBar.h>
#include <RoundAddButton.h>
#include <StoredFile.h>
#include <TodoListModel.h>
#include <TodoListRescue.h>
#include <TodoListStore.h>
#include <TodoListView.h>
#include <TodoRowDelegate.h>
#include <UndoBar.h>

#include <MenuPicker.h>
#include <QAbstractItemModelTester>
#include <QAccessible>
#include <QCalendarWidget>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

class ContentWindowTest : public ::testing::Test {
protected:
    // Before any widget: Qt keeps the first interface it makes for one.
    static void SetUpTestSuite() { installAccessibleInterfaces(); }

    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};
    FixedClock clock{0};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock, utc};
    ContentWindow window{view};

    static LocalCalendar utc() { return LocalCalendar("UTC"); }

    EntryRow &entry() { return *window.entryRow(); }

    // The rectangle of `row` in the list's viewport, after the list has laid it out.
    QRect rowRect(int row)
    {
        QApplication::processEvents();
        return window.listView()->visualRect(window.listView()->model()->index(row, 0));
    }
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

TEST_F(ContentWindowTest, CtrlQClosesTheWindowAndSaves)
{
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(entry().nameField(), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
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

TEST_F(ContentWindowTest, FormShowsTheInitialState)
{
    window.show();
    EXPECT_EQ(window.priorityMenu()->combo()->currentText(), QStringLiteral("Medium"));
    EXPECT_EQ(entry().hourMenu()->currentIndex(), -1) << "hour 0 matches no option";
    EXPECT_EQ(entry().minuteMenu()->currentText(), QStringLiteral("00"));
    EXPECT_EQ(entry().amPmMenu()->currentText(), QStringLiteral("AM"));
    EXPECT_EQ(entry().nameField()->text(), QString());
    EXPECT_EQ(entry().nameField()->placeholderText(), QStringLiteral("Add Todo"));
    EXPECT_EQ(entry().dayButton()->text(), QStringLiteral("Monday, 1, 2001"));

    QStringList hours;
    for (int i = 0; i < entry().hourMenu()->count(); ++i)
        hours << entry().hourMenu()->itemText(i);
    EXPECT_EQ(hours.size(), 12);
    EXPECT_EQ(hours.front(), QStringLiteral("01"));
    EXPECT_EQ(hours.back(), QStringLiteral("12"));
    EXPECT_EQ(entry().minuteMenu()->count(), 60);
    EXPECT_EQ(entry().minuteMenu()->itemText(59), QStringLiteral("59"));
    EXPECT_EQ(entry().hourMenu()->width(), 60);
    EXPECT_EQ(entry().minuteMenu()->width(), 60);
    EXPECT_EQ(entry().amPmMenu()->width(), 60);
}

TEST_F(ContentWindowTest, PicksWriteTheirValues)
{
    window.show();
    QTest::keyClick(entry().hourMenu(), Qt::Key_End);
    EXPECT_EQ(view.selectedHour(), 12);
    QTest::keyClick(entry().minuteMenu(), Qt::Key_Home);
    for (int i = 0; i < 5; ++i)
        QTest::keyClick(entry().minuteMenu(), Qt::Key_Down);
    EXPECT_EQ(entry().minuteMenu()->currentText(), QStringLiteral("05"));
    EXPECT_EQ(view.selectedMinute(), 5);
    QTest::keyClick(entry().amPmMenu(), Qt::Key_End);
    EXPECT_FALSE(view.isAM());
    QTest::keyClick(entry().amPmMenu(), Qt::Key_Home);
    EXPECT_TRUE(view.isAM());
    QTest::keyClick(window.priorityMenu()->combo(), Qt::Key_Up);
    EXPECT_EQ(view.selectedPriority(), TodoPriority::low);
    QTest::keyClicks(entry().nameField(), QStringLiteral("Tea"));
    EXPECT_EQ(view.newTodoName(), QStringLiteral("Tea"));
}

TEST_F(ContentWindowTest, ReturnInTheNameFieldDoesNothing)
{
    window.show();
    QTest::keyClicks(entry().nameField(), QStringLiteral("Buy milk"));
    QTest::keyClick(entry().nameField(), Qt::Key_Return);
    EXPECT_TRUE(view.todoList().empty());
    EXPECT_EQ(entry().nameField()->text(), QStringLiteral("Buy milk"));
}

TEST_F(ContentWindowTest, TheAddButtonAddsARowAndClearsOnlyTheName)
{
    window.show();
    QTest::keyClick(window.priorityMenu()->combo(), Qt::Key_End);
    QTest::keyClicks(entry().nameField(), QStringLiteral("Buy milk "));
    QTest::keyClick(entry().hourMenu(), Qt::Key_Home);
    QTest::mouseClick(entry().addButton(), Qt::LeftButton);

    ASSERT_EQ(view.todoList().size(), 1u);
    EXPECT_EQ(view.todoList().front().name(), "Buy milk");
    EXPECT_EQ(entry().nameField()->text(), QString());
    EXPECT_EQ(window.priorityMenu()->combo()->currentText(), QStringLiteral("High"));
    EXPECT_EQ(entry().hourMenu()->currentText(), QStringLiteral("01"));
    EXPECT_EQ(window.listView()->model()->rowCount(), 1);
    view.finishSavesForTesting();
    EXPECT_EQ(notifications.added.size(), 1u);

    QTest::mouseClick(entry().addButton(), Qt::LeftButton);
    EXPECT_EQ(view.todoList().size(), 1u) << "an empty name adds nothing";
}

TEST_F(ContentWindowTest, RowsShowNameTimeAndPriorityInListOrder)
{
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    const double evening = *utc().instant(2026, 3, 5, 19, 30, 0);
    ASSERT_TRUE(writeTodoList(preferences, {TodoItem("Buy milk", evening, TodoPriority::high),
                                            TodoItem("Tea", evening, TodoPriority::low)}));
    window.show();
    const QAbstractItemModel *model = window.listView()->model();
    ASSERT_EQ(model->rowCount(), 2);
    EXPECT_EQ(model->index(0, 0).data().toString(), QStringLiteral("Buy milk"));
    EXPECT_EQ(model->index(1, 0).data().toString(), QStringLiteral("Tea"));
    EXPECT_EQ(
        model->index(0, 0).data(Qt::AccessibleTextRole).toString().replace(QChar(0x202F), ' '),
        QStringLiteral("Buy milk, Thu, Mar 5, 7:30 PM, High"))
        << "another day than today is said";
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(ContentWindowTest, PriorityColoursAreGreenOrangeRed)
{
    const struct {
        TodoPriority priority;
        int minimumHue;
        int maximumHue;
    } cases[] = {
        {TodoPriority::low, 90, 150}, {TodoPriority::medium, 20, 45}, {TodoPriority::high, 0, 10}};
    for (const auto &c : cases) {
        const int hue = Palette::priorityColor(c.priority).hue();
        EXPECT_GE(hue, c.minimumHue) << rawValue(c.priority);
        EXPECT_LE(hue, c.maximumHue) << rawValue(c.priority);
    }
}

namespace {

class DeletingTest : public ContentWindowTest {
protected:
    std::vector<TodoItem> stored = {
        TodoItem("a", 1, TodoPriority::low), TodoItem("b", 2, TodoPriority::high),
        TodoItem("c", 3, TodoPriority::medium), TodoItem("d", 4, TodoPriority::low)};

    void SetUp() override
    {
        ASSERT_TRUE(writeTodoList(preferences, stored));
        window.resize(700, 500);
        window.show();
        ASSERT_EQ(view.todoList(), stored);
    }

    QWidget *viewport() { return window.listView()->viewport(); }

    void clickTrash(int row)
    {
        QTest::mouseClick(viewport(), Qt::LeftButton, {},
                          TodoRowDelegate::trashRect(rowRect(row)).center());
    }

    QMessageBox *alert()
    {
        // The box, or null when none came in time.
        return QTest::qWaitFor([&] { return window.deleteAlert()->box() != nullptr; }, 2000)
                   ? window.deleteAlert()->box()
                   : nullptr;
    }

    static QAbstractButton *button(QMessageBox *box, QMessageBox::ButtonRole role)
    {
        for (QAbstractButton *candidate : box->buttons()) {
            if (box->buttonRole(candidate) == role)
                return candidate;
        }
        return nullptr;
    }
};

} // namespace

TEST_F(DeletingTest, TrashAsksFirstAndDeleteRemovesThatRow)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowRect(2).topLeft() + QPoint(60, 10));
    EXPECT_FALSE(view.deleteAlertShown()) << "a click elsewhere in the row does nothing";

    clickTrash(2);
    QMessageBox *box = alert();
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), 2);
    EXPECT_EQ(box->windowModality(), Qt::WindowModal);
    EXPECT_EQ(box->windowTitle(), QStringLiteral("Delete Todo"));
    EXPECT_EQ(box->informativeText(), QStringLiteral("Are you sure you want to delete this item?"));
    QAbstractButton *deleteButton = button(box, QMessageBox::DestructiveRole);
    ASSERT_NE(deleteButton, nullptr);
    EXPECT_EQ(deleteButton->text(), QStringLiteral("Delete"));
    ASSERT_NE(box->button(QMessageBox::Cancel), nullptr);
    EXPECT_EQ(view.todoList().size(), 4u) << "nothing is deleted before confirmation";

    QTest::mouseClick(deleteButton, Qt::LeftButton);
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{stored[0], stored[1], stored[3]}));
    EXPECT_FALSE(view.deleteAlertShown());
    ASSERT_EQ(notifications.removed.size(), 1u);
    EXPECT_EQ(notifications.removed.front(),
              QStringList{QString::fromStdString(stored[2].id().uuidString())});
    EXPECT_EQ(window.listView()->model()->rowCount(), 3);
}

TEST_F(DeletingTest, CancelAndEscapeKeepEverything)
{
    clickTrash(1);
    ASSERT_NE(alert(), nullptr);
    QTest::mouseClick(alert()->button(QMessageBox::Cancel), Qt::LeftButton);
    EXPECT_FALSE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), std::nullopt);

    clickTrash(1);
    ASSERT_NE(alert(), nullptr);
    QTest::keyClick(alert(), Qt::Key_Escape);
    EXPECT_FALSE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), std::nullopt);
    EXPECT_EQ(view.todoList(), stored);
    EXPECT_TRUE(notifications.removed.empty());
}

TEST_F(DeletingTest, SelectedRowsGoAtOnceWithTheDeleteKey)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowRect(1).topLeft() + QPoint(60, 10));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier,
                      rowRect(3).topLeft() + QPoint(60, 10));
    QTest::keyClick(window.listView(), Qt::Key_Delete);
    EXPECT_FALSE(view.deleteAlertShown()) << "the list's own action asks nothing";
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{stored[0], stored[2]}));
    EXPECT_EQ(notifications.removed.size(), 2u);

    window.listView()->setFocus();
    QTest::keyClick(window.listView(), Qt::Key_Home);
    QTest::keyClick(window.listView(), Qt::Key_Down, Qt::ShiftModifier);
    QTest::keyClick(window.listView(), Qt::Key_Backspace);
    EXPECT_TRUE(view.todoList().empty());
}

TEST_F(DeletingTest, TheContextMenuAsksBeforeDeletingTheRow)
{
    bool menuSeen = false;
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
        if (!menu)
            return;
        answer.stop();
        menuSeen = true;
        ASSERT_EQ(menu->actions().size(), 2);
        EXPECT_EQ(menu->actions().front()->text(), QStringLiteral("Edit…"));
        EXPECT_EQ(menu->actions().back()->text(), QStringLiteral("Delete…"));
        menu->setActiveAction(menu->actions().back());
        QTest::keyClick(menu, Qt::Key_Return);
    });
    answer.start();
    const QPoint at = rowRect(3).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &event);
    EXPECT_TRUE(menuSeen);
    ASSERT_NE(alert(), nullptr);
    EXPECT_EQ(view.deleteIndex(), 3);
    QTest::mouseClick(button(alert(), QMessageBox::DestructiveRole), Qt::LeftButton);
    EXPECT_EQ(view.todoList().size(), 3u);
}

TEST_F(ContentWindowTest, ControlsHaveAccessibleNamesAndTabInVisualOrder)
{
    window.show();
    const std::pair<QWidget *, const char *> controls[] = {
        {window.priorityMenu()->combo(), "Priority"},
        {window.listView(), nullptr},
        {entry().nameField(), "Add Todo"},
        {entry().dayButton(), "Monday, 1, 2001"},
        {entry().hourMenu(), "Hour"},
        {entry().minuteMenu(), "Minute"},
        {entry().amPmMenu(), "AM/PM"},
        {entry().addButton(), "Add"},
    };
    for (const auto &[widget, name] : controls) {
        if (name) {
            EXPECT_EQ(widget->accessibleName(), QString::fromLatin1(name));
        }
    }
    for (std::size_t i = 0; i + 1 < std::size(controls); ++i) {
        QWidget *next = controls[i].first->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus || !next->isVisibleTo(&window))
            next = next->nextInFocusChain();
        EXPECT_EQ(next, controls[i + 1].first) << "after control " << i;
    }
}

TEST_F(ContentWindowTest, AHugeNameIsShownShortenedAndKeptWhole)
{
    std::string huge;
    while (huge.size() < 10'000'000)
        huge += "word \u00E9\U0001F600 ";
    ASSERT_TRUE(writeTodoList(preferences, {TodoItem(huge, 0, TodoPriority::low)}));
    window.show();
    ASSERT_EQ(view.todoList().size(), 1u);
    const QString shown = window.listView()->model()->index(0, 0).data().toString();
    EXPECT_EQ(shown.size(), 2001);
    EXPECT_TRUE(shown.endsWith(QChar(0x2026)));
    EXPECT_TRUE(QString::fromStdString(huge).startsWith(shown.chopped(1)));
    window.close();
    EXPECT_EQ(readTodoList(preferences)->front().name(), huge);
}

TEST_F(ContentWindowTest, LongNamesWrapAgainWhenTheWindowNarrows)
{
    ASSERT_TRUE(writeTodoList(
        preferences, {TodoItem("A rather long name that will need more lines as the window narrows",
                               0, TodoPriority::low)}));
    window.resize(1600, 500);
    window.show();
    const int wide = rowRect(0).height();
    window.resize(700, 500);
    QApplication::processEvents();
    ASSERT_LE(window.width(), 800);
    const int narrow = rowRect(0).height();
    EXPECT_GT(narrow, wide);
}

TEST(ContentWindowToday, TheDateLabelAndRowTimesFollowTheDayAndTheZone)
{
    installAccessibleInterfaces();
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    QTemporaryDir temporary;
    FilePreferences preferences(temporary.path());
    const double evening = *LocalCalendar("UTC").instant(2001, 1, 1, 19, 30, 0);
    ASSERT_TRUE(writeTodoList(preferences, {TodoItem("Tea", evening, TodoPriority::low)}));
    FixedClock clock(evening + 1800); // Monday 20:00 in UTC, Tuesday 05:00 in Tokyo
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    ContentView view(preferences, reminders, clock);
    ContentWindow window(view);
    window.show();
    view.followToday();
    const auto timeText = [&] {
        return window.listView()
            ->model()
            ->index(0, 0)
            .data(TodoListModel::TimeTextRole)
            .toString()
            .replace(QChar(0x202F), QLatin1Char(' '));
    };
    EXPECT_EQ(window.entryRow()->dayButton()->text(), QStringLiteral("Monday, 1, 2001"));
    EXPECT_EQ(timeText(), QStringLiteral("7:30 PM"));

    ::setenv("TZ", "Asia/Tokyo", 1);
    view.followToday();
    EXPECT_EQ(window.entryRow()->dayButton()->text(), QStringLiteral("Tuesday, 2, 2001"));
    EXPECT_EQ(timeText(), QStringLiteral("4:30 AM"));

    clock.set(clock.now() + 86400);
    view.followToday();
    EXPECT_EQ(timeText(), QStringLiteral("Tue, Jan 2, 4:30 AM")) << "yesterday's row says its day";
    const QAccessibleInterface *row =
        QAccessible::queryAccessibleInterface(window.listView())->child(0);
    EXPECT_EQ(row->text(QAccessible::Name).replace(QChar(0x202F), QLatin1Char(' ')),
              QStringLiteral("Tea, Tue, Jan 2, 4:30 AM, Low"));
    ::setenv("TZ", "UTC", 1);
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(ContentWindowTest, ScreenReadersSeeANamedListAndCanFillInTheNameField)
{
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    const double evening = *utc().instant(2001, 1, 1, 19, 30, 0);
    ASSERT_TRUE(writeTodoList(preferences, {TodoItem("Buy milk", evening, TodoPriority::high),
                                            TodoItem("Two\nlines", evening, TodoPriority::low)}));
    window.show();

    QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window.listView());
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->role(), QAccessible::List);
    EXPECT_EQ(list->text(QAccessible::Name), QStringLiteral("To-dos"));
    ASSERT_EQ(list->childCount(), 2) << "one item per to-do, no header";
    QAccessibleInterface *row = list->child(0);
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->role(), QAccessible::ListItem);
    EXPECT_EQ(row->text(QAccessible::Name).replace(QChar(0x202F), QLatin1Char(' ')),
              QStringLiteral("Buy milk, 7:30 PM, High"));
    EXPECT_EQ(list->indexOfChild(list->child(1)), 1);
    EXPECT_EQ(window.listView()->model()->index(1, 0).data().toString(),
              QStringLiteral("Two\u2028lines"))
        << "a name's own line break shows as one";

    QAccessibleInterface *field = QAccessible::queryAccessibleInterface(entry().nameField());
    ASSERT_NE(field, nullptr);
    ASSERT_NE(field->editableTextInterface(), nullptr);
    field->editableTextInterface()->insertText(0, QStringLiteral("Tea"));
    EXPECT_EQ(view.newTodoName(), QStringLiteral("Tea"));
    QTest::mouseClick(entry().addButton(), Qt::LeftButton);
    ASSERT_EQ(view.todoList().size(), 3u);
    EXPECT_EQ(view.todoList().back().name(), "Tea");
    EXPECT_EQ(entry().nameField()->text(), QString());
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(DeletingTest, TheUndoBarOffersTheDeletedRowsBackWithoutMovingTheEntryRow)
{
    const int entryTop = entry().mapTo(&window, QPoint(0, 0)).y();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowRect(1).topLeft() + QPoint(60, 10));
    QTest::mouseClick(viewport(), Qt::LeftButton, Qt::ControlModifier,
                      rowRect(3).topLeft() + QPoint(60, 10));
    QTest::keyClick(window.listView(), Qt::Key_Delete);
    ASSERT_EQ(view.todoList().size(), 2u);

    UndoBar *bar = window.undoBar();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->message()->text(), QStringLiteral("Deleted 2 to-dos"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->role(), QAccessible::Notification);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(bar)->text(QAccessible::Name),
              QStringLiteral("Deleted 2 to-dos"));
    EXPECT_TRUE(window.listView()->hasFocus()) << "showing the bar takes no focus";
    EXPECT_EQ(entry().mapTo(&window, QPoint(0, 0)).y(), entryTop);

    QTest::keyClick(window.listView(), Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.todoList(), stored);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ(window.listView()->currentIndex().row(), 1) << "the first row brought back";
    EXPECT_EQ(window.listView()->selectionModel()->selectedRows().size(), 2);

    clickTrash(0);
    QTest::mouseClick(button(alert(), QMessageBox::DestructiveRole), Qt::LeftButton);
    EXPECT_EQ(bar->message()->text(), QStringLiteral("Deleted “a”"));
    QTest::mouseClick(bar->undoButton(), Qt::LeftButton);
    EXPECT_EQ(view.todoList(), stored);
}

TEST_F(ContentWindowTest, TheDayControlOpensAMonthCalendarDrivenByKeys)
{
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    DayButton *day = entry().dayButton();
    DayPicker *picker = day->picker();
    EXPECT_EQ(QAccessible::queryAccessibleInterface(day)->role(), QAccessible::Button);
    // Keys go where the keyboard is, as a user's would.
    const auto press = [](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
        QTest::keyClick(QApplication::focusWidget(), key, modifiers);
    };

    day->setFocus();
    press(Qt::Key_Return);
    ASSERT_TRUE(picker->isVisible());
    press(Qt::Key_Left);
    EXPECT_EQ(picker->calendar()->selectedDate(), QDate(2001, 1, 1)) << "no day before today";
    press(Qt::Key_Right);
    press(Qt::Key_Return);
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(view.shownDay(), QDate(2001, 1, 2));
    EXPECT_EQ(day->text(), QStringLiteral("Tuesday, January 2, 2001"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(day)->text(QAccessible::Name), day->text());

    day->setFocus();
    press(Qt::Key_Down, Qt::AltModifier);
    ASSERT_TRUE(picker->isVisible());
    EXPECT_EQ(picker->calendar()->selectedDate(), QDate(2001, 1, 2)) << "opens on the shown day";
    press(Qt::Key_Down);
    press(Qt::Key_Escape);
    EXPECT_FALSE(picker->isVisible());
    EXPECT_EQ(view.shownDay(), QDate(2001, 1, 2)) << "Escape leaves the day as it was";

    day->setFocus();
    press(Qt::Key_Space);
    ASSERT_TRUE(picker->isVisible());
    picker->todayButton()->setFocus();
    press(Qt::Key_Space);
    EXPECT_FALSE(picker->isVisible());
    EXPECT_TRUE(view.showsToday());
    EXPECT_EQ(day->text(), QStringLiteral("Monday, 1, 2001"));

    ::setenv("LC_ALL", "de_DE.UTF-8", 1);
    EXPECT_EQ(DayPicker(&window, false).calendar()->firstDayOfWeek(), Qt::Monday);
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

TEST_F(ContentWindowTest, F2RenamesARowInPlaceAndEscapeLeavesIt)
{
    const TodoItem tea("Tea", 0, TodoPriority::high);
    const TodoItem milk("Milk", 0, TodoPriority::low);
    ASSERT_TRUE(writeTodoList(preferences, {tea, milk}));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TodoListView *list = window.listView();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));

    QTest::keyClick(list, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->accessibleName(), QStringLiteral("Name"));
    EXPECT_EQ(editor->text(), QStringLiteral("Tea"));
    QTest::keyClicks(editor, QStringLiteral("Green tea "));
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents(); // the editor commits from the event loop
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{
                                   TodoItem("Green tea", 0, TodoPriority::high, tea.id()), milk}));
    EXPECT_EQ(list->model()->index(0, 0).data().toString(), QStringLiteral("Green tea"));
    EXPECT_TRUE(window.undoBar()->isVisible());
    EXPECT_EQ(window.undoBar()->message()->text(), QStringLiteral("Changed “Tea”"));
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{tea, milk}));
    EXPECT_FALSE(window.undoBar()->isVisible());

    QTest::keyClick(list, Qt::Key_F2);
    editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Coffee"));
    QTest::keyClick(editor, Qt::Key_Escape);
    EXPECT_EQ(view.todoList().front().name(), "Tea") << "Escape leaves the name";

    const QRect row = rowRect(1);
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.center());
    EXPECT_EQ(qobject_cast<QLineEdit *>(QApplication::focusWidget()), nullptr)
        << "a double-click beside the name edits nothing";
    QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, row.topLeft() + QPoint(60, 10));
    editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr) << "a double-click on the name edits it";
    EXPECT_EQ(editor->text(), QStringLiteral("Milk"));
}

TEST_F(ContentWindowTest, CtrlEOpensTheEditFormWhereEnterSavesAndEscapeCancels)
{
    ::setenv("LC_ALL", "en_US.UTF-8", 1);
    const TodoItem tea("Tea", *utc().instant(2001, 1, 1, 17, 0, 0), TodoPriority::high);
    const TodoItem milk("Milk", 0, TodoPriority::low);
    ASSERT_TRUE(writeTodoList(preferences, {tea, milk}));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TodoListView *list = window.listView();
    list->setFocus();
    list->setCurrentIndex(list->model()->index(0, 0));

    QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
    QPointer<EditTodoDialog> form = window.findChild<EditTodoDialog *>();
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->isVisible());
    EXPECT_EQ(form->accessibleName(), QStringLiteral("Edit To-do"));
    EXPECT_EQ(form->priorityMenu()->currentText(), QStringLiteral("High"));
    EXPECT_EQ(form->nameField()->text(), QStringLiteral("Tea"));
    EXPECT_EQ(form->dayButton()->text(), QStringLiteral("Monday, 1, 2001"));
    EXPECT_EQ(form->hourMenu()->currentText(), QStringLiteral("05"));
    EXPECT_EQ(form->amPmMenu()->currentText(), QStringLiteral("PM"));

    QTest::keyClick(form->hourMenu(), Qt::Key_Down);
    QTest::keyClick(form->amPmMenu(), Qt::Key_Home);
    QTest::keyClick(form->dayButton(), Qt::Key_Return);
    ASSERT_TRUE(form->dayButton()->picker()->isVisible());
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    EXPECT_EQ(form->dayButton()->text(), QStringLiteral("Tuesday, January 2, 2001"));
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    const TodoItem edited("Tea", *utc().instant(2001, 1, 2, 6, 0, 0), TodoPriority::high, tea.id());
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{edited, milk})) << "same id, same place";
    view.finishSavesForTesting();
    ASSERT_EQ(notifications.removed.size(), 1u);
    EXPECT_EQ(notifications.removed.front(),
              QStringList{QString::fromStdString(tea.id().uuidString())});
    ASSERT_EQ(notifications.added.size(), 1u);
    EXPECT_EQ(notifications.added.front().trigger.time, edited.time());
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.isNull(); })) << "the form is gone once saved";

    // Offscreen, no window manager gives the window back its focus.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
    form = window.findChild<EditTodoDialog *>();
    ASSERT_NE(form, nullptr);
    QTest::keyClicks(form->nameField(), QStringLiteral(" with Ann"));
    QTest::keyClick(form->nameField(), Qt::Key_Escape);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{edited, milk})) << "Escape changes nothing";
    ::setenv("LC_ALL", "C.UTF-8", 1);
}

// The store and every rescue folder refuse the list: a close by the user keeps
// the window open and says why; the list is still there. Once a rescue folder
// takes it, a newer rescue is offered at the next start and restored.
TEST(ContentWindowRescue, AListKeptNowhereKeepsTheWindowOpenAndARescueIsOfferedBack)
{
    QTemporaryDir temporary;
    const QString store = temporary.filePath(QStringLiteral("config"));
    FilePreferences preferences(store);
    const TodoItem stored("Stored", 1e9, TodoPriority::low);
    ASSERT_TRUE(writeTodoList(preferences, {stored}));
    QFile storeFile(store + QStringLiteral("/TodoList"));
    ASSERT_TRUE(storeFile.open(QIODevice::ReadOnly));
    ASSERT_TRUE(storeFile.setFileTime(QDateTime::currentDateTimeUtc().addSecs(-60),
                                      QFileDevice::FileModificationTime));
    storeFile.close();
    // A file where each folder should be, as a full disk refuses a new file.
    const QString blocked = temporary.filePath(QStringLiteral("blocked"));
    ASSERT_TRUE(QFile(blocked).open(QIODevice::WriteOnly));
    const QString spare = temporary.filePath(QStringLiteral("spare"));
    FileTodoListRescue nowhere({blocked + QStringLiteral("/plimsa")},
                               store + QStringLiteral("/TodoList"));
    FileTodoListRescue fallback({blocked + QStringLiteral("/plimsa"), spare},
                                store + QStringLiteral("/TodoList"));
    FixedClock clock(0);
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    // Held back, as a file that cannot be read is.
    StoredFile::setReadFaultForTesting([](const QString &) { return EIO; });

    std::vector<TodoItem> rescued;
    {
        ContentView view(preferences, reminders, clock, &LocalCalendar::current, nowhere);
        ContentWindow window(view);
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        view.setNewTodoName(QStringLiteral("Not lost"));
        view.addTodo();
        QString warning;
        QTimer::singleShot(0, [&] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                warning = box->text();
                box->accept();
            }
        });
        QTest::keyClick(&window, Qt::Key_Q, Qt::ControlModifier);
        EXPECT_TRUE(window.isVisible()) << "nothing may be lost by closing";
        EXPECT_TRUE(warning.contains(QStringLiteral("could not be saved anywhere")))
            << warning.toStdString();

        ContentView again(preferences, reminders, clock, &LocalCalendar::current, fallback);
        again.appear();
        again.setNewTodoName(QStringLiteral("Not lost"));
        again.addTodo();
        rescued = again.todoList();
        again.disappear();
    }
    StoredFile::setReadFaultForTesting({});
    EXPECT_EQ(QDir(spare).entryList({QStringLiteral("TodoList.rescue-*")}).size(), 1);

    ContentView next(preferences, reminders, clock, &LocalCalendar::current, fallback);
    ContentWindow window(next);
    window.show();
    ASSERT_TRUE(next.newerRescue());
    EXPECT_TRUE(next.newerRescue()->startsWith(spare));
    EXPECT_TRUE(window.rescueBar()->isVisible());
    EXPECT_EQ(next.todoList(), std::vector<TodoItem>{stored});
    notifications.removed.clear();
    QTest::mouseClick(window.rescueBar()->restoreButton(), Qt::LeftButton);
    EXPECT_EQ(next.todoList(), rescued);
    EXPECT_FALSE(window.rescueBar()->isVisible());
    EXPECT_EQ(notifications.removed,
              std::vector<QStringList>{{QString::fromStdString(stored.id().uuidString())}});
    next.finishSavesForTesting();
    EXPECT_EQ(readTodoList(preferences), rescued) << "the store takes the restored list";
}

// What another device changed comes in while the user works on another row.
TEST_F(ContentWindowTest, ASyncLeavesARenameBeingTypedAndTheEditFormOnTheirToDo)
{
    std::vector<TodoItem> rows;
    for (const char *name : {"E1", "E2", "E3", "E4", "E5"})
        rows.emplace_back(name, 0, TodoPriority::low);
    ASSERT_TRUE(writeTodoList(preferences, rows));
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    TodoListView *list = window.listView();
    list->setFocus();
    const auto renamedAbove = [&] {
        SyncedChanges changes;
        changes.changed.push_back({TodoItem("E2 there", 0, TodoPriority::low, rows[1].id()), {}});
        changes.removed.push_back(rows[0].id());
        changes.changed.push_back({TodoItem("New there", 0, TodoPriority::low), {}});
        view.applySyncedChanges(changes);
    };

    list->setCurrentIndex(list->model()->index(2, 0));
    QTest::keyClick(list, Qt::Key_F2);
    auto *editor = qobject_cast<QLineEdit *>(QApplication::focusWidget());
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("E3 here"));
    renamedAbove();
    ASSERT_EQ(QApplication::focusWidget(), editor) << "the editor stays open";
    QTest::keyClick(editor, Qt::Key_Return);
    QApplication::processEvents();
    ASSERT_EQ(view.todoList().size(), 5u);
    EXPECT_EQ(view.todoList()[1].name(), "E3 here");
    EXPECT_EQ(view.todoList()[1].id(), rows[2].id());

    // The form remembers its to-do, not its row; one changed elsewhere since
    // is told, and a second Save keeps the user's version.
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    list->setCurrentIndex(list->model()->index(2, 0));
    QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
    QPointer<EditTodoDialog> form = window.findChild<EditTodoDialog *>();
    ASSERT_NE(form, nullptr);
    form->nameField()->setText(QStringLiteral("E4 edited"));
    SyncedChanges above;
    above.removed.push_back(rows[1].id());
    view.applySyncedChanges(above);
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    ASSERT_EQ(view.todoList().size(), 4u);
    EXPECT_EQ(view.todoList()[1].name(), "E4 edited");
    EXPECT_EQ(view.todoList()[1].id(), rows[3].id());
    EXPECT_EQ(view.todoList()[2].name(), "E5") << "no other to-do changed";
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }));

    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    list->setCurrentIndex(list->model()->index(1, 0));
    QTest::keyClick(list, Qt::Key_E, Qt::ControlModifier);
    form = window.findChild<EditTodoDialog *>();
    ASSERT_NE(form, nullptr);
    form->nameField()->setText(QStringLiteral("Mine"));
    SyncedChanges changed;
    changed.changed.push_back({TodoItem("Theirs", 0, TodoPriority::high, rows[3].id()), {}});
    view.applySyncedChanges(changed);
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    EXPECT_TRUE(form->notice()->isVisible());
    EXPECT_EQ(view.todoList()[1].name(), "Theirs") << "not saved over unseen";
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    EXPECT_EQ(view.todoList()[1].name(), "Mine");
    EXPECT_EQ(view.todoList()[1].priority(), TodoPriority::low) << "the user's version whole";
}

// Another device changed many to-dos at once: renamed, ticked off, reopened,
// removed.
// The rows come out as the list shown afresh has them, in signals a view can
// follow, and the row the user is on stays current.
TEST_F(ContentWindowTest, ManyChangesFromASyncLeaveTheRowsAsTheListHasThem)
{
    std::vector<TodoItem> rows;
    for (int i = 0; i < 60; ++i) {
        TodoExtras extras;
        if (i % 3 == 0)
            extras.completed = 100 + i % 7;
        rows.push_back(
            TodoItem("Row " + std::to_string(i), i, TodoPriority::low).withExtras(extras));
    }
    ASSERT_TRUE(writeTodoList(preferences, rows));
    window.show();
    TodoListView *list = window.listView();
    QAbstractItemModel *model = list->model();
    const auto &rowsModel = *static_cast<TodoListModel *>(model);
    const QAbstractItemModelTester tester(model,
                                          QAbstractItemModelTester::FailureReportingMode::Fatal);
    const auto shown = [](const QAbstractItemModel &rowsOf) {
        QStringList texts;
        for (int row = 0; row < rowsOf.rowCount(); ++row) {
            const QModelIndex index = rowsOf.index(row, 0);
            texts.append(index.data().toString() + u' ' +
                         index.data(Qt::CheckStateRole).toString());
        }
        return texts;
    };
    const auto toggled = [](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.completed = item.isCompleted() ? std::nullopt : std::optional(200 + item.time());
        return item.withExtras(extras);
    };
    const auto renamed = [](const TodoItem &item) {
        return item.with(item.name() + " there", item.time(), item.priority());
    };
    const struct {
        const char *what;
        bool doneShown;
        std::function<std::optional<TodoItem>(int, const TodoItem &)> change;
        bool removes = false;
    } cases[] = {
        {"every one renamed", false, [&](int, const TodoItem &item) { return renamed(item); }},
        {"the open ones ticked off, done rows hidden", false,
         [&](int, const TodoItem &item) {
             return item.isCompleted() ? std::nullopt : std::optional(toggled(item));
         }},
        {"every other reopened, done rows shown", true,
         [&](int i, const TodoItem &item) {
             return i % 2 ? std::optional(toggled(item)) : std::nullopt;
         }},
        {"ticked, reopened and renamed, done rows shown", true,
         [&](int i, const TodoItem &item) {
             return i % 2 ? toggled(renamed(item)) : renamed(item);
         }},
        {"every third removed, done rows shown", true,
         [&](int i, const TodoItem &item) {
             return i % 3 == 1 ? std::optional(item) : std::nullopt;
         },
         true},
        {"most of the rest removed, done rows hidden", false,
         [&](int i, const TodoItem &item) { return i % 4 ? std::optional(item) : std::nullopt; },
         true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        view.setCompletedShown(c.doneShown);
        const int current = static_cast<int>(view.todoList().size()) - 1;
        list->setCurrentIndex(rowsModel.indexOf(current));
        const Uuid currentId = view.todoList().back().id();
        SyncedChanges changes;
        for (int i = 0; i < static_cast<int>(view.todoList().size()); ++i) {
            if (i == current)
                continue;
            const auto item = c.change(i, view.todoList()[static_cast<std::size_t>(i)]);
            if (item && c.removes)
                changes.removed.push_back(item->id());
            else if (item)
                changes.changed.push_back({*item, {}});
        }
        view.applySyncedChanges(changes);
        const TodoListModel afresh(view);
        EXPECT_EQ(shown(*model), shown(afresh));
        EXPECT_EQ(rowsModel.item(list->currentIndex()).id(), currentId);
    }
}

TEST_F(DeletingTest, SpaceTicksARowOffIntoTheCompletedPartAndBack)
{
    TodoListView *list = window.listView();
    QAbstractItemModel *rows = list->model();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    list->setFocus();
    const auto shown = [&] {
        QStringList names;
        for (int row = 0; row < rows->rowCount(); ++row)
            names.append(rows->index(row, 0).data().toString());
        return names;
    };
    const auto press = [&](int row, Qt::Key key) {
        list->setCurrentIndex(rows->index(row, 0));
        QTest::keyClick(list, key);
        view.finishSavesForTesting();
    };
    const QString b = QString::fromStdString(stored[1].id().uuidString());

    clock.set(-10);
    press(1, Qt::Key_Space);
    EXPECT_TRUE(view.todoList()[1].isCompleted());
    EXPECT_EQ(shown(), (QStringList{"a", "c", "d", "Completed (1)"})) << "hidden at first";
    EXPECT_EQ(window.undoBar()->message()->text(), QStringLiteral("Completed “b”"));
    EXPECT_EQ(notifications.removed, std::vector<QStringList>{{b}}) << "its reminder withdrawn";
    QTest::keyClick(list, Qt::Key_Z, Qt::ControlModifier);
    view.finishSavesForTesting();
    EXPECT_EQ(view.todoList(), stored);
    EXPECT_EQ(shown(), (QStringList{"a", "b", "c", "d"}));
    EXPECT_EQ(notifications.restored, std::vector<QStringList>{{b}}) << "and back as it was";
    EXPECT_FALSE(window.undoBar()->isVisible());

    press(1, Qt::Key_Space);
    press(3, Qt::Key_Right);
    EXPECT_EQ(shown(), (QStringList{"a", "c", "d", "Completed (1)", "b"}));
    EXPECT_TRUE(rows->index(4, 0).data(TodoListModel::TimeTextRole).toString().startsWith("Done "));
    for (int row = 0; row < rows->rowCount(); ++row)
        EXPECT_EQ(rows->flags(rows->index(row, 0))
                      .testFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEditable),
                  row != 3)
            << "only the expander row is no to-do, row " << row;
    // A click on the expander row hides them, and the keys go on from it.
    list->setCurrentIndex(rows->index(0, 0));
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowRect(3).center());
    EXPECT_EQ(shown(), (QStringList{"a", "c", "d", "Completed (1)"}));
    EXPECT_EQ(list->currentIndex().row(), 3);
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, rowRect(3).center());
    QTest::keyClick(list, Qt::Key_Down);
    EXPECT_EQ(list->currentIndex().row(), 4);
    press(3, Qt::Key_Left);
    EXPECT_EQ(shown(), (QStringList{"a", "c", "d", "Completed (1)"}));
    press(3, Qt::Key_Return);
    EXPECT_TRUE(view.completedShown());
    clock.set(0);
    press(0, Qt::Key_Enter);
    EXPECT_EQ(shown(), (QStringList{"c", "d", "Completed (2)", "a", "b"})) << "newest first";

    // Reopened to the end of the list, with its reminder.
    notifications.added.clear();
    press(4, Qt::Key_Space);
    EXPECT_EQ(shown(), (QStringList{"c", "d", "b", "Completed (1)", "a"}));
    EXPECT_EQ(view.todoList().back().id(), stored[1].id());
    ASSERT_EQ(notifications.added.size(), 1u);
    EXPECT_EQ(notifications.added.front().identifier, b);

    // Screen readers find a check box named by the to-do, and can tick it.
    QAccessibleInterface *row = QAccessible::queryAccessibleInterface(list)->child(2);
    ASSERT_NE(row, nullptr);
    QAccessibleInterface *check = row->child(0);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(check->role(), QAccessible::CheckBox);
    EXPECT_EQ(check->text(QAccessible::Name), QStringLiteral("b"));
    EXPECT_FALSE(check->state().checked);
    ASSERT_NE(check->actionInterface(), nullptr);
    check->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_EQ(shown(), (QStringList{"c", "d", "Completed (2)", "b", "a"}));
    QAccessibleInterface *done = QAccessible::queryAccessibleInterface(list)->child(3)->child(0);
    EXPECT_TRUE(done->state().checked);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(list)->child(2)->childCount(), 0)
        << "the expander row holds no check box";

    // A click on the check box ticks too; of those done in the same second,
    // the one later in the list shows first.
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      TodoRowDelegate::checkRect(rowRect(0)).center());
    EXPECT_EQ(shown(), (QStringList{"d", "Completed (3)", "b", "c", "a"}));

    // Done rows delete like any other, and all at once from the expander's menu.
    press(4, Qt::Key_Delete);
    EXPECT_EQ(window.undoBar()->message()->text(), QStringLiteral("Deleted “a”"));
    QTimer answer;
    answer.setInterval(10);
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
            EXPECT_EQ(menu->actions().size(), 1);
            menu->setActiveAction(menu->actions().front());
            QTest::keyClick(menu, Qt::Key_Return);
        } else if (auto *box = window.findChild<QMessageBox *>(); box && box->isVisible()) {
            answer.stop();
            EXPECT_EQ(box->informativeText(),
                      QStringLiteral("Are you sure you want to delete 2 completed to-dos?"));
            QTest::mouseClick(button(box, QMessageBox::DestructiveRole), Qt::LeftButton);
        }
    });
    answer.start();
    const QPoint at = rowRect(1).center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, viewport()->mapToGlobal(at));
    QApplication::sendEvent(viewport(), &event);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !answer.isActive(); }, 2000));
    EXPECT_EQ(shown(), (QStringList{"d"}));
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{stored[3]}));
}
