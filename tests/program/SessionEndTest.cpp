// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <QDeadlineTimer>
#include <QProcess>
#include <TestSessionManager.h>
#include <TodoJson.h>
#include <TodoListStore.h>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/inotify.h>
#include <unistd.h>

namespace {

// Counts the times a file is put in place in a folder (created, or renamed over).
class PlacementCounter {
public:
    PlacementCounter(const QString &folder, QByteArray name) : m_name(std::move(name))
    {
        m_fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
        inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
    }
    ~PlacementCounter() { ::close(m_fd); }

    int count()
    {
        alignas(inotify_event) char buffer[4096];
        ssize_t length;
        while ((length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
            for (char *at = buffer; at < buffer + length;) {
                const auto *event = reinterpret_cast<const inotify_event *>(at);
                if (event->len > 0 && m_name == event->name)
                    ++m_count;
                at += sizeof(inotify_event) + event->len;
            }
        }
        return m_count;
    }

private:
    QByteArray m_name;
    int m_fd = -1;
    int m_count = 0;
};

// An X server of the test's own: session management needs the xcb platform.
class VirtualDisplay {
public:
    VirtualDisplay()
    {
        // Xvfb picks a free display and tells it on stdout once it is ready.
        m_server.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"),
                                                QStringLiteral("-nolisten"), QStringLiteral("tcp")});
        const QDeadlineTimer deadline(10000);
        while (!m_server.canReadLine() && !deadline.hasExpired() &&
               m_server.state() != QProcess::NotRunning)
            m_server.waitForReadyRead(100);
        const QByteArray number = m_server.readLine().trimmed();
        if (!number.isEmpty())
            m_name = QStringLiteral(":") + QString::fromLatin1(number);
    }
    ~VirtualDisplay()
    {
        m_server.terminate();
        m_server.waitForFinished(5000);
    }
    const QString &name() const { return m_name; }

private:
    QProcess m_server;
    QString m_name;
};

const QByteArray storedSpaced =
    R"([ {"name":"Buy milk","id":"E621E1F8-C36C-495A-93FC-0C247A3E6E5F","time":786310200,"priority":"High"} ])";

// Plimsa on a display of its own, in a session of the test's own.
class SessionEndTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(display.name().isEmpty()) << "Xvfb did not start";
        ASSERT_FALSE(sessionManager.address().isEmpty()) << "the session manager could not listen";
        ASSERT_TRUE(home.isReady());
        ASSERT_TRUE(preferences.setData(todoListKey, storedSpaced));
        saves = std::make_unique<PlacementCounter>(home.storeDirectory(), "TodoList");

        QProcessEnvironment session;
        session.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
        session.insert(QStringLiteral("DISPLAY"), display.name());
        session.insert(QStringLiteral("SESSION_MANAGER"), sessionManager.address());
        plimsa = std::make_unique<PlimsaProcess>(home, bus.address(), session);
        plimsa->launch();
        ASSERT_TRUE(sessionManager.waitFor([&] { return sessionManager.clientRegistered(); }))
            << "Plimsa did not join the session";
        ASSERT_TRUE(plimsa->waitUntilRunning());
        EXPECT_EQ(saves->count(), 0);
    }

    // Asks for a save and waits until Plimsa reports it done.
    void save(void (TestSessionManager::*request)())
    {
        const int before = sessionManager.savesDone();
        (sessionManager.*request)();
        ASSERT_TRUE(sessionManager.waitFor([&] { return sessionManager.savesDone() > before; }));
        const auto expected = decodeTodoList(storedSpaced.toStdString());
        ASSERT_TRUE(expected);
        EXPECT_EQ(preferences.data(todoListKey),
                  QByteArray::fromStdString(*encodeTodoList(*expected)))
            << "stored by the time Plimsa answers";
    }

    bool stillRunning()
    {
        return !plimsa->process().waitForFinished(300) &&
               plimsa->process().state() == QProcess::Running;
    }

    VirtualDisplay display;
    TestSessionManager sessionManager;
    PrivateSessionBus bus;
    PrivateHome home;
    FilePreferences preferences{home.storeDirectory()};
    std::unique_ptr<PlacementCounter> saves;
    std::unique_ptr<PlimsaProcess> plimsa;
};

} // namespace

TEST_F(SessionEndTest, TheLogoutSavesTheListOnceAndDieEndsTheApp)
{
    save(&TestSessionManager::requestShutdownSave);
    sessionManager.requestDie();
    sessionManager.waitFor([&] { return sessionManager.clientGone(); });
    EXPECT_TRUE(plimsa->exitsNormally());
    EXPECT_EQ(saves->count(), 1) << "one save for the logout, none again on the way out";
}

TEST_F(SessionEndTest, ACheckpointOrACancelledLogoutSavesAndKeepsTheAppRunning)
{
    save(&TestSessionManager::requestCheckpoint);
    EXPECT_TRUE(stillRunning()) << "a checkpoint is not a quit";

    save(&TestSessionManager::requestShutdownSave);
    sessionManager.cancelShutdown();
    EXPECT_TRUE(stillRunning()) << "the logout was cancelled";

    plimsa->signal(SIGTERM);
    EXPECT_TRUE(plimsa->exitsNormally());
    EXPECT_EQ(saves->count(), 1) << "saved once: the list did not change after the checkpoint";
}
