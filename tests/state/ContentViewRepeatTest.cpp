// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ContentView.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <OccurrencesOnDemand.h>
#include <QTemporaryDir>
#include <RecordingNotificationCenter.h>
#include <RecurrenceOccurrences.h>
#include <TodoListStore.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>

namespace {

LocalCalendar berlin()
{
    return LocalCalendar("Europe/Berlin");
}

double at(int day, int hour, int minute = 0)
{
    return berlin().instant(2026, 3, day, hour, minute, 0).value();
}

TodoItem repeating(const char *name, double time, const char *rrule,
                   std::optional<double> alarm = std::nullopt)
{
    TodoExtras extras;
    extras.rrule = rrule;
    extras.alarm = alarm;
    return TodoItem(name, time, TodoPriority::high, Uuid::random(), extras);
}

// A row as the test reads it: name, local day and time, rule; done ones with
// whose occurrence they are.
QString shown(const TodoItem &item, const std::vector<TodoItem> &list)
{
    const DateComponents local = berlin().components(item.time());
    QString text = QStringLiteral("%1 %2 %3:%4 %5")
                       .arg(QString::fromStdString(item.name()))
                       .arg(local.day)
                       .arg(local.hour)
                       .arg(local.minute, 2, 10, QChar('0'))
                       .arg(QString::fromStdString(item.extras().rrule))
                       .trimmed();
    if (item.isCompleted())
        text += QStringLiteral(" done");
    if (const auto series = item.extras().occurrenceOf) {
        const auto found = std::ranges::find(list, *series, &TodoItem::id);
        text += QStringLiteral(" of ") +
                (found == list.end() ? QStringLiteral("?") : QString::fromStdString(found->name()));
    }
    return text;
}

} // namespace

TEST(RepeatTest, FinishingSkippingAndDeletingOccurrencesKeepListRecordsAndReminders)
{
    const double now = at(28, 12);
    const TodoItem tea = repeating("Tea", at(28, 9), "FREQ=DAILY;COUNT=5");
    const TodoItem walk = repeating("Walk", at(28, 18), "FREQ=DAILY", -900);
    const TodoItem last = repeating("Last", at(28, 9), "FREQ=WEEKLY;COUNT=1");
    const TodoItem odd = repeating("Odd", at(28, 9), "FREQ=MINUTELY");
    const TodoItem milk("Milk", at(28, 15), TodoPriority::low);
    const struct {
        const char *what;
        std::vector<TodoItem> stored;
        std::function<void(ContentView &)> act;
        QStringList list;      // afterwards, as `shown`
        QStringList withdrawn; // reminders cancelled, by name
        QStringList reminded;  // reminders scheduled, as "name day hour:minute"
        bool undoableTick;
        bool undoableChange;
    } cases[] = {
        {"a missed occurrence finished: one step to tomorrow, a done record appended",
         {tea, milk},
         [](ContentView &v) { v.completeTodo(0); },
         {"Tea 29 9:00 FREQ=DAILY;COUNT=4", "Milk 28 15:00", "Tea 28 9:00 done of Tea"},
         {"Tea"},
         {"Tea 29 9:00"},
         true,
         true},
        {"an undone finish puts back the series and its reminder, and removes the record",
         {walk, milk},
         [](ContentView &v) {
             v.completeTodo(0);
             v.undoChange();
         },
         {"Walk 28 18:00 FREQ=DAILY", "Milk 28 15:00"},
         {"Walk", "Walk"},
         {"Walk 28 17:45"},
         false,
         false},
        {"the last occurrence is ticked off as a plain to-do",
         {last},
         [](ContentView &v) { v.completeTodo(0); },
         {"Last 28 9:00 FREQ=WEEKLY;COUNT=1 done"},
         {"Last"},
         {},
         true,
         true},
        {"a rule not followed is ticked off as a plain to-do",
         {odd},
         [](ContentView &v) { v.completeTodo(0); },
         {"Odd 28 9:00 FREQ=MINUTELY done"},
         {"Odd"},
         {},
         true,
         true},
        {"skipping moves on without a done record",
         {milk, walk},
         [](ContentView &v) { EXPECT_TRUE(v.skipOccurrence(1)); },
         {"Milk 28 15:00", "Walk 29 18:00 FREQ=DAILY"},
         {"Walk"},
         {"Walk 29 17:45"},
         false,
         true},
        {"nothing to skip to, nor in a plain to-do",
         {last, milk},
         [](ContentView &v) {
             EXPECT_FALSE(v.skipOccurrence(0));
             EXPECT_FALSE(v.skipOccurrence(1));
         },
         {"Last 28 9:00 FREQ=WEEKLY;COUNT=1", "Milk 28 15:00"},
         {},
         {},
         false,
         false},
        {"deleting removes the series, its records stay; undo brings it back",
         {tea, milk},
         [](ContentView &v) {
             v.completeTodo(0);
             v.deleteTodos({0});
             v.undoDelete();
         },
         {"Tea 29 9:00 FREQ=DAILY;COUNT=4", "Milk 28 15:00", "Tea 28 9:00 done of Tea"},
         {"Tea", "Tea"},
         {},
         false,
         false},
        {"a new to-do takes the chosen repeat, the next one none",
         {},
         [](ContentView &v) {
             v.setNewTodoRepeat({RepeatChoice::Frequency::weekly});
             for (const char *name : {"Plants", "Bins"}) {
                 v.setNewTodoName(QString::fromLatin1(name));
                 v.addTodo();
             }
         },
         {"Plants 28 0:00 FREQ=WEEKLY", "Bins 28 0:00"},
         {},
         {"? 28 0:00", "? 28 0:00"},
         false,
         false},
        {"a done record is not reopened",
         {tea},
         [](ContentView &v) {
             v.completeTodo(0);
             v.reopenTodo(1);
         },
         {"Tea 29 9:00 FREQ=DAILY;COUNT=4", "Tea 28 9:00 done of Tea"},
         {"Tea"},
         {"Tea 29 9:00"},
         true,
         true},
    };
    const RecurrenceOccurrences occurrences;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        ASSERT_TRUE(writeTodoList(preferences, c.stored));
        FixedClock clock(now);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock, &berlin);
        view.followRepeats(occurrences);
        view.appear();

        c.act(view);
        view.finishSavesForTesting();

        QStringList list;
        for (const TodoItem &item : view.todoList()) {
            list.append(shown(item, view.todoList()));
            if (item.isCompleted()) {
                EXPECT_EQ(item.completed(), std::floor(now)) << "ticked now, in whole seconds";
            }
        }
        EXPECT_EQ(list, c.list);
        const auto named = [&](const QString &identifier) {
            for (const TodoItem &item : c.stored) {
                if (QString::fromStdString(item.id().uuidString()) == identifier)
                    return QString::fromStdString(item.name());
            }
            return QStringLiteral("?");
        };
        QStringList withdrawn, reminded;
        for (const QStringList &removed : notifications.removed) {
            for (const QString &identifier : removed)
                withdrawn.append(named(identifier));
        }
        for (const NotificationRequest &added : notifications.added) {
            const DateComponents local = berlin().components(added.trigger.time);
            reminded.append(QStringLiteral("%1 %2 %3:%4")
                                .arg(named(added.identifier))
                                .arg(local.day)
                                .arg(local.hour)
                                .arg(local.minute, 2, 10, QChar('0')));
        }
        EXPECT_EQ(withdrawn, c.withdrawn);
        EXPECT_EQ(reminded, c.reminded);
        EXPECT_EQ(view.undoableChangeCompleted(), c.undoableTick);
        EXPECT_EQ(view.undoableChange().has_value(), c.undoableChange);
        EXPECT_EQ(readTodoList(preferences), view.todoList()) << "stored like any change";
    }
}

TEST(RepeatTest, TheFormsShowTheRulesTheyCanAndWriteThemBack)
{
    using F = RepeatChoice::Frequency;
    const struct {
        const char *rrule;
        bool wholeDay;
        RepeatChoice choice;
        const char *written; // the choice's rule text
    } cases[] = {
        {"", false, {}, ""},
        {"FREQ=DAILY", false, {F::daily}, "FREQ=DAILY"},
        {"freq=daily", false, {F::daily}, "FREQ=DAILY"},
        {"FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR",
         false,
         {F::weekdays},
         "FREQ=WEEKLY;BYDAY=MO,TU,WE,TH,FR"},
        {"FREQ=MONTHLY;INTERVAL=3;COUNT=4",
         false,
         {F::monthly, 3, {}, 4},
         "FREQ=MONTHLY;INTERVAL=3;COUNT=4"},
        {"FREQ=YEARLY;UNTIL=20261231T225959Z",
         false,
         {F::yearly, 1, QDate(2026, 12, 31)},
         "FREQ=YEARLY;UNTIL=20261231T225959Z"},
        {"FREQ=WEEKLY;INTERVAL=2;UNTIL=20260630T215959Z",
         false,
         {F::weekly, 2, QDate(2026, 6, 30)},
         "FREQ=WEEKLY;INTERVAL=2;UNTIL=20260630T215959Z"},
        {"FREQ=YEARLY;UNTIL=20261231",
         true,
         {F::yearly, 1, QDate(2026, 12, 31)},
         "FREQ=YEARLY;UNTIL=20261231"},
        {"FREQ=DAILY;UNTIL=20261231T230000Z",
         false,
         {F::daily, 1, QDate(2027, 1, 1)},
         "FREQ=DAILY;UNTIL=20270101T225959Z"},
        {"FREQ=DAILY;UNTIL=20261231T230000",
         false,
         {F::daily, 1, QDate(2026, 12, 31)},
         "FREQ=DAILY;UNTIL=20261231T225959Z"},
        {"FREQ=WEEKLY;INTERVAL=2;BYDAY=MO,TU,WE,TH,FR", false, {F::custom}, ""},
        {"FREQ=DAILY;COUNT=2;UNTIL=20261231", false, {F::custom}, ""},
        {"FREQ=DAILY;BYHOUR=9", false, {F::custom}, ""},
        {"FREQ=HOURLY", false, {F::custom}, ""},
        {"FREQ=DAILY;INTERVAL=0", false, {F::custom}, ""},
        {"FREQ=DAILY;FREQ=WEEKLY", false, {F::custom}, ""},
        {"FREQ=DAILY;UNTIL=2026", false, {F::custom}, ""},
        {"COUNT=3", false, {F::custom}, ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.rrule);
        const RepeatChoice choice = repeatChoiceOf(c.rrule, berlin());
        EXPECT_EQ(choice, c.choice);
        EXPECT_EQ(ruleOf(choice, c.wholeDay, berlin()), c.written);
    }
}

TEST(RepeatTest, WithoutItsOccurrencesARepeatingToDoIsNotTickedOff)
{
    // Completing it would end the series on every device.
    QTemporaryDir temporary;
    FilePreferences preferences(temporary.path());
    const TodoItem tea = repeating("Tea", at(28, 9), "FREQ=DAILY");
    ASSERT_TRUE(writeTodoList(preferences, {tea}));
    FixedClock clock(at(28, 12));
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    const OccurrencesOnDemand missing(temporary.filePath(QStringLiteral("missing.so")));
    for (const Occurrences *occurrences :
         {static_cast<const Occurrences *>(nullptr), static_cast<const Occurrences *>(&missing)}) {
        ContentView view(preferences, reminders, clock, &berlin);
        if (occurrences)
            view.followRepeats(*occurrences);
        view.appear();
        view.completeTodo(0);
        EXPECT_FALSE(view.skipOccurrence(0));
        EXPECT_EQ(view.todoList(), std::vector<TodoItem>{tea});
        EXPECT_FALSE(view.undoableChange().has_value());
    }
}
