// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AwaitAnswer.h"

#include <PasswordStore.h>
#include <PrivateSessionBus.h>
#include <TestKeyring.h>

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

std::optional<QString> readBack(const QString &account)
{
    PasswordStore fresh;
    return awaitAnswer<std::optional<QString>>([&](auto done) { fresh.read(account, done); });
}

TEST(PasswordStore, KeepsThePasswordInTheSecretServiceElseForTheSessionOnly)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    const QString account = QStringLiteral("ann@127.0.0.1");

    // No Secret Service on the bus: this session only.
    PasswordStore session;
    EXPECT_FALSE(
        awaitAnswer<bool>([&](auto done) { session.store(account, QStringLiteral("s1"), done); }));
    EXPECT_EQ(awaitAnswer<std::optional<QString>>([&](auto done) { session.read(account, done); }),
              QStringLiteral("s1"));
    EXPECT_EQ(readBack(account), std::nullopt);

    TestKeyring keyring(bus);
    ASSERT_TRUE(keyring.isRunning());
    PasswordStore kept;
    EXPECT_TRUE(awaitAnswer<bool>([&](auto done) { kept.store(account, QStringLiteral("s2"), done); }));
    EXPECT_EQ(readBack(account), QStringLiteral("s2"));
    awaitAnswer<bool>([&](auto done) { kept.forget(account, [done] { done(true); }); });
    EXPECT_EQ(readBack(account), std::nullopt);
}

} // namespace
