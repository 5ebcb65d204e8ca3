#include <FixedClock.h>
#include <Instant.h>
#include <LocalNotificationCenter.h>
#include <QCoreApplication>
#include <QTemporaryDir>
#include <WaitFor.h>
#include <gtest/gtest.h>

namespace {

class RecordingServer final : public NotificationServer {
public:
    void show(const NotificationContent &content) override { shown.push_back(content); }
    void probe(ProbeAnswer answer) override { answer(available, std::nullopt); }

    bool available = true;
    std::vector<NotificationContent> shown;
};

// 2026-03-05 19:30:00 UTC.
constexpr double evening = 1772739000.0 - referenceDateUnixSeconds;

NotificationRequest requestAt(const QString &identifier, DateComponents at)
{
    return {identifier,
            {QStringLiteral("Reminder"), QStringLiteral("Todo: ") + identifier, true},
            {at, false}};
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

TEST_F(LocalNotificationCenterTest, DueTimeFollowsTheTimeZoneAtTheMoment)
{
    auto center = makeCenter();
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    zone = QStringLiteral("Europe/Berlin"); // 19:30 there is 18:30 UTC, already past
    center->deliverDue();
    EXPECT_EQ(server.shown.size(), 1u);
}

TEST_F(LocalNotificationCenterTest, ManyWithdrawalsInOneTurnWriteOnce)
{
    auto center = makeCenter();
    for (int i = 0; i < 100; ++i)
        center->add(requestAt(QString::number(i), {2026, 3, 5, 19, 30}));
    for (int i = 0; i < 100; i += 2)
        center->removePendingRequests({QString::number(i)});
    EXPECT_FALSE(PendingRequestsFile(path).read()) << "nothing written inside the turn";
    waitFor([&] { return PendingRequestsFile(path).read().has_value(); });
    EXPECT_EQ(PendingRequestsFile(path).read()->size(), 50u);
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
    center->afterWrite([&] { written = true; });
    EXPECT_TRUE(written) << "nothing to write";

    written = false;
    std::optional<std::vector<NotificationRequest>> onDisk;
    center->add(requestAt(QStringLiteral("A"), {2026, 3, 5, 19, 30}));
    center->afterWrite([&] {
        written = true;
        onDisk = PendingRequestsFile(path).read();
    });
    EXPECT_FALSE(written);
    ASSERT_TRUE(waitFor([&] { return written; }));
    ASSERT_TRUE(onDisk);
    EXPECT_EQ(onDisk->size(), 1u);
}
