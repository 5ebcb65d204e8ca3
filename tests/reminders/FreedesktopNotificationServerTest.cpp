#include <FakeNotificationsServer.h>
#include <FixedClock.h>
#include <FreedesktopNotificationServer.h>
#include <Instant.h>
#include <LocalNotificationCenter.h>
#include <PrivateSessionBus.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <WaitFor.h>
#include <gtest/gtest.h>

namespace {

class FreedesktopNotificationServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start"; }

    PrivateSessionBus bus;
    const NotificationContent fishAndChips{QStringLiteral("Reminder"),
                                           QStringLiteral("Todo: Fish & <b>Chips"), true};
};

} // namespace

TEST_F(FreedesktopNotificationServerTest, SendsTheNotificationWithItsHints)
{
    FakeNotificationsServer fake({QStringLiteral("body")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));

    server.show(fishAndChips);
    ASSERT_TRUE(waitFor([&] { return !fake.received.empty(); }));
    const auto &notification = fake.received.front();
    EXPECT_EQ(notification.appName, QStringLiteral("Plimsa"));
    EXPECT_EQ(notification.replacesId, 0u);
    EXPECT_EQ(notification.summary, QStringLiteral("Reminder"));
    EXPECT_EQ(notification.body, QStringLiteral("Todo: Fish & <b>Chips")) << "plain text as typed";
    EXPECT_EQ(notification.expireTimeout, -1);
    EXPECT_EQ(notification.hints.value(QStringLiteral("desktop-entry")), QStringLiteral("org.plimsa.Plimsa"));
    EXPECT_FALSE(notification.hints.contains(QStringLiteral("suppress-sound")));
}

TEST_F(FreedesktopNotificationServerTest, EscapesTheBodyOnlyForAMarkupServer)
{
    FakeNotificationsServer fake({QStringLiteral("body"), QStringLiteral("body-markup")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));

    server.show(fishAndChips);
    ASSERT_TRUE(waitFor([&] { return !fake.received.empty(); }));
    EXPECT_EQ(fake.received.front().body, QStringLiteral("Todo: Fish &amp; &lt;b&gt;Chips"));
    EXPECT_EQ(fake.received.front().summary, QStringLiteral("Reminder"));
}

TEST_F(FreedesktopNotificationServerTest, WithoutAServerNothingFailsOrBlocksAndALaterServerIsUsed)
{
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    QElapsedTimer elapsed;
    elapsed.start();
    server.show(fishAndChips);
    std::optional<bool> available;
    server.probe([&](bool answer, std::optional<QString>) { available = answer; });
    EXPECT_LT(elapsed.elapsed(), 100) << "calls must return at once";
    ASSERT_TRUE(waitFor([&] { return available.has_value(); }));
    EXPECT_FALSE(*available);

    FakeNotificationsServer fake({QStringLiteral("body")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    server.show(fishAndChips);
    ASSERT_TRUE(waitFor([&] { return !fake.received.empty(); }));
    EXPECT_EQ(fake.received.size(), 1u) << "the dropped one is not sent later";
    available.reset();
    server.probe([&](bool answer, std::optional<QString>) { available = answer; });
    ASSERT_TRUE(waitFor([&] { return available.has_value(); }));
    EXPECT_TRUE(*available);
}

TEST_F(FreedesktopNotificationServerTest, TheServiceDeliversAtTheMinuteOverTheBus)
{
    FakeNotificationsServer fake({QStringLiteral("body-markup")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    QTemporaryDir directory;
    // 2026-03-05 19:30:00 UTC.
    const double evening = 1772739000.0 - referenceDateUnixSeconds;
    FixedClock clock(evening - 5);
    LocalNotificationCenter center(
        PendingRequestsFile(directory.filePath(QStringLiteral("p.json"))), server, clock,
        [] { return LocalCalendar("UTC"); });

    center.add({QStringLiteral("A"), fishAndChips, {{2026, 3, 5, 19, 30}, false}});
    center.add({QStringLiteral("B"), fishAndChips, {{2026, 3, 5, 19, 30}, false}});
    center.removePendingRequests({QStringLiteral("B")});
    center.deliverDue();
    EXPECT_FALSE(waitFor([&] { return !fake.received.empty(); }, 300));

    clock.set(evening);
    center.deliverDue();
    ASSERT_TRUE(waitFor([&] { return !fake.received.empty(); }));
    EXPECT_FALSE(waitFor([&] { return fake.received.size() > 1; }, 300)) << "B was withdrawn";
    EXPECT_EQ(fake.received.front().body, QStringLiteral("Todo: Fish &amp; &lt;b&gt;Chips"));
}

TEST_F(FreedesktopNotificationServerTest, AClickOnOurNotificationAsksToOpenTheWindow)
{
    FakeNotificationsServer fake({QStringLiteral("body"), QStringLiteral("actions")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    int opened = 0;
    QObject::connect(&server, &FreedesktopNotificationServer::defaultActionInvoked,
                     [&] { ++opened; });
    EXPECT_FALSE(server.isBusy());

    server.show(fishAndChips);
    server.show(fishAndChips);
    EXPECT_TRUE(server.isBusy()) << "on its way";
    ASSERT_TRUE(waitFor([&] { return fake.received.size() == 2; }));
    EXPECT_EQ(fake.received.front().actions,
              QStringList({QStringLiteral("default"), QStringLiteral("Open")}));
    QCoreApplication::processEvents();
    EXPECT_TRUE(server.isBusy()) << "may still be clicked";

    fake.click(7);
    fake.click(2, QStringLiteral("other"));
    EXPECT_FALSE(waitFor([&] { return opened > 0; }, 300))
        << "another client's notification or another action is not ours";
    fake.click(1);
    ASSERT_TRUE(waitFor([&] { return opened > 0; }));
    EXPECT_EQ(opened, 1);
    EXPECT_FALSE(server.isBusy()) << "closed";
}

TEST_F(FreedesktopNotificationServerTest, WithoutActionsNothingIsOfferedOrWaitedFor)
{
    FakeNotificationsServer fake({QStringLiteral("body")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));

    server.show(fishAndChips);
    ASSERT_TRUE(waitFor([&] { return !fake.received.empty(); }));
    EXPECT_TRUE(fake.received.front().actions.isEmpty());
    EXPECT_TRUE(waitFor([&] { return !server.isBusy(); }));
}
