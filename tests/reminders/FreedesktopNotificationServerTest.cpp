// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FakeNotificationsServer.h>
#include <FixedClock.h>
#include <FreedesktopNotificationServer.h>
#include <Instant.h>
#include <LocalNotificationCenter.h>
#include <PrivateSessionBus.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class FreedesktopNotificationServerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(bus.isRunning()) << "dbus-daemon did not start"; }

    // Shows `request` and waits for the answer.
    static std::optional<uint> showAndWait(FreedesktopNotificationServer &server,
                                           const NotificationRequest &request)
    {
        std::optional<std::optional<uint>> answer;
        server.show(
            request, [] { return true; }, [&](std::optional<uint> id) { answer = id; });
        return QTest::qWaitFor([&] { return answer.has_value(); }) ? *answer : std::nullopt;
    }

    PrivateSessionBus bus;
    const NotificationRequest fishAndChips{
        QStringLiteral("A"),
        {QStringLiteral("Reminder"), QStringLiteral("Todo: Fish & <b>Chips"), true},
        {1772739000.0 - referenceDateUnixSeconds, false}}; // 2026-03-05 19:30 UTC
};

} // namespace

TEST_F(FreedesktopNotificationServerTest, SendsTheNotificationWithItsHintsAndActions)
{
    const struct {
        QStringList capabilities;
        QString body;
        QStringList actions;
    } cases[] = {
        {{QStringLiteral("body")}, QStringLiteral("Todo: Fish & <b>Chips"), {}},
        {{QStringLiteral("body"), QStringLiteral("body-markup")},
         QStringLiteral("Todo: Fish &amp; &lt;b&gt;Chips"),
         {}},
        {{QStringLiteral("actions")},
         QStringLiteral("Todo: Fish & <b>Chips"),
         {QStringLiteral("default"), QStringLiteral("Open"), QStringLiteral("snooze"),
          QStringLiteral("Snooze")}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.capabilities.join(QLatin1Char(' ')).toStdString());
        FakeNotificationsServer fake(c.capabilities);
        ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
        FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
        EXPECT_EQ(showAndWait(server, fishAndChips), 1u);
        ASSERT_EQ(fake.received.size(), 1u);
        const auto &notification = fake.received.front();
        EXPECT_EQ(notification.appName, QStringLiteral("Plimsa"));
        EXPECT_EQ(notification.replacesId, 0u);
        EXPECT_EQ(notification.summary, QStringLiteral("Reminder"));
        EXPECT_EQ(notification.body, c.body) << "as typed, also for a markup server";
        EXPECT_EQ(notification.actions, c.actions);
        EXPECT_EQ(notification.expireTimeout, -1);
        EXPECT_EQ(notification.hints.value(QStringLiteral("desktop-entry")),
                  QStringLiteral("org.plimsa.Plimsa"));
        EXPECT_EQ(notification.hints.value(QStringLiteral("sound-name")),
                  QStringLiteral("alarm-clock-elapsed"));
        EXPECT_FALSE(notification.hints.contains(QStringLiteral("suppress-sound")));
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    }
}

TEST_F(FreedesktopNotificationServerTest, AnswersWhetherTheServerTookItAndAnnouncesALaterServer)
{
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    int appeared = 0;
    QObject::connect(&server, &NotificationServer::serverAppeared, [&] { ++appeared; });
    QElapsedTimer elapsed;
    elapsed.start();
    std::optional<std::optional<uint>> answer;
    server.show(
        fishAndChips, [] { return true; }, [&](std::optional<uint> id) { answer = id; });
    std::optional<bool> available;
    server.probe([&](bool reply, std::optional<QString>) { available = reply; });
    EXPECT_LT(elapsed.elapsed(), 100) << "calls must return at once";
    ASSERT_TRUE(QTest::qWaitFor([&] { return answer && available; }));
    EXPECT_EQ(*answer, std::nullopt) << "no server took it";
    EXPECT_FALSE(*available);

    FakeNotificationsServer fake({QStringLiteral("body")});
    fake.refusals = 1;
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return appeared > 0; }));
    EXPECT_EQ(showAndWait(server, fishAndChips), std::nullopt) << "the server failed";
    EXPECT_EQ(showAndWait(server, fishAndChips), 1u);
    available.reset();
    server.probe([&](bool reply, std::optional<QString>) { available = reply; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return available.has_value(); }));
    EXPECT_TRUE(*available);
}

TEST_F(FreedesktopNotificationServerTest, AReminderDueWithNoServerIsShownOnceWhenOneComes)
{
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    QTemporaryDir directory;
    // 2026-03-05 19:30:00 UTC.
    const double evening = 1772739000.0 - referenceDateUnixSeconds;
    FixedClock clock(evening - 5);
    LocalNotificationCenter center(
        PendingRequestsFile(directory.filePath(QStringLiteral("p.json"))), server, clock,
        [] { return LocalCalendar("UTC"); });
    center.add(fishAndChips);
    center.add({QStringLiteral("B"), fishAndChips.content, fishAndChips.trigger});
    center.removePendingRequests({QStringLiteral("B")});

    clock.set(evening);
    center.deliverDue();
    EXPECT_FALSE(QTest::qWaitFor([&] { return server.isBusy() == false && center.pendingRequests().empty(); },
                         300));
    EXPECT_EQ(center.pendingRequests().size(), 1u) << "waiting for a server";

    FakeNotificationsServer fake({QStringLiteral("body")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.received.empty(); }));
    EXPECT_FALSE(QTest::qWaitFor([&] { return fake.received.size() > 1; }, 300)) << "once; B was withdrawn";
    EXPECT_EQ(fake.received.front().body, QStringLiteral("Todo: Fish & <b>Chips"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return center.pendingRequests().empty(); }));
}

TEST_F(FreedesktopNotificationServerTest, AToDoDeletedWhileTheServerIsSlowIsNotShown)
{
    for (const bool deleted : {false, true}) {
        SCOPED_TRACE(deleted ? "deleted while the server was asked" : "kept");
        FakeNotificationsServer fake({QStringLiteral("body")});
        fake.holdCapabilities = true;
        ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
        FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
        QTemporaryDir directory;
        FixedClock clock(fishAndChips.trigger.time);
        LocalNotificationCenter center(
            PendingRequestsFile(directory.filePath(QStringLiteral("p.json"))), server, clock,
            [] { return LocalCalendar("UTC"); });
        center.add(fishAndChips);
        center.deliverDue();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.heldCapabilities.empty(); }));
        if (deleted)
            center.removePendingRequests({fishAndChips.identifier});
        fake.answerCapabilities();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !server.isBusy(); }));
        EXPECT_EQ(fake.received.size(), deleted ? 0u : 1u);
        EXPECT_TRUE(center.pendingRequests().empty());
        QDBusConnection::disconnectFromBus(QStringLiteral("server"));
    }
}

TEST_F(FreedesktopNotificationServerTest, ActionsOnOurNotificationsComeWithTheirRequestAndToken)
{
    FakeNotificationsServer fake({QStringLiteral("body"), QStringLiteral("actions")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    std::vector<std::tuple<QString, QString, QString>> invoked;
    QObject::connect(&server, &NotificationServer::actionInvoked,
                     [&](const NotificationRequest &request, const QString &action,
                         const QString &token) {
                         invoked.emplace_back(request.identifier, action, token);
                     });
    EXPECT_FALSE(server.isBusy());

    NotificationRequest other = fishAndChips;
    other.identifier = QStringLiteral("B");
    server.show(
        fishAndChips, [] { return true; }, [](std::optional<uint>) {});
    EXPECT_TRUE(server.isBusy()) << "on its way";
    EXPECT_EQ(showAndWait(server, other), 2u);
    EXPECT_TRUE(server.isBusy()) << "may still be clicked";

    fake.click(7);
    EXPECT_FALSE(QTest::qWaitFor([&] { return !invoked.empty(); }, 300))
        << "another client's notification is not ours";
    fake.click(2, QStringLiteral("snooze"));
    fake.click(1, QStringLiteral("default"), QStringLiteral("token-1"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return invoked.size() == 2; }));
    EXPECT_EQ(invoked[0], std::tuple(QStringLiteral("B"), QStringLiteral("snooze"), QString()));
    EXPECT_EQ(invoked[1],
              std::tuple(QStringLiteral("A"), QStringLiteral("default"), QStringLiteral("token-1")));
    EXPECT_FALSE(server.isBusy()) << "both closed";

    EXPECT_EQ(showAndWait(server, fishAndChips), 3u);
    FakeNotificationsServer impostor({});
    EXPECT_FALSE(impostor.publish(bus.connect(QStringLiteral("impostor")))) << "not the server";
    impostor.click(3);
    EXPECT_FALSE(QTest::qWaitFor([&] { return invoked.size() > 2; }, 300))
        << "a look-alike signal from another client";
    bus.connect(QStringLiteral("server"))
        .unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    FakeNotificationsServer restarted({QStringLiteral("actions")});
    ASSERT_TRUE(restarted.publish(bus.connect(QStringLiteral("restarted server"))));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !server.isBusy(); }))
        << "ours are gone with the old server";
    restarted.click(3);
    EXPECT_FALSE(QTest::qWaitFor([&] { return invoked.size() > 2; }, 300))
        << "the new server's 3 is another notification";
}

TEST_F(FreedesktopNotificationServerTest, WithoutActionsNothingIsWaitedFor)
{
    FakeNotificationsServer fake({QStringLiteral("body")});
    ASSERT_TRUE(fake.publish(bus.connect(QStringLiteral("server"))));
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    EXPECT_EQ(showAndWait(server, fishAndChips), 1u);
    EXPECT_FALSE(server.isBusy());
}
