// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <QFileInfo>
#include <QTemporaryDir>
#include <SingleInstance.h>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/un.h>

TEST(SingleInstanceTest, ALaterLaunchRaisesTheFirstAndTheNextOneAfterItMayRun)
{
    QTemporaryDir runtime;
    const QString socket = runtime.filePath(QStringLiteral("plimsa.socket"));
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_TRUE(first->claim());
    QStringList raised;
    QObject::connect(first.get(), &SingleInstance::raiseRequested,
                     [&](const QString &token) { raised.append(token); });
    EXPECT_EQ(QFileInfo(socket).permissions() & (QFile::ReadGroup | QFile::ReadOther), 0)
        << "only the user may ask";

    // Anything but the raise message is ignored.
    const int stray = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, QFile::encodeName(socket).constData(),
                 sizeof address.sun_path - 1);
    ::sendto(stray, "hello", 5, 0, reinterpret_cast<const sockaddr *>(&address), sizeof address);
    ::close(stray);
    EXPECT_FALSE(QTest::qWaitFor([&] { return !raised.isEmpty(); }, 200));

    SingleInstance second(runtime.path());
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.askRunningInstanceToRaise(QString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return raised.size() == 1; }));
    EXPECT_TRUE(second.askRunningInstanceToRaise(QStringLiteral("token-1")));
    ASSERT_TRUE(QTest::qWaitFor([&] { return raised.size() == 2; }));
    EXPECT_EQ(raised, (QStringList{QString(), QStringLiteral("token-1")}))
        << "the launch's activation token is handed on";

    first.reset();
    EXPECT_FALSE(QFileInfo::exists(socket)) << "the socket goes with its instance";
    SingleInstance third(runtime.path());
    EXPECT_TRUE(third.claim());
}

TEST(SingleInstanceTest, TheSyncSettingsActionRaisesAndOpensThem)
{
    QTemporaryDir runtime;
    SingleInstance first(runtime.path());
    ASSERT_TRUE(first.claim());
    QStringList raised;
    int settings = 0;
    QObject::connect(&first, &SingleInstance::raiseRequested,
                     [&](const QString &token) { raised.append(token); });
    QObject::connect(&first, &SingleInstance::syncSettingsRequested, [&] { ++settings; });

    SingleInstance second(runtime.path());
    EXPECT_TRUE(second.askRunningInstanceToRaise(QStringLiteral("token-2"), true));
    ASSERT_TRUE(QTest::qWaitFor([&] { return settings == 1; }));
    EXPECT_EQ(raised, QStringList{QStringLiteral("token-2")});
    EXPECT_TRUE(second.askRunningInstanceToRaise(QString()));
    ASSERT_TRUE(QTest::qWaitFor([&] { return raised.size() == 2; }));
    EXPECT_EQ(settings, 1) << "a plain launch only raises";
}
