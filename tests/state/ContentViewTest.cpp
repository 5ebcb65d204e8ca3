// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ContentView.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <Instant.h>
#include <OwnerLock.h>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <RecordingNotificationCenter.h>
#include <StoredFile.h>
#include <TodoJson.h>
#include <TodoListRescue.h>
#include <QTest>
#include <TodayWatcher.h>
#include <TodoListStore.h>
#include <algorithm>
#include <csignal>
#include <cmath>
#include <functional>
#include <thread>
#include <gtest/gtest.h>
#include <sys/resource.h>

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

TEST_F(ContentViewTest, TheSessionsSaveRequestSavesOncePerChange)
{
    view.appear();
    view.commitData();
    EXPECT_EQ(preferences.data(todoListKey), QByteArray("[]"));
    // Equal content in other bytes shows whether the store is written again.
    ASSERT_TRUE(preferences.setData(todoListKey, " [ ] "));
    view.commitData();
    view.disappear();
    EXPECT_EQ(preferences.data(todoListKey), QByteArray(" [ ] ")) << "nothing changed since";

    view.appear();
    view.commitData();
    view.setNewTodoName(QStringLiteral("after the checkpoint"));
    view.addTodo();
    view.disappear();
    EXPECT_EQ(readTodoList(preferences), view.todoList());
    EXPECT_EQ(view.todoList().size(), 1u);
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
        void restoreRemovedRequests(const QStringList &) override {}
    } probe;
    ReminderScheduler probeScheduler(probe);
    ContentView fresh(preferences, probeScheduler, clock);
    probe.onRequest = [&] { listSizeAtRequest = fresh.todoList().size(); };
    fresh.appear();
    EXPECT_EQ(listSizeAtRequest, 0u);
    EXPECT_EQ(fresh.todoList().size(), 1u);
}

namespace {

// 2026-03-05 15:42:17.25 in Berlin (UTC+1), a Thursday.
constexpr double berlinAfternoon = 1772721737.25 - referenceDateUnixSeconds;

class AddTodoTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    FilePreferences preferences{temporary.path()};
    FixedClock clock{berlinAfternoon};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock, berlin};

    static LocalCalendar berlin() { return LocalCalendar("Europe/Berlin"); }

    void add(const QString &name, int hour, int minute, bool isAM)
    {
        view.setNewTodoName(name);
        view.setSelectedHour(hour);
        view.setSelectedMinute(minute);
        view.setIsAM(isAM);
        view.addTodo();
    }
};

} // namespace

TEST_F(AddTodoTest, TwelveHourChoiceBecomesTheLocalTimeOnTheShownDay)
{
    const struct {
        int hour;
        bool isAM;
        int minute;
        int expectedHour;
    } cases[] = {
        {12, true, 5, 0}, {12, false, 5, 12}, {7, false, 5, 19}, {11, true, 5, 11},
        {1, true, 59, 1}, {11, false, 0, 23}, {0, true, 0, 0},   {0, false, 0, 12},
    };
    for (const auto &c : cases) {
        add(QStringLiteral("x"), c.hour, c.minute, c.isAM);
        const double time = view.todoList().back().time();
        EXPECT_EQ(berlin().components(time), (DateComponents{2026, 3, 5, c.expectedHour, c.minute}))
            << c.hour << (c.isAM ? " AM" : " PM");
        EXPECT_EQ(time, *berlin().instant(2026, 3, 5, c.expectedHour, c.minute, 0))
            << "seconds and fractions are always 0";
    }
}

TEST_F(AddTodoTest, TheInitialFormGivesMidnight)
{
    view.setNewTodoName(QStringLiteral("x"));
    view.addTodo();
    ASSERT_EQ(view.todoList().size(), 1u);
    EXPECT_EQ(view.todoList().front().time(), *berlin().instant(2026, 3, 5, 0, 0, 0));
    EXPECT_EQ(view.todoList().front().priority(), TodoPriority::medium);
}

TEST_F(AddTodoTest, NameIsTrimmedAndABlankNameAddsNothing)
{
    add(QStringLiteral("  Buy  milk \n"), 7, 30, false);
    ASSERT_EQ(view.todoList().size(), 1u);
    EXPECT_EQ(view.todoList().front().name(), "Buy  milk");
    EXPECT_TRUE(notifications.added.empty()) << "no reminder before its to-do is on disk";
    view.finishSavesForTesting();
    EXPECT_EQ(readTodoList(preferences), view.todoList()) << "saved without closing";
    ASSERT_EQ(notifications.added.size(), 1u);
    EXPECT_EQ(notifications.added.front().content.body, QStringLiteral("Todo: Buy  milk"));

    const QString blank = QStringLiteral(" \n\t\u00A0\u2028\u3000\r");
    add(blank, 7, 30, false);
    EXPECT_EQ(view.todoList().size(), 1u);
    EXPECT_EQ(view.newTodoName(), blank) << "the field keeps what was typed";
    EXPECT_EQ(notifications.added.size(), 1u);
}

TEST_F(AddTodoTest, AddingAppendsClearsOnlyTheNameAndSchedulesTheReminder)
{
    view.setSelectedPriority(TodoPriority::high);
    add(QStringLiteral("Buy milk"), 7, 30, false);
    add(QStringLiteral("Buy milk"), 7, 30, false);
    ASSERT_EQ(view.todoList().size(), 2u);
    EXPECT_NE(view.todoList()[0].id(), view.todoList()[1].id());
    EXPECT_EQ(view.newTodoName(), QString());
    EXPECT_EQ(view.selectedPriority(), TodoPriority::high);
    EXPECT_EQ(view.selectedHour(), 7);
    EXPECT_EQ(view.selectedMinute(), 30);
    EXPECT_FALSE(view.isAM());

    view.finishSavesForTesting();
    ASSERT_EQ(notifications.added.size(), 2u);
    EXPECT_EQ(notifications.added[1].identifier,
              QString::fromStdString(view.todoList()[1].id().uuidString()));
    EXPECT_EQ(notifications.added[1].trigger.time, view.todoList()[1].time());
    EXPECT_EQ(readTodoList(preferences), view.todoList()) << "adding saves without closing";
}

TEST(TodayTest, TheShownDayFollowsMidnightAndTheTimeZone)
{
    const struct {
        const char *what;
        const char *zoneAfter;
        double secondsLater;
        bool checked; // else the add alone moves it
        bool announced;
        DateComponents added; // a to-do for 9:00 AM, in zoneAfter
    } cases[] = {
        {"a check before midnight changes nothing", "Europe/Berlin", 20, true, false,
         {2026, 3, 5, 9, 0}},
        {"a check after midnight moves to the new day", "Europe/Berlin", 30, true, true,
         {2026, 3, 6, 9, 0}},
        {"an add after midnight uses the new day", "Europe/Berlin", 30, false, true,
         {2026, 3, 6, 9, 0}},
        {"a new zone on the same day is shown anew", "America/New_York", 20, true, true,
         {2026, 3, 5, 9, 0}},
        {"a zone past midnight moves to its day", "Asia/Tokyo", 20, true, true,
         {2026, 3, 6, 9, 0}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        std::string zone = "Europe/Berlin";
        const CalendarSource calendar = [&] { return LocalCalendar(zone); };
        // 2026-03-05 23:59:35 in Berlin.
        const double beforeMidnight = *LocalCalendar(zone).instant(2026, 3, 5, 23, 59, 35);
        FixedClock clock(beforeMidnight);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock, calendar);
        view.followToday(); // the first check, right after start
        int announced = 0;
        QObject::connect(&view, &ContentView::currentDateChanged, [&] { ++announced; });

        zone = c.zoneAfter;
        clock.set(beforeMidnight + c.secondsLater);
        if (c.checked) {
            view.followToday();
            EXPECT_EQ(announced, c.announced ? 1 : 0);
            EXPECT_EQ(view.currentDate(), c.announced ? clock.now() : beforeMidnight);
        }

        view.setNewTodoName(QStringLiteral("x"));
        view.setSelectedHour(9);
        view.addTodo();
        ASSERT_EQ(view.todoList().size(), 1u);
        EXPECT_EQ(calendar().components(view.todoList().front().time()), c.added);
        EXPECT_EQ(announced, c.announced ? 1 : 0) << "announced once";
    }
}

TEST(ShownDayTest, APickedDayDatesNewToDosUntilItIsTodayOrPast)
{
    const struct {
        const char *what;
        DateComponents now; // in Berlin
        QDate pick;
        bool thenToday; // "Today" chosen after the pick
        double secondsLater;
        int hour; // with minute 30
        bool isAM;
        DateComponents added;
        bool showsToday;
    } cases[] = {
        {"a picked day", {2026, 3, 5, 15, 42}, {2026, 3, 10}, false, 0, 9, true,
         {2026, 3, 10, 9, 30}, false},
        {"into the next month", {2026, 4, 30, 22, 0}, {2026, 5, 1}, false, 0, 9, true,
         {2026, 5, 1, 9, 30}, false},
        {"into the next year", {2026, 12, 31, 23, 30}, {2027, 1, 1}, false, 0, 9, true,
         {2027, 1, 1, 9, 30}, false},
        {"the spring gap on a picked day", {2026, 3, 28, 20, 0}, {2026, 3, 29}, false, 0, 2,
         true, {2026, 3, 29, 3, 30}, false},
        {"the last hour of the autumn day", {2026, 10, 24, 20, 0}, {2026, 10, 25}, false, 0, 11,
         false, {2026, 10, 25, 23, 30}, false},
        {"a past day is refused", {2026, 3, 5, 15, 42}, {2026, 3, 4}, false, 0, 9, true,
         {2026, 3, 5, 9, 30}, true},
        {"picking today is today", {2026, 3, 5, 15, 42}, {2026, 3, 5}, false, 0, 9, true,
         {2026, 3, 5, 9, 30}, true},
        {"Today gives the pick up", {2026, 3, 5, 15, 42}, {2026, 3, 10}, true, 0, 9, true,
         {2026, 3, 5, 9, 30}, true},
        {"the pick outlasts a midnight before it", {2026, 3, 5, 23, 59}, {2026, 3, 10}, false,
         120, 9, true, {2026, 3, 10, 9, 30}, false},
        {"at its midnight the picked day is today", {2026, 3, 5, 23, 59}, {2026, 3, 6}, false,
         120, 9, true, {2026, 3, 6, 9, 30}, true},
        {"once past, today follows the clock", {2026, 3, 5, 23, 59}, {2026, 3, 6}, false,
         2 * 86400, 9, true, {2026, 3, 7, 9, 30}, true},
    };
    const CalendarSource berlin = [] { return LocalCalendar("Europe/Berlin"); };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        const double start =
            *berlin().instant(c.now.year, c.now.month, c.now.day, c.now.hour, c.now.minute, 0);
        FixedClock clock(start);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock, berlin);
        view.followToday();

        view.pickDay(c.pick);
        if (c.thenToday)
            view.pickToday();
        clock.set(start + c.secondsLater);
        view.followToday();
        const QDate addedDay(c.added.year, c.added.month, c.added.day);
        EXPECT_EQ(view.shownDay(), addedDay);
        EXPECT_EQ(view.showsToday(), c.showsToday);
        EXPECT_EQ(berlin().components(view.shownDate()).day, addedDay.day());

        view.setNewTodoName(QStringLiteral("x"));
        view.setSelectedHour(c.hour);
        view.setSelectedMinute(30);
        view.setIsAM(c.isAM);
        view.addTodo();
        ASSERT_EQ(view.todoList().size(), 1u);
        EXPECT_EQ(berlin().components(view.todoList().front().time()), c.added);
        EXPECT_EQ(view.shownDay(), addedDay) << "the day stays for further to-dos";
    }
}

TEST_F(AddTodoTest, ATimeInTheSpringGapFollowsTheCalendar)
{
    FixedClock springDay{*berlin().instant(2026, 3, 29, 12, 0, 0)};
    ContentView gapView(preferences, reminders, springDay, berlin);
    gapView.setNewTodoName(QStringLiteral("x"));
    gapView.setSelectedHour(2);
    gapView.setSelectedMinute(30);
    gapView.addTodo();
    ASSERT_EQ(gapView.todoList().size(), 1u);
    EXPECT_EQ(berlin().components(gapView.todoList().front().time()),
              (DateComponents{2026, 3, 29, 3, 30}));
}

namespace {

class DeleteTest : public ContentViewTest {
protected:
    std::vector<TodoItem> five;

    void SetUp() override
    {
        for (const char *name : {"a", "b", "c", "d", "e"})
            five.emplace_back(name, 0, TodoPriority::low);
        ASSERT_TRUE(writeTodoList(preferences, five));
        view.appear();
        ASSERT_EQ(view.todoList(), five);
    }

    static QString identifier(const TodoItem &item)
    {
        return QString::fromStdString(item.id().uuidString());
    }
};

} // namespace

TEST_F(DeleteTest, TrashThenCancelChangesNothing)
{
    view.requestDelete(five[2]);
    EXPECT_TRUE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), 2);
    view.cancelDelete();
    view.dismissDeleteAlert();
    EXPECT_EQ(view.deleteIndex(), std::nullopt);
    EXPECT_FALSE(view.deleteAlertShown());
    EXPECT_EQ(view.todoList(), five);
    EXPECT_TRUE(notifications.removed.empty());
}

TEST_F(DeleteTest, TrashThenDeleteRemovesThatEntryAndItsReminder)
{
    view.requestDelete(five[2]);
    view.confirmDelete();
    view.dismissDeleteAlert();
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{five[0], five[1], five[3], five[4]}));
    ASSERT_EQ(notifications.removed.size(), 1u);
    EXPECT_EQ(notifications.removed.front(), QStringList{identifier(five[2])});
    EXPECT_EQ(view.deleteIndex(), 2) << "Delete leaves deleteIndex as it was";
    EXPECT_EQ(readTodoList(preferences), five) << "the store changes only when the view leaves";
}

TEST_F(DeleteTest, OfTwoEqualEntriesTheLowerOneGoes)
{
    view.deleteTodos({0, 1, 2, 3, 4});
    ContentView twins(preferences, reminders, clock);
    const TodoItem twin("twin", 5, TodoPriority::high);
    ASSERT_TRUE(writeTodoList(preferences, {five[0], twin, five[1], twin}));
    twins.appear();
    twins.requestDelete(twin);
    EXPECT_EQ(twins.deleteIndex(), 1);
    twins.confirmDelete();
    EXPECT_EQ(twins.todoList(), (std::vector<TodoItem>{five[0], five[1], twin}));
}

TEST_F(DeleteTest, ListActionWithdrawsInAscendingOrderThenRemovesAll)
{
    notifications.calls.clear();
    view.deleteTodos({3, 1});
    EXPECT_EQ(notifications.removed,
              (std::vector<QStringList>{{identifier(five[1])}, {identifier(five[3])}}));
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{five[0], five[2], five[4]}));
    EXPECT_FALSE(view.deleteAlertShown());
}

TEST_F(DeleteTest, AnEmptySetChangesNothing)
{
    view.deleteTodos({});
    EXPECT_EQ(view.todoList(), five);
    EXPECT_TRUE(notifications.removed.empty());
}

TEST_F(DeleteTest, AStaleItemStillBringsTheAlertAndDeleteRemovesNothing)
{
    view.deleteTodos({4});
    notifications.removed.clear();
    view.requestDelete(five[4]);
    EXPECT_TRUE(view.deleteAlertShown());
    EXPECT_EQ(view.deleteIndex(), std::nullopt);
    view.confirmDelete();
    EXPECT_EQ(view.todoList().size(), 4u);
    EXPECT_TRUE(notifications.removed.empty());
}

TEST_F(DeleteTest, RemovalsAreAnnouncedAsRunsFromTheEnd)
{
    std::vector<std::pair<int, int>> runs;
    QObject::connect(&view, &ContentView::todosAboutToBeRemoved,
                     [&](int first, int last) { runs.emplace_back(first, last); });
    view.deleteTodos({0, 1, 3, 7, -1});
    EXPECT_EQ(runs, (std::vector<std::pair<int, int>>{{3, 3}, {0, 1}}));
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{five[2], five[4]}));
}

TEST(UndoTest, UndoPutsDeletedToDosBackAsTheyWereAndTheirRemindersToo)
{
    enum class Then { nothing, offerLapses, anotherDeletion, viewLeaves };
    const struct {
        const char *what;
        QList<int> deleted;
        Then then;
        QStringList listAfterUndo;
        QStringList remindersAgain; // asked back from the service, which knows what it withdrew
    } cases[] = {
        {"one row, by the alert", {2}, Then::nothing, {"a", "b", "c", "d", "e"}, {"c"}},
        {"several rows, also those whose time has passed", {1, 0, 4, 3}, Then::nothing,
         {"a", "b", "c", "d", "e"}, {"a", "b", "d", "e"}},
        {"after ten seconds it is too late", {1}, Then::offerLapses, {"a", "c", "d", "e"}, {}},
        {"the next deletion takes the offer", {1}, Then::anotherDeletion, {"a", "c", "d", "e"}, {"d"}},
        {"the list was stored: too late", {1}, Then::viewLeaves, {"a", "c", "d", "e"}, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        FixedClock clock(1000);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock);
        std::vector<TodoItem> five;
        for (const auto &[name, time] : {std::pair{"a", 10.0}, {"b", 2000.0}, {"c", 20.0},
                                         {"d", 3000.0}, {"e", 4000.0}})
            five.emplace_back(name, time, TodoPriority::low);
        ASSERT_TRUE(writeTodoList(preferences, five));
        view.appear();
        if (c.deleted.size() == 1 && c.then == Then::nothing) {
            view.requestDelete(five[static_cast<std::size_t>(c.deleted.front())]);
            view.confirmDelete();
        } else {
            view.deleteTodos(c.deleted);
        }
        EXPECT_EQ(view.millisecondsToUndoForTesting(), 10000) << "offered for ten seconds";
        switch (c.then) {
        case Then::nothing:
            break;
        case Then::offerLapses:
            view.dismissUndo();
            break;
        case Then::anotherDeletion:
            view.deleteTodos({2}); // "d", now third
            break;
        case Then::viewLeaves:
            view.disappear();
            break;
        }
        notifications.added.clear();
        view.undoDelete();
        view.finishSavesForTesting();

        QStringList names, again;
        for (const TodoItem &item : view.todoList())
            names.append(QString::fromStdString(item.name()));
        ASSERT_LE(notifications.restored.size(), 1u) << "one call";
        for (const QStringList &restored : notifications.restored) {
            for (const QString &identifier : restored) {
                for (const TodoItem &item : five) {
                    if (QString::fromStdString(item.id().uuidString()) == identifier)
                        again.append(QString::fromStdString(item.name()));
                }
            }
        }
        EXPECT_EQ(names, c.listAfterUndo);
        EXPECT_EQ(again, c.remindersAgain);
        EXPECT_TRUE(notifications.added.empty()) << "not scheduled anew from the to-do's time";
        if (c.then == Then::nothing) {
            EXPECT_EQ(view.todoList(), five) << "the same ids, names, times and priorities";
        }
        EXPECT_TRUE(view.undoableDeletion().empty()) << "undone once";
    }
}

namespace {

// A store that keeps nothing, as on a full disk or a read-only folder.
class FailingPreferences final : public Preferences {
public:
    std::optional<QByteArray> data(const QString &) const override { return stored; }
    QByteArray revision(const QString &) const override { return {}; }
    bool setData(const QString &, QByteArrayView) override { return false; }
    bool keepUnreadable(const QString &, QByteArrayView) override { return false; }
    QByteArray stored = "[]";
};

} // namespace

TEST(ContentViewRescue, AListTheStoreCannotKeepGoesToARescueFileAndStderr)
{
    QTemporaryDir temporary;
    FailingPreferences preferences;
    FixedClock clock{0};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    FileTodoListRescue rescue({temporary.filePath(QStringLiteral("state/plimsa"))}, QString());
    ContentView view(preferences, reminders, clock, &LocalCalendar::current, rescue);
    view.appear();
    view.setNewTodoName(QStringLiteral("Do not lose me"));
    view.addTodo();

    ::testing::internal::CaptureStderr();
    view.disappear();
    const std::string stderrText = ::testing::internal::GetCapturedStderr();

    const QStringList files = QDir(temporary.filePath(QStringLiteral("state/plimsa")))
                                  .entryList({QStringLiteral("TodoList.rescue-*")}, QDir::Files);
    ASSERT_EQ(files.size(), 1);
    FilePreferences rescued(temporary.filePath(QStringLiteral("state/plimsa")));
    const auto bytes = rescued.data(files.front());
    ASSERT_TRUE(bytes);
    EXPECT_EQ(decodeTodoList(bytes->toStdString()), view.todoList());
    EXPECT_EQ(std::count(stderrText.begin(), stderrText.end(), '\n'), 1) << stderrText;
    EXPECT_NE(stderrText.find(files.front().toStdString()), std::string::npos) << stderrText;
}

namespace {

// Writes of more than `bytes` fail (as on a full disk) while it lives.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, m_saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_savedHandler);
    }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
};

} // namespace

TEST(StoreFileRules, NoFileOfTheUsersIsDeletedAndNoUnreadableValueOverwritten)
{
    const QByteArray unreadable(8192, '[');
    const struct {
        const char *what;
        std::vector<std::pair<QString, QByteArray>> before;
        rlim_t fileSizeLimit;
        QStringList after; // every file in the folder, "*" standing for the time
        bool storeTakesTheList;
        int readError = 0;
        qint64 sparseSize = 0;
        QString linkedTo;
    } cases[] = {
        {"the user's own files stay; only a write cut short is replaced",
         {{QStringLiteral("TodoList"), "[]"},
          {QStringLiteral("TodoList.backup"), "mine"},
          {QStringLiteral("TodoList.old-01"), "mine too"},
          {QStringLiteral("TodoList.a1B2c3"), "six characters"},
          {QStringLiteral(".TodoList.plimsa-new"), "[{\"id\":"}},
         RLIM_INFINITY,
         {QStringLiteral(".plimsa-lock"), QStringLiteral("TodoList"), QStringLiteral("TodoList.a1B2c3"),
          QStringLiteral("TodoList.backup"), QStringLiteral("TodoList.old-01")},
         true,
         0,
         0,
         {}},
        {"an unreadable value is copied aside before the save replaces it",
         {{QStringLiteral("TodoList"), unreadable}},
         RLIM_INFINITY,
         {QStringLiteral(".plimsa-lock"), QStringLiteral("TodoList"),
          QStringLiteral("TodoList.unreadable-*")},
         true,
         0,
         0,
         {}},
        {"when no copy can be made, the value stays and the list is rescued",
         {{QStringLiteral("TodoList"), unreadable}},
         4096,
         {QStringLiteral(".plimsa-lock"), QStringLiteral("TodoList")},
         false,
         0,
         0,
         {}},
        {"a value that cannot be read is held back, not taken for none",
         {{QStringLiteral("TodoList"), "[]"}},
         RLIM_INFINITY,
         {QStringLiteral("TodoList")},
         false,
         EACCES,
         0,
         {}},
        {"so is one past the size limit",
         {{QStringLiteral("TodoList"), QByteArray()}},
         RLIM_INFINITY,
         {QStringLiteral("TodoList")},
         false,
         0,
         StoredFile::sizeLimit + 1,
         {}},
        {"a linked value is written through, and the link stays",
         {{QStringLiteral("TodoList"), "[]"}},
         RLIM_INFINITY,
         {QStringLiteral("TodoList")},
         true,
         0,
         0,
         QStringLiteral("../../dotfiles/TodoList")},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir home;
        const QString store = home.filePath(QStringLiteral("config/plimsa"));
        const QString state = home.filePath(QStringLiteral("state/plimsa"));
        ASSERT_TRUE(QDir().mkpath(store));
        for (const auto &[name, bytes] : c.before) {
            QFile file(store + QLatin1Char('/') + name);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(bytes);
            if (c.sparseSize) {
                ASSERT_TRUE(file.resize(c.sparseSize));
            }
        }
        // In a folder of its own, so that the store's shows only the link.
        const QString linkFolder = home.filePath(QStringLiteral("dotfiles"));
        if (!c.linkedTo.isEmpty()) {
            ASSERT_TRUE(QDir().mkpath(linkFolder));
            ASSERT_TRUE(QFile::rename(store + QStringLiteral("/TodoList"),
                                      linkFolder + QStringLiteral("/TodoList")));
            ASSERT_TRUE(QFile::link(c.linkedTo, store + QStringLiteral("/TodoList")));
        }
        const int readError = c.readError;
        StoredFile::setReadFaultForTesting([readError](const QString &path) {
            return path.endsWith(QStringLiteral("/TodoList")) ? readError : 0;
        });
        FilePreferences preferences(store);
        FileTodoListRescue rescue({state}, store + QStringLiteral("/TodoList"));
        FixedClock clock(0);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        std::vector<TodoItem> saved;
        ::testing::internal::CaptureStderr();
        {
            const FileSizeLimit limit(c.fileSizeLimit);
            ContentView view(preferences, reminders, clock, &LocalCalendar::current, rescue);
            view.appear();
            view.setNewTodoName(QStringLiteral("Do not lose me"));
            view.addTodo();
            saved = view.todoList();
            view.disappear();
        }
        StoredFile::setReadFaultForTesting({});
        const std::string stderrText = ::testing::internal::GetCapturedStderr();
        if (!c.linkedTo.isEmpty()) {
            EXPECT_TRUE(QFileInfo(store + QStringLiteral("/TodoList")).isSymLink());
            EXPECT_EQ(QDir(linkFolder).entryList(QDir::Files | QDir::Hidden),
                      (QStringList{QStringLiteral(".plimsa-lock"), QStringLiteral("TodoList")}));
        }
        if (c.sparseSize) {
            EXPECT_EQ(QFileInfo(store + QStringLiteral("/TodoList")).size(), c.sparseSize);
        }

        QStringList after = QDir(store).entryList(QDir::Files | QDir::Hidden);
        after.replaceInStrings(QRegularExpression(QStringLiteral("-\\d{8}T\\d{6}\\.\\d{3}Z$")),
                               QStringLiteral("-*"));
        EXPECT_EQ(after, c.after);
        for (const auto &[name, bytes] : c.before) {
            if (name != todoListKey && !name.startsWith(QLatin1Char('.'))) {
                EXPECT_EQ(preferences.data(name), bytes) << name.toStdString();
            }
        }
        const QStringList aside = QDir(store).entryList({QStringLiteral("TodoList.unreadable-*")});
        if (!aside.isEmpty()) {
            EXPECT_EQ(preferences.data(aside.front()), unreadable);
        }

        const QStringList rescued = QDir(state).entryList(QDir::Files);
        if (c.storeTakesTheList) {
            EXPECT_EQ(readTodoList(preferences), saved);
            EXPECT_TRUE(rescued.isEmpty());
        } else {
            if (!c.sparseSize) {
                EXPECT_EQ(preferences.data(todoListKey), c.before.front().second);
            }
            ASSERT_EQ(rescued.size(), 1);
            EXPECT_EQ(decodeTodoList(StoredFile(state + QLatin1Char('/') + rescued.front())
                                         .read()
                                         ->toStdString()),
                      saved);
            EXPECT_NE(stderrText.find(rescued.front().toStdString()), std::string::npos)
                << stderrText;
        }
    }
}

TEST(TodayTest, TheWatcherWakesAtMidnightAndAtLeastOnceAMinute)
{
    const CalendarSource berlin = [] { return LocalCalendar("Europe/Berlin"); };
    const struct {
        int hour, minute;
        double second;
        int expectedMs;
    } cases[] = {{23, 59, 35, 25000}, {23, 59, 59.95, 50}, {12, 0, 0, 60000}, {0, 0, 0, 60000}};
    for (const auto &c : cases) {
        FixedClock clock(*berlin().instant(2026, 3, 5, c.hour, c.minute, 0) + c.second);
        TodayWatcher watcher(clock, berlin);
        EXPECT_EQ(watcher.millisecondsUntilNextCheckForTesting(), c.expectedMs)
            << c.hour << ":" << c.minute << ":" << c.second;
        if (c.expectedMs < 1000) {
            bool woke = false;
            QObject::connect(&watcher, &TodayWatcher::mayHaveChanged, [&] { woke = true; });
            clock.set(clock.now() + 0.05);
            EXPECT_TRUE(QTest::qWaitFor([&] { return woke; }, 1000));
            EXPECT_EQ(watcher.millisecondsUntilNextCheckForTesting(), 60000) << "armed again";
        }
    }
}

TEST(EditTest, ChangesKeepIdAndPlaceRemakeTheReminderAndCanBeUndone)
{
    const CalendarSource berlin = [] { return LocalCalendar("Europe/Berlin"); };
    const double fivePm = *berlin().instant(2026, 3, 5, 17, 0, 0);
    const TodoItem tea("Tea", fivePm, TodoPriority::high);
    const TodoItem milk("Milk", fivePm, TodoPriority::low);
    const double nineAm = *berlin().instant(2026, 3, 5, 9, 0, 0);
    RecordingNotificationCenter scheduled;
    ReminderScheduler(scheduled).scheduleReminder(tea);
    const NotificationRequest teaReminder = scheduled.added.front();
    // The clock stands at 15:42 on that day.
    const struct {
        const char *what;
        std::function<void(ContentView &)> change;
        std::optional<TodoItem> changed; // none: nothing changes
        bool reminded;                   // a new reminder is due
    } cases[] = {
        {"a rename, trimmed",
         [](ContentView &v) { v.renameTodo(0, QStringLiteral(" Green tea\n")); },
         TodoItem("Green tea", fivePm, TodoPriority::high, tea.id()), true},
        {"a blank rename", [](ContentView &v) { v.renameTodo(0, QStringLiteral(" \t\u3000")); },
         std::nullopt, false},
        {"the same name", [](ContentView &v) { v.renameTodo(0, QStringLiteral("Tea ")); },
         std::nullopt, false},
        {"an edit into the past: no reminder",
         [](ContentView &v) {
             TodoDraft draft = v.draftOf(0);
             draft.hour = 9;
             draft.isAM = true;
             draft.priority = TodoPriority::low;
             EXPECT_TRUE(v.editTodo(0, draft));
         },
         TodoItem("Tea", nineAm, TodoPriority::low, tea.id()), false},
        {"an edit to another day and name",
         [](ContentView &v) {
             TodoDraft draft = v.draftOf(0);
             EXPECT_EQ(draft, (TodoDraft{QStringLiteral("Tea"), TodoPriority::high,
                                         QDate(2026, 3, 5), 5, 0, false}));
             draft.name = QStringLiteral("Tea with Ann ");
             draft.day = QDate(2026, 3, 6);
             EXPECT_TRUE(v.editTodo(0, draft));
         },
         TodoItem("Tea with Ann", fivePm + 86400, TodoPriority::high, tea.id()), true},
        {"a blank name in the form",
         [](ContentView &v) {
             TodoDraft draft = v.draftOf(0);
             draft.name = QStringLiteral("  ");
             draft.hour = 9;
             EXPECT_FALSE(v.editTodo(0, draft));
         },
         std::nullopt, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        ASSERT_TRUE(writeTodoList(preferences, {tea, milk}));
        FixedClock clock(*berlin().instant(2026, 3, 5, 15, 42, 0));
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock, berlin);
        view.appear();
        view.commitData();
        int announced = -1;
        QObject::connect(&view, &ContentView::todoChanged, [&](int offset) { announced = offset; });

        // A change is a change of the list, which the store must get.
        ASSERT_TRUE(preferences.setData(todoListKey, "checkpoint"));
        c.change(view);
        view.finishSavesForTesting();
        EXPECT_EQ(preferences.data(todoListKey) == QByteArray("checkpoint"), !c.changed);
        const TodoItem now = c.changed.value_or(tea);
        EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{now, milk}));
        EXPECT_EQ(announced, c.changed ? 0 : -1);
        if (c.changed) {
            ASSERT_EQ(notifications.removed.size(), 1u);
            EXPECT_EQ(notifications.removed.front(),
                      QStringList{QString::fromStdString(tea.id().uuidString())});
        } else {
            EXPECT_TRUE(notifications.removed.empty());
        }
        ASSERT_EQ(notifications.added.size(), c.reminded ? 1u : 0u);
        if (c.reminded) {
            EXPECT_EQ(notifications.added.front().content.body,
                      QString::fromStdString("Todo: " + now.name()));
        }

        EXPECT_EQ(view.undoableChange().has_value(), c.changed.has_value());
        EXPECT_EQ(view.millisecondsToUndoForTesting() > 0, c.changed.has_value());
        notifications.removed.clear();
        notifications.added.clear();
        view.undoChange();
        view.finishSavesForTesting();
        EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{tea, milk}));
        EXPECT_FALSE(view.undoableChange());
        if (c.changed) {
            ASSERT_EQ(notifications.removed.size(), 1u);
            ASSERT_EQ(notifications.added.size(), 1u);
            EXPECT_EQ(notifications.added.front(), teaReminder) << "the reminder as it was";
        }
    }
}

namespace {

SyncedChanges::Todo synced(const TodoItem &item, std::optional<double> reminder)
{
    return {item, reminder};
}

SyncedChanges::Todo synced(const TodoItem &item)
{
    return {item, item.time()};
}

QStringList identifiers(const std::vector<NotificationRequest> &requests)
{
    QStringList found;
    for (const NotificationRequest &request : requests)
        found.append(request.identifier);
    found.sort();
    return found;
}

QStringList idsOf(std::initializer_list<const TodoItem *> items)
{
    QStringList found;
    for (const TodoItem *item : items)
        found.append(QString::fromStdString(item->id().uuidString()));
    found.sort();
    return found;
}

} // namespace

TEST_F(ContentViewTest, ASyncsChangesRemindOnlyOfWhatIsStillToCome)
{
    const double now = clock.now();
    const TodoItem tea("Tea", now + 3600, TodoPriority::high);
    const TodoItem milk("Milk", now + 7200, TodoPriority::low);
    const TodoItem bread("Bread", now + 900, TodoPriority::low);
    const TodoItem renamedTea("Green tea", tea.time(), tea.priority(), tea.id());
    const TodoItem overdue("Overdue on the phone", now - 86400, TodoPriority::medium);
    const TodoItem later("Later on the phone", now + 600, TodoPriority::medium);
    int edits = 0;
    QObject::connect(&view, &ContentView::listEdited, [&] { ++edits; });

    const TodoItem allDay("All day, no alarm", now + 7200, TodoPriority::low);
    SyncedChanges first;
    first.changed = {synced(tea), synced(milk), synced(bread, now + 300), synced(allDay, std::nullopt)};
    view.applySyncedChanges(first);
    view.finishSavesForTesting();
    EXPECT_EQ(identifiers(notifications.added), idsOf({&tea, &milk, &bread}));
    ASSERT_EQ(notifications.added.size(), 3u);
    EXPECT_EQ(notifications.added[2].trigger.time, now + 300) << "at its own alarm";
    notifications.added.clear();

    SyncedChanges alarmMoved;
    alarmMoved.changed = {synced(bread, now + 600)};
    view.applySyncedChanges(alarmMoved);
    ASSERT_EQ(notifications.added.size(), 1u) << "the list stays, the reminder moves";
    EXPECT_EQ(notifications.added.front().trigger.time, now + 600);
    notifications.added.clear();

    SyncedChanges outcome;
    outcome.changed = {synced(renamedTea), synced(overdue), synced(later)};
    outcome.removed = {milk.id(), allDay.id()};
    view.applySyncedChanges(outcome);
    view.finishSavesForTesting();
    EXPECT_EQ(view.todoList(), (std::vector<TodoItem>{renamedTea, bread, overdue, later}));
    ASSERT_EQ(notifications.removed.size(), 1u);
    QStringList withdrawn = notifications.removed.front();
    withdrawn.sort();
    EXPECT_EQ(withdrawn, idsOf({&tea, &milk, &allDay})) << "changed and removed";
    EXPECT_EQ(identifiers(notifications.added), idsOf({&renamedTea, &later}))
        << "none for the overdue one";
    EXPECT_EQ(edits, 0) << "a sync's changes are not local ones";
    EXPECT_EQ(readTodoList(preferences), view.todoList()) << "saved like any change";
}

TEST_F(ContentViewTest, ASharedListNeverWritesOverWhatAnotherWriterBrought)
{
    // Another process (the reminder agent) writes the list after this view
    // read it, and the user adds a to-do meanwhile. The view then saves a
    // second after the change, takes over, or is closed or checkpointed,
    // taking over when the other lets go and saving under the list's lock
    // when it does not; the other may be writing under that lock just then.
    enum class Then { laterSave, catchUp, close, checkpoint };
    struct Case {
        const char *what;
        Then then;
        bool otherLetsGo;
        bool otherWritesDuringSave;
    };
    const Case cases[] = {
        {"the save a second later", Then::laterSave, false, false},
        {"the save a second later, while the other writes", Then::laterSave, false, true},
        {"taken over", Then::catchUp, true, false},
        {"closed, the other lets go", Then::close, true, false},
        {"closed, the other holds on and writes", Then::close, false, true},
        {"checkpoint, the other holds on and writes", Then::checkpoint, false, true},
    };
    const TodoItem tea("Tea", clock.now() + 3600, TodoPriority::high);
    const TodoItem pulled("From the phone", clock.now() + 600, TodoPriority::medium);
    const TodoItem pulledLater("From the tablet", clock.now() + 900, TodoPriority::low);
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir folder;
        FilePreferences store{folder.path()};
        RecordingNotificationCenter center;
        ReminderScheduler scheduler{center};
        ContentView shared{store, scheduler, clock};
        ASSERT_TRUE(writeTodoList(store, {tea}));
        const QString lockPath = folder.filePath(QStringLiteral("list.lock"));
        int takeOvers = 0;
        shared.shareList(
            [&] {
                ++takeOvers;
                return c.otherLetsGo;
            },
            lockPath);
        shared.appear();
        ASSERT_TRUE(writeTodoList(store, {tea, pulled}));
        shared.setNewTodoName(QStringLiteral("Typed here"));
        shared.addTodo();
        // The other process's write under the lock, which it holds as the save
        // begins: without the lock the save would read the list before it.
        OwnerLock otherLock(lockPath);
        std::thread other;
        if (c.otherWritesDuringSave) {
            ASSERT_TRUE(otherLock.tryTake());
            // Past the second after the change, when that is the save.
            const int holdMs = c.then == Then::laterSave ? 1300 : 200;
            other = std::thread([&, holdMs] {
                QTest::qSleep(holdMs);
                FilePreferences otherStore{folder.path()};
                EXPECT_TRUE(writeTodoList(otherStore, {tea, pulled, pulledLater}));
                otherLock.release();
            });
        }
        switch (c.then) {
        case Then::laterSave:
            EXPECT_TRUE(QTest::qWaitFor(
                [&] {
                    const std::optional<std::vector<TodoItem>> onDisk = readTodoList(store);
                    return onDisk && std::ranges::any_of(*onDisk, [](const TodoItem &item) {
                               return item.name() == "Typed here";
                           });
                },
                4000));
            break;
        case Then::catchUp:
            shared.catchUpWithDisk();
            shared.finishSavesForTesting();
            break;
        case Then::close:
            shared.disappear();
            break;
        case Then::checkpoint:
            shared.commitData();
            break;
        }
        if (other.joinable())
            other.join();
        const bool askedToTakeOver = c.then == Then::close || c.then == Then::checkpoint;
        EXPECT_EQ(takeOvers, askedToTakeOver ? 1 : 0);
        const std::optional<std::vector<TodoItem>> stored = readTodoList(store);
        ASSERT_TRUE(stored);
        std::vector<std::string> names;
        for (const TodoItem &item : *stored)
            names.push_back(item.name());
        std::ranges::sort(names);
        std::vector<std::string> expected{"From the phone", "Tea", "Typed here"};
        if (c.otherWritesDuringSave)
            expected.insert(expected.begin() + 1, "From the tablet");
        EXPECT_EQ(names, expected);
        EXPECT_EQ(shared.todoList(), *stored);
    }
}

namespace {

QStringList namesOf(const std::vector<TodoItem> &items)
{
    QStringList names;
    for (const TodoItem &item : items)
        names.append(QString::fromStdString(item.name()));
    return names;
}

} // namespace

TEST(CompletionTest, TickingOffWithdrawsTheReminderAndUntickingBringsItBack)
{
    const double now = 786310212.75;
    const auto done = [&](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.completed = now - 3600;
        return item.withExtras(extras);
    };
    const TodoItem tea("Tea", now + 3600, TodoPriority::high);
    const TodoItem milk("Milk", now - 600, TodoPriority::low);
    const TodoItem bread("Bread", now + 900, TodoPriority::medium);
    const struct {
        const char *what;
        std::vector<TodoItem> stored;
        std::function<void(ContentView &)> act;
        QStringList order;     // the list afterwards
        QStringList completed; // the done ones afterwards
        QStringList withdrawn; // reminders cancelled
        QStringList reminded;  // reminders scheduled from the to-do
        QStringList restored;  // reminders asked back from the service
        QStringList journaled; // to-dos sync is told were saved
        bool undoable;         // a tick offered for undo
    } cases[] = {
        {"a tick keeps the place and withdraws the reminder",
         {tea, milk, bread},
         [](ContentView &v) { v.completeTodo(0); },
         {"Tea", "Milk", "Bread"},
         {"Tea"},
         {"Tea"},
         {},
         {},
         {"Tea"},
         true},
        {"an undone tick brings back exactly the withdrawn reminder",
         {tea, milk, bread},
         [](ContentView &v) {
             v.completeTodo(0);
             v.undoChange();
         },
         {"Tea", "Milk", "Bread"},
         {},
         {"Tea"},
         {},
         {"Tea"},
         {"Tea", "Tea"},
         false},
        {"a done one is not ticked again",
         {done(tea), milk},
         [](ContentView &v) { v.completeTodo(0); },
         {"Tea", "Milk"},
         {"Tea"},
         {},
         {},
         {},
         {},
         false},
        {"unticking moves it to the end with its reminder still to come",
         {done(tea), milk, bread},
         [](ContentView &v) { v.reopenTodo(0); },
         {"Milk", "Bread", "Tea"},
         {},
         {},
         {"Tea"},
         {},
         {"Tea"},
         false},
        {"unticking one whose time has passed reminds of nothing",
         {tea, done(milk), bread},
         [](ContentView &v) { v.reopenTodo(1); },
         {"Tea", "Bread", "Milk"},
         {},
         {},
         {},
         {},
         {"Milk"},
         false},
        {"unticking after a tick drops the offer to undo it",
         {tea, milk},
         [](ContentView &v) {
             v.completeTodo(0);
             v.reopenTodo(0);
             v.undoChange();
         },
         {"Milk", "Tea"},
         {},
         {"Tea"},
         {"Tea"},
         {},
         {"Tea", "Tea"},
         false},
        {"an open one is not unticked",
         {tea, milk},
         [](ContentView &v) { v.reopenTodo(0); },
         {"Tea", "Milk"},
         {},
         {},
         {},
         {},
         {},
         false},
        {"renaming a done one reminds of nothing",
         {done(tea), milk},
         [](ContentView &v) { v.renameTodo(0, QStringLiteral("Green tea")); },
         {"Green tea", "Milk"},
         {"Green tea"},
         {"Tea"},
         {},
         {},
         {"Green tea"},
         false},
        {"deleting the done ones leaves the open ones",
         {done(tea), milk, done(bread)},
         [](ContentView &v) { v.deleteCompleted(); },
         {"Milk"},
         {},
         {"Tea", "Bread"},
         {},
         {},
         {},
         false},
        {"a sync that completes one withdraws its reminder and schedules none",
         {tea, milk},
         [&](ContentView &v) {
             SyncedChanges changes;
             // Done on another device just now.
             TodoExtras extras;
             extras.completed = std::floor(now);
             changes.changed = {{tea.withExtras(extras), tea.time()}};
             v.applySyncedChanges(changes);
         },
         {"Tea", "Milk"},
         {"Tea"},
         {"Tea"},
         {},
         {},
         {},
         false},
        {"a sync that reopens one brings its reminder back",
         {done(tea), milk},
         [&](ContentView &v) {
             SyncedChanges changes;
             changes.changed = {{tea, tea.time()}};
             v.applySyncedChanges(changes);
         },
         {"Tea", "Milk"},
         {},
         {"Tea"},
         {"Tea"},
         {},
         {},
         false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        FilePreferences preferences(temporary.path());
        ASSERT_TRUE(writeTodoList(preferences, c.stored));
        FixedClock clock(now);
        RecordingNotificationCenter notifications;
        ReminderScheduler reminders(notifications);
        ContentView view(preferences, reminders, clock);
        view.appear();
        QStringList journaled;
        QObject::connect(&view, &ContentView::listEdited,
                         [&](const TodoListEdit &edit) { journaled.append(namesOf(edit.saved)); });

        c.act(view);
        view.finishSavesForTesting();

        EXPECT_EQ(namesOf(view.todoList()), c.order);
        std::vector<TodoItem> completed;
        for (const TodoItem &item : view.todoList()) {
            if (item.isCompleted())
                completed.push_back(item);
            const auto before = std::ranges::find(c.stored, item.id(), &TodoItem::id);
            if (item.isCompleted()) {
                // Ticked now, in whole seconds, or kept as it was.
                EXPECT_EQ(item.completed(),
                          before->isCompleted() ? before->completed() : std::floor(now));
            }
        }
        EXPECT_EQ(namesOf(completed), c.completed);
        const auto named = [&](const QStringList &identifiers) {
            QStringList names;
            for (const QString &identifier : identifiers) {
                for (const TodoItem &item : c.stored) {
                    if (QString::fromStdString(item.id().uuidString()) == identifier)
                        names.append(QString::fromStdString(item.name()));
                }
            }
            return names;
        };
        QStringList withdrawn, reminded, restored;
        for (const QStringList &removed : notifications.removed)
            withdrawn.append(named(removed));
        for (const NotificationRequest &added : notifications.added) {
            reminded.append(named({added.identifier}));
            EXPECT_EQ(added.trigger.time, tea.time()) << "at its own time";
        }
        for (const QStringList &back : notifications.restored)
            restored.append(named(back));
        EXPECT_EQ(withdrawn, c.withdrawn);
        EXPECT_EQ(reminded, c.reminded);
        EXPECT_EQ(restored, c.restored);
        EXPECT_EQ(journaled, c.journaled);
        EXPECT_EQ(view.undoableChangeCompleted(), c.undoable);
        EXPECT_EQ(readTodoList(preferences), view.todoList()) << "stored like any change";
    }
}

TEST(CompletionTest, WhetherDoneToDosAreShownIsRememberedAcrossRuns)
{
    QTemporaryDir temporary;
    FilePreferences preferences(temporary.path());
    FixedClock clock(1000);
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders(notifications);
    for (const bool shown : {true, false}) {
        SCOPED_TRACE(shown);
        {
            ContentView view(preferences, reminders, clock);
            view.appear();
            int told = 0;
            QObject::connect(&view, &ContentView::completedShownChanged, [&] { ++told; });
            view.setCompletedShown(shown);
            view.setCompletedShown(shown);
            EXPECT_EQ(told, 1) << "told once per change";
            view.disappear();
        }
        ContentView next(preferences, reminders, clock);
        EXPECT_EQ(next.completedShown(), shown);
    }
}
