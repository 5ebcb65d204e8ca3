// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FixedClock.h>
#include <Instant.h>
#include <LocalNotificationCenter.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

// Takes every notification at once, unless told to refuse the next ones or to
// hold its answers back.
class RecordingServer final : public NotificationServer {
public:
    void show(const NotificationRequest &request, StillWanted, ShowAnswer answer) override
    {
        ++attempts;
        if (holdAnswers) {
            held.push_back([=, this] { take(request, answer); });
        } else if (refusals > 0) {
            --refusals;
            answer(std::nullopt);
        } else {
            take(request, answer);
        }
    }
    void probe(ProbeAnswer answer) override { answer(available, std::nullopt); }

    bool available = true;
    int refusals = 0;
    bool holdAnswers = false;
    std::vector<std::function<void()>> held;
    int attempts = 0;
    std::vector<NotificationContent> shown;

private:
    void take(const NotificationRequest &request, const ShowAnswer &answer)
    {
        shown.push_back(request.content);
        answer(static_cast<uint>(shown.size()));
    }
};

// 2026-03-05 19:30:00 UTC.
constexpr double evening = 1772739000.0 - referenceDateUnixSeconds;

// A request for a minute in UTC.
NotificationRequest requestAt(const QString &identifier, DateComponents at)
{
    return {
        identifier,
        {QStringLiteral("Reminder"), QStringLiteral("Todo: ") + identifier, true},
        {*LocalCalendar("UTC").instant(at.year, at.month, at.day, at.hour, at.minute, 0), false}};
}

class LocalNotificationCenterTest : public ::testing::Test {
protected:
    QTemporaryDir directory;
    QString path = directory.filePath(QStringLiteral("pending.json"));
    RecordingServer server;
    FixedClock clock{evening - 90};
    QString zone = QStringLiteral("UTC");

    std::unique_ptr<LocalNotificationCenter> makeCenter()
    {
        return std::make_unique<LocalNotificationCenter>(
            PendingRequestsFile(path), server, clock,
            [this] { return LocalCalendar(zone.toStdString()); });
    }
};

} // namespace

TEST_F(LocalNotificationCenterTest, ShowsARequestOnceAtSecondZeroOfItsMinute)
{
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    QCoreApplication::processEvents();
    EXPECT_EQ(center->millisecondsUntilNextCheckForTesting(), 60000) << "never waits past a minute";

    clock.set(evening - 30);
    center->deliverDue();
    EXPECT_TRUE(server.shown.empty());
    EXPECT_EQ(center->millisecondsUntilNextCheckForTesting(), 30000) << "wakes at the minute";

    clock.set(evening - 0.001);
    center->deliverDue();
    EXPECT_TRUE(server.shown.empty());

    clock.set(evening);
    center->deliverDue();
    ASSERT_EQ(server.shown.size(), 1u);
    EXPECT_EQ(server.shown.front().body, QStringLiteral("Todo: A"));
    EXPECT_TRUE(center->pendingRequests().empty());
    EXPECT_EQ(center->millisecondsUntilNextCheckForTesting(), -1) << "nothing left to wait for";

    clock.set(evening + 30);
    center->deliverDue();
    EXPECT_EQ(server.shown.size(), 1u) << "shown once only";
}

TEST_F(LocalNotificationCenterTest, WithdrawnRequestsNeverShow)
{
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    center->add(requestAt(QStringLiteral("B"), {2026, 3, 5, 19, 30}));
    center->removePendingRequests({QStringLiteral("A"), QStringLiteral("unknown")});
    clock.set(evening + 1);
    center->deliverDue();
    ASSERT_EQ(server.shown.size(), 1u);
    EXPECT_EQ(server.shown.front().body, QStringLiteral("Todo: B"));
}

TEST_F(LocalNotificationCenterTest, SameIdentifierReplacesTheEarlierRequest)
{
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    NotificationRequest replacement = requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 31});
    replacement.content.body = QStringLiteral("Todo: replaced");
    center->add(replacement);
    ASSERT_EQ(center->pendingRequests().size(), 1u);
    clock.set(evening + 60);
    center->deliverDue();
    ASSERT_EQ(server.shown.size(), 1u);
    EXPECT_EQ(server.shown.front().body, QStringLiteral("Todo: replaced"));
}

TEST_F(LocalNotificationCenterTest, ARequestWhoseMinuteHasPassedNeverShows)
{
    clock.set(evening + 20);
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    center->add(requestAt(QStringLiteral("B"), {2026, 3, 5, 8, 0}));
    EXPECT_TRUE(center->pendingRequests().empty());
    center->deliverDue();
    EXPECT_TRUE(server.shown.empty());
}

TEST_F(LocalNotificationCenterTest, PendingRequestsSurviveARestart)
{
    {
        auto center = makeCenter();
        center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
        center->add(requestAt(QStringLiteral("B"), {2026, 3, 5, 19, 45}));
    }
    auto center = makeCenter();
    EXPECT_EQ(center->pendingRequests().size(), 2u);
    EXPECT_TRUE(server.shown.empty());
}

TEST_F(LocalNotificationCenterTest, AMinuteMissedWhileNotRunningIsShownOnceAtTheNextStart)
{
    {
        auto center = makeCenter();
        center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
        center->add(requestAt(QStringLiteral("B"), {2026, 3, 6, 7, 0}));
    }
    clock.set(evening + 3600);
    makeCenter();
    ASSERT_EQ(server.shown.size(), 1u);
    EXPECT_EQ(server.shown.front().body, QStringLiteral("Todo: A"));

    auto again = makeCenter();
    EXPECT_EQ(server.shown.size(), 1u) << "a late reminder is not repeated";
    EXPECT_EQ(again->pendingRequests().size(), 1u);
}

TEST_F(LocalNotificationCenterTest, AReminderComesAtItsInstantWhateverTheZoneDoes)
{
    // `evening` is 20:30 in Berlin; then the zone becomes London's, an hour behind.
    const QByteArray olderForm =
        R"([{"identifier":"A","title":"Reminder","body":"Todo: A","sound":true,)"
        R"("year":2026,"month":3,"day":5,"hour":20,"minute":30}])";
    for (const bool fromOlderForm : {false, true}) {
        SCOPED_TRACE(fromOlderForm ? "an entry of the older form, placed in the zone it is read in"
                                   : "added as an instant");
        QFile::remove(path);
        server.shown.clear();
        clock.set(evening - 90);
        zone = QStringLiteral("Europe/Berlin");
        if (fromOlderForm) {
            QFile file(path);
            ASSERT_TRUE(file.open(QIODevice::WriteOnly));
            file.write(olderForm);
        }
        auto center = makeCenter();
        if (!fromOlderForm)
            center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
        QCoreApplication::processEvents();
        ASSERT_EQ(center->pendingRequests().size(), 1u);
        EXPECT_EQ(center->pendingRequests().front().trigger.time, evening);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        const QByteArray onDisk = file.readAll();
        EXPECT_TRUE(onDisk.contains("\"time\":") && !onDisk.contains("\"hour\""))
            << "written as an instant: " << onDisk.toStdString();

        zone = QStringLiteral("Europe/London");
        clock.set(evening - 1);
        center->deliverDue();
        EXPECT_TRUE(server.shown.empty()) << "not when London's clock shows the old local time";
        EXPECT_EQ(center->millisecondsUntilNextCheckForTesting(), 1000);
        clock.set(evening);
        center->deliverDue();
        EXPECT_EQ(server.shown.size(), 1u);
    }
}

TEST_F(LocalNotificationCenterTest, ManyWithdrawalsInOneTurnWriteOnce)
{
    auto center = makeCenter();
    for (int i = 0; i < 100; ++i)
        center->add(requestAt(QString::number(i), {2026, 3, 5, 19, 30}));
    for (int i = 0; i < 100; i += 2)
        center->removePendingRequests({QString::number(i)});
    EXPECT_FALSE(PendingRequestsFile(path).read(LocalCalendar("UTC")))
        << "nothing written inside the turn";
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return PendingRequestsFile(path).read(LocalCalendar("UTC")).has_value(); }));
    EXPECT_EQ(PendingRequestsFile(path).read(LocalCalendar("UTC"))->size(), 50u);
}

TEST_F(LocalNotificationCenterTest, PermissionIsTheServersAnswer)
{
    auto center = makeCenter();
    for (bool available : {true, false}) {
        server.available = available;
        std::optional<bool> granted;
        center->requestAuthorization(
            6, [&](bool answer, std::optional<QString>) { granted = answer; });
        EXPECT_EQ(granted, available);
    }
}

TEST_F(LocalNotificationCenterTest, AfterWriteWaitsForTheChangesOfThisTurnToReachTheFile)
{
    auto center = makeCenter();
    bool written = false;
    center->afterWrite([&](bool) { written = true; });
    EXPECT_TRUE(written) << "nothing to write";

    written = false;
    std::optional<std::vector<NotificationRequest>> onDisk;
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    center->afterWrite([&](bool) {
        written = true;
        onDisk = PendingRequestsFile(path).read(LocalCalendar("UTC"));
    });
    EXPECT_FALSE(written);
    ASSERT_TRUE(QTest::qWaitFor([&] { return written; }));
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(onDisk->size(), 1u);

    // A file where the folder should be: every write fails until it goes.
    const QString blocker = directory.filePath(QStringLiteral("blocked"));
    QFile(blocker).open(QIODevice::WriteOnly);
    path = blocker + QStringLiteral("/pending.json");
    auto blocked = makeCenter();
    blocked->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    for (const bool unblocked : {false, false, true}) {
        if (unblocked)
            QFile::remove(blocker);
        std::optional<bool> result;
        blocked->afterWrite([&](bool ok) { result = ok; });
        EXPECT_FALSE(result) << "written again before it answers";
        ASSERT_TRUE(QTest::qWaitFor([&] { return result.has_value(); }));
        EXPECT_EQ(*result, unblocked);
    }
    EXPECT_EQ(PendingRequestsFile(path).read(LocalCalendar("UTC")), blocked->pendingRequests());
}

TEST_F(LocalNotificationCenterTest, ADueReminderStaysPendingUntilAServerTakesItAndShowsOnce)
{
    enum class Then {
        serverAppears,
        aMinutePasses,
        toDoIsDeleted,
        toDoIsDeletedAndUndone,
        toDoIsDeletedAndUndoneTooLate
    };
    const struct {
        const char *what;
        Then then;
        std::size_t shown;
    } cases[] = {
        {"no server at the minute: shown once a server appears", Then::serverAppears, 1},
        {"the server fails once: shown by the retry within a minute", Then::aMinutePasses, 1},
        {"deleted while it waits: never shown", Then::toDoIsDeleted, 0},
        {"deleted and undone while it waits: shown at once, once", Then::toDoIsDeletedAndUndone, 1},
        {"undone after a minute: gone", Then::toDoIsDeletedAndUndoneTooLate, 0},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QFile::remove(path);
        server.shown.clear();
        server.refusals = 1;
        clock.set(evening - 90);
        auto center = makeCenter();
        center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
        clock.set(evening);
        center->deliverDue();
        EXPECT_TRUE(server.shown.empty());
        ASSERT_EQ(center->pendingRequests().size(), 1u) << "kept until a server takes it";
        EXPECT_EQ(center->millisecondsUntilNextCheckForTesting(), 60000)
            << "tried again within a minute";

        switch (c.then) {
        case Then::serverAppears:
            emit server.serverAppeared();
            break;
        case Then::aMinutePasses:
            clock.set(evening + 60);
            center->deliverDue();
            break;
        case Then::toDoIsDeleted:
            center->removePendingRequests({QStringLiteral("A")});
            emit server.serverAppeared();
            break;
        case Then::toDoIsDeletedAndUndone:
            center->removePendingRequests({QStringLiteral("A")});
            clock.set(evening + 59);
            center->restoreRemovedRequests({QStringLiteral("A"), QStringLiteral("B")});
            center->restoreRemovedRequests({QStringLiteral("A")});
            break;
        case Then::toDoIsDeletedAndUndoneTooLate:
            center->removePendingRequests({QStringLiteral("A")});
            clock.set(evening + 61);
            center->restoreRemovedRequests({QStringLiteral("A")});
            emit server.serverAppeared();
            break;
        }
        EXPECT_EQ(server.shown.size(), c.shown);
        EXPECT_TRUE(center->pendingRequests().empty());
        center->deliverDue();
        emit server.serverAppeared();
        EXPECT_EQ(server.shown.size(), c.shown) << "once only";
        QCoreApplication::processEvents();
        EXPECT_EQ(PendingRequestsFile(path).read(LocalCalendar("UTC")),
                  std::vector<NotificationRequest>{})
            << "forgotten on disk once shown";
    }
}

TEST_F(LocalNotificationCenterTest, ARequestOnItsWayToTheServerIsNotSentAgain)
{
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    server.holdAnswers = true;
    clock.set(evening);
    center->deliverDue();
    emit server.serverAppeared();
    clock.set(evening + 60);
    center->deliverDue();
    EXPECT_EQ(server.attempts, 1);
    ASSERT_EQ(server.held.size(), 1u);
    EXPECT_EQ(center->pendingRequests().size(), 1u) << "not forgotten before the server has it";
    server.held.front()();
    EXPECT_TRUE(center->pendingRequests().empty());
}

TEST_F(LocalNotificationCenterTest, ASnoozedReminderComesAgainTenMinutesLaterAndSurvivesARestart)
{
    const NotificationRequest original = requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30});
    {
        auto center = makeCenter();
        center->add(original);
        clock.set(evening + 20);
        center->deliverDue();
        ASSERT_EQ(server.shown.size(), 1u);
        emit server.actionInvoked(original, NotificationServer::snoozeAction, QString());
        ASSERT_EQ(center->pendingRequests().size(), 1u);
        EXPECT_EQ(center->pendingRequests().front().trigger.time, evening + 660)
            << "the first whole minute ten minutes away";
    }
    auto restarted = makeCenter();
    clock.set(evening + 20 + 599);
    restarted->deliverDue();
    EXPECT_EQ(server.shown.size(), 1u) << "not before ten minutes";
    clock.set(evening + 660);
    restarted->deliverDue();
    ASSERT_EQ(server.shown.size(), 2u);
    EXPECT_EQ(server.shown.back(), original.content) << "the same title and body";
    restarted->deliverDue();
    EXPECT_EQ(server.shown.size(), 2u) << "once";

    emit server.actionInvoked(original, NotificationServer::snoozeAction, QString());
    emit server.actionInvoked(original, NotificationServer::openAction, QString());
    ASSERT_EQ(restarted->pendingRequests().size(), 1u) << "only Snooze brings it back";
    const NotificationRequest snoozed = restarted->pendingRequests().front();
    restarted->removePendingRequests({original.identifier});
    EXPECT_TRUE(restarted->pendingRequests().empty()) << "withdrawn with its to-do";
    restarted->restoreRemovedRequests({original.identifier});
    EXPECT_EQ(restarted->pendingRequests(), std::vector{snoozed}) << "undone: snoozed as it was";
    restarted->removePendingRequests({original.identifier});

    // 01:20 of the hour London repeats when summer time ends (00:20 UTC).
    zone = QStringLiteral("Europe/London");
    clock.set(*LocalCalendar("UTC").instant(2026, 10, 25, 0, 20, 0));
    emit server.actionInvoked(original, NotificationServer::snoozeAction, QString());
    ASSERT_EQ(restarted->pendingRequests().size(), 1u);
    EXPECT_EQ(restarted->pendingRequests().front().trigger.time, clock.now() + 600)
        << "ten minutes, not seventy";
}

TEST_F(LocalNotificationCenterTest, OneCenterOnAFileDeliversTheOtherHandsOverUntilItEnds)
{
    const QDir inbox(directory.filePath(QStringLiteral("pending.inbox")));
    ASSERT_TRUE(inbox.mkpath(QStringLiteral(".")));
    QFile damaged(inbox.filePath(QStringLiteral("0-damaged.json")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("{\"add\":");
    damaged.close();

    auto holder = makeCenter();
    RecordingServer otherServer;
    auto other = std::make_unique<LocalNotificationCenter>(
        PendingRequestsFile(path), otherServer, clock, [] { return LocalCalendar("UTC"); });
    ASSERT_TRUE(holder->isDelivering());
    ASSERT_FALSE(other->isDelivering()) << "the lock is taken";

    holder->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    other->add(requestAt(QStringLiteral("B"), {2026, 3, 5, 19, 31}));
    other->add(requestAt(QStringLiteral("C"), {2026, 3, 5, 19, 31}));
    other->removePendingRequests({QStringLiteral("B"), QStringLiteral("C")});
    other->restoreRemovedRequests({QStringLiteral("B")});
    const auto onDisk = [&] {
        return PendingRequestsFile(path)
            .read(LocalCalendar("UTC"))
            .value_or(std::vector<NotificationRequest>{});
    };
    const std::vector<NotificationRequest> both{
        requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}),
        requestAt(QStringLiteral("B"), {2026, 3, 5, 19, 31})};
    ASSERT_TRUE(QTest::qWaitFor([&] { return onDisk() == both; }))
        << "neither overwrites the other's reminder, and the changes come in order";
    ASSERT_TRUE(QTest::qWaitFor([&] {
        return inbox.entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty();
    })) << "handed-over files go once the file holds them";
    EXPECT_EQ(inbox.entryList({QStringLiteral("0-damaged.json.unreadable-*")}, QDir::Files).size(),
              1)
        << "a file that does not decode is set aside";

    clock.set(evening);
    other->deliverDue();
    holder->deliverDue();
    EXPECT_TRUE(otherServer.shown.empty()) << "only the holder shows";
    ASSERT_EQ(server.shown.size(), 1u);

    holder.reset();
    clock.set(evening + 60);
    other->deliverDue();
    EXPECT_TRUE(other->isDelivering()) << "takes over once the holder has ended";
    ASSERT_EQ(otherServer.shown.size(), 1u);
    EXPECT_EQ(otherServer.shown.front().body, QStringLiteral("Todo: B"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return onDisk().empty(); }));
}

TEST_F(LocalNotificationCenterTest, ChangesHandedOverInOneTurnGoAsOneFile)
{
    // Another process delivers: it holds the lock.
    const QByteArray lockPath =
        QFile::encodeName(directory.filePath(QStringLiteral("pending.lock")));
    const int lock = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    ASSERT_GE(lock, 0);
    ASSERT_EQ(::flock(lock, LOCK_EX | LOCK_NB), 0);
    auto center = makeCenter();
    ASSERT_FALSE(center->isDelivering());

    // One change handed over earlier, as every Plimsa writes a single one.
    const QDir inbox(directory.filePath(QStringLiteral("pending.inbox")));
    const NotificationRequest earlier = requestAt(QStringLiteral("earlier"), {2026, 3, 5, 19, 30});
    QFile single(inbox.filePath(QStringLiteral("000000000000000-single.json")));
    ASSERT_TRUE(single.open(QIODevice::WriteOnly));
    single.write("{\"add\":" + encodePendingRequests({earlier}) + '}');
    single.close();

    std::vector<NotificationRequest> expected{earlier};
    for (int i = 0; i < 1000; ++i) {
        const NotificationRequest request = requestAt(QString::number(i), {2026, 3, 5, 19, 31});
        center->add(request);
        if (i > 0)
            expected.push_back(request);
    }
    center->removePendingRequests({QStringLiteral("0")});
    QCoreApplication::processEvents();
    EXPECT_EQ(inbox.entryList({QStringLiteral("*.json")}, QDir::Files).size(), 2);

    ::close(lock);
    center->deliverDue();
    EXPECT_TRUE(center->isDelivering());
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return inbox.entryList({QStringLiteral("*.json")}, QDir::Files).isEmpty(); }));
    EXPECT_EQ(PendingRequestsFile(path).read(LocalCalendar("UTC")), expected)
        << "each file's changes applied in order, the older file first";
}
