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
#include <MenuPicker.h>
#include <RecordingNotificationCenter.h>
#include <RecurrenceOccurrences.h>
#include <RepeatField.h>
#include <RoundAddButton.h>
#include <TodoListStore.h>
#include <TodoListView.h>
#include <TodoRowDelegate.h>

#include <QAccessible>
#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class RepeatWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { installAccessibleInterfaces(); }
    static LocalCalendar utc() { return LocalCalendar("UTC"); }

    void SetUp() override
    {
        ::setenv("LC_ALL", "en_US.UTF-8", 1);
        view.followRepeats(occurrences);
    }
    void TearDown() override { ::setenv("LC_ALL", "C.UTF-8", 1); }

    void showWindow()
    {
        window.show();
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    }

    static void press(Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    QString rowName(int row)
    {
        QAccessibleInterface *list = QAccessible::queryAccessibleInterface(window.listView());
        return list->child(row)->text(QAccessible::Name).replace(QChar(0x202F), u' ');
    }

    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};
    FixedClock clock{*utc().instant(2001, 1, 1, 8, 0, 0)};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    RecurrenceOccurrences occurrences;
    ContentView view{preferences, reminders, clock, utc};
    ContentWindow window{view};
};

} // namespace

TEST_F(RepeatWindowTest, TheDayPickersRepeatGoesToTheNextNewToDoAndItsRow)
{
    showWindow();
    DayButton *day = window.entryRow()->dayButton();
    day->setFocus();
    press(Qt::Key_Return);
    RepeatField *repeat = day->picker()->repeatField();
    ASSERT_NE(repeat, nullptr);
    press(Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), repeat->frequencyMenu()) << "next after the calendar";
    press(Qt::Key_Down);
    EXPECT_EQ(view.newTodoRepeat(), RepeatChoice{RepeatChoice::Frequency::daily});
    EXPECT_EQ(QAccessible::queryAccessibleInterface(day)->text(QAccessible::Name),
              QStringLiteral("Monday, 1, 2001, repeats every day"));
    press(Qt::Key_Escape);

    window.entryRow()->nameField()->setText(QStringLiteral("Tea"));
    view.setSelectedHour(9);
    QTest::mouseClick(window.entryRow()->addButton(), Qt::LeftButton);
    ASSERT_EQ(view.todoList().size(), 1u);
    EXPECT_EQ(view.todoList()[0].extras().rrule, "FREQ=DAILY");
    EXPECT_EQ(rowName(0), QStringLiteral("Tea, 9:00 AM, Medium, repeats every day"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(day)->text(QAccessible::Name),
              QStringLiteral("Monday, 1, 2001"))
        << "the next new to-do does not repeat";
}

TEST_F(RepeatWindowTest, TheEditFormKeepsACustomRuleUntilTheRepeatIsChanged)
{
    TodoExtras custom;
    custom.rrule = "FREQ=DAILY;BYHOUR=9,18";
    const TodoItem tea("Tea", *utc().instant(2001, 1, 1, 9, 0, 0), TodoPriority::high,
                       Uuid::random(), custom);
    ASSERT_TRUE(writeTodoList(preferences, {tea}));
    showWindow();
    EXPECT_EQ(rowName(0),
              QStringLiteral("Tea, 9:00 AM, High, repeats by the rule FREQ=DAILY;BYHOUR=9,18"));
    const auto edit = [&] {
        // Offscreen, no window manager gives the window back its focus.
        window.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&window));
        window.listView()->setFocus();
        window.listView()->setCurrentIndex(window.listView()->model()->index(0, 0));
        QTest::keyClick(window.listView(), Qt::Key_E, Qt::ControlModifier);
        return QPointer<EditTodoDialog>(window.findChild<EditTodoDialog *>());
    };

    QPointer<EditTodoDialog> form = edit();
    ASSERT_NE(form, nullptr);
    MenuPicker *frequency = form->repeatField()->frequencyMenu();
    EXPECT_EQ(frequency->currentText(), QStringLiteral("Custom"));
    EXPECT_EQ(frequency->toolTip(), QString::fromStdString(custom.rrule));
    QTest::keyClicks(form->nameField(), QStringLiteral(" and cake"));
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    EXPECT_EQ(view.todoList()[0].extras().rrule, custom.rrule) << "kept byte for byte";
    ASSERT_TRUE(QTest::qWaitFor([&] { return form.isNull(); }));

    form = edit();
    ASSERT_NE(form, nullptr);
    frequency = form->repeatField()->frequencyMenu();
    frequency->setFocus();
    QTest::keyClick(frequency, Qt::Key_Home); // Never
    QTest::keyClick(frequency, Qt::Key_Up);
    EXPECT_EQ(frequency->currentText(), QStringLiteral("Never"));
    for (int step = 0; step < 6; ++step)
        QTest::keyClick(frequency, Qt::Key_Down);
    EXPECT_EQ(frequency->currentText(), QStringLiteral("Every…"));
    form->repeatField()->intervalBox()->setFocus();
    QTest::keyClick(form->repeatField()->intervalBox(), Qt::Key_Up);
    QTest::keyClick(form->repeatField()->unitMenu(), Qt::Key_Down);
    QTest::keyClick(form->repeatField()->endMenu(), Qt::Key_End);
    QTest::keyClick(form->repeatField()->countBox(), Qt::Key_Up);
    QTest::keyClick(form->nameField(), Qt::Key_Return);
    EXPECT_EQ(view.todoList()[0].extras().rrule, "FREQ=WEEKLY;INTERVAL=3;COUNT=2");
    EXPECT_EQ(rowName(0),
              QStringLiteral("Tea and cake, 9:00 AM, High, repeats every 3 weeks, 2 times left"));
}

TEST_F(RepeatWindowTest, TheTrashAlertOffersToSkipARepeatingToDo)
{
    TodoExtras weekly;
    weekly.rrule = "FREQ=WEEKLY";
    const TodoItem bins("Bins", *utc().instant(2001, 1, 1, 7, 0, 0), TodoPriority::low,
                        Uuid::random(), weekly);
    ASSERT_TRUE(writeTodoList(preferences, {bins}));
    showWindow();
    QApplication::processEvents();
    const QRect row = window.listView()->visualRect(window.listView()->model()->index(0, 0));
    QTest::mouseClick(window.listView()->viewport(), Qt::LeftButton, {},
                      TodoRowDelegate::trashRect(row).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window.deleteAlert()->box() != nullptr; }, 2000));
    QMessageBox *box = window.deleteAlert()->box();
    QAbstractButton *skip = nullptr;
    for (QAbstractButton *button : box->buttons()) {
        if (box->buttonRole(button) == QMessageBox::ActionRole)
            skip = button;
    }
    ASSERT_NE(skip, nullptr);
    EXPECT_EQ(skip->text(), QStringLiteral("Skip This One"));
    skip->setFocus();
    QTest::keyClick(skip, Qt::Key_Space);
    ASSERT_EQ(view.todoList().size(), 1u) << "skipped, not deleted";
    EXPECT_EQ(view.todoList()[0].time(), *utc().instant(2001, 1, 8, 7, 0, 0));
    EXPECT_FALSE(view.deleteAlertShown());
    EXPECT_TRUE(view.undoableChange().has_value());
}
