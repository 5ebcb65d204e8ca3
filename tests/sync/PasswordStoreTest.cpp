// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <PasswordStore.h>
#include <PrivateSessionBus.h>

#include <QDBusConnectionInterface>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

template <typename Result>
Result await(const std::function<void(std::function<void(Result)>)> &call)
{
    std::optional<Result> result;
    QEventLoop loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    call([&](Result answer) {
        result = std::move(answer);
        loop.quit();
    });
    if (!result)
        loop.exec();
    return result.value_or(Result{});
}

std::optional<QString> readBack(const QString &account)
{
    PasswordStore fresh;
    return await<std::optional<QString>>([&](auto done) { fresh.read(account, done); });
}

// gnome-keyring-daemon's Secret Service on the test's own bus, with a login
// keyring of its own, unlocked.
class TestKeyring {
public:
    explicit TestKeyring(const PrivateSessionBus &bus)
    {
        QProcessEnvironment environment;
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
        environment.insert(QStringLiteral("HOME"), m_home.path());
        environment.insert(QStringLiteral("XDG_DATA_HOME"),
                           m_home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), m_home.path());
        environment.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        m_daemon.setProcessEnvironment(environment);
        m_daemon.start(QStringLiteral("gnome-keyring-daemon"),
                       {QStringLiteral("--foreground"), QStringLiteral("--unlock"),
                        QStringLiteral("--components=secrets")});
        // It reads the login keyring's password until the end of its input.
        m_daemon.waitForStarted(5000);
        m_daemon.write("login password\n");
        m_daemon.waitForBytesWritten(5000);
        m_daemon.closeWriteChannel();
        const QDBusConnection connection = bus.connect(QStringLiteral("keyring-probe"));
        const QDeadlineTimer deadline(20000);
        while (!deadline.hasExpired() && m_daemon.state() != QProcess::NotRunning) {
            if (connection.interface()->isServiceRegistered(
                    QStringLiteral("org.freedesktop.secrets")))
                return;
            QThread::msleep(50);
        }
    }
    ~TestKeyring()
    {
        m_daemon.terminate();
        if (!m_daemon.waitForFinished(5000))
            m_daemon.kill();
        m_daemon.waitForFinished(5000);
    }
    bool isRunning() const { return m_daemon.state() == QProcess::Running; }

private:
    QTemporaryDir m_home;
    QProcess m_daemon;
};

TEST(PasswordStore, KeepsThePasswordInTheSecretServiceElseForTheSessionOnly)
{
    PrivateSessionBus bus;
    ASSERT_TRUE(bus.isRunning());
    qputenv("DBUS_SESSION_BUS_ADDRESS", bus.address().toUtf8());
    const QString account = QStringLiteral("ann@127.0.0.1");

    // No Secret Service on the bus: this session only.
    PasswordStore session;
    EXPECT_FALSE(
        await<bool>([&](auto done) { session.store(account, QStringLiteral("s1"), done); }));
    EXPECT_EQ(await<std::optional<QString>>([&](auto done) { session.read(account, done); }),
              QStringLiteral("s1"));
    EXPECT_EQ(readBack(account), std::nullopt);

    TestKeyring keyring(bus);
    ASSERT_TRUE(keyring.isRunning());
    PasswordStore kept;
    EXPECT_TRUE(await<bool>([&](auto done) { kept.store(account, QStringLiteral("s2"), done); }));
    EXPECT_EQ(readBack(account), QStringLiteral("s2"));
    await<bool>([&](auto done) { kept.forget(account, [done] { done(true); }); });
    EXPECT_EQ(readBack(account), std::nullopt);
}

} // namespace
