// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"

#include <CalDavClient.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <RecordingNotificationCenter.h>
#include <SyncButton.h>
#include <SyncController.h>
#include <SyncSetupDialog.h>

#include <QDir>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// A web server that is not a CalDAV server.
class PlainWebServer {
public:
    bool start()
    {
        QTcpServer probe;
        if (!probe.listen(QHostAddress::LocalHost))
            return false;
        port = probe.serverPort();
        probe.close();
        process.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral("-m"), QStringLiteral("http.server"),
                       QStringLiteral("--bind"), QStringLiteral("127.0.0.1"), QString::number(port),
                       QStringLiteral("--directory"), folder.path()});
        return QTest::qWaitFor(
            [&] {
                QTcpSocket socket;
                socket.connectToHost(QHostAddress::LocalHost, port);
                return socket.waitForConnected(200);
            },
            20000);
    }
    ~PlainWebServer()
    {
        process.kill();
        process.waitForFinished();
    }
    QTemporaryDir folder;
    QProcess process;
    quint16 port = 0;
};

struct SetupCase {
    const char *what;
    bool caldav;
    bool untrusted;
    bool listBeforehand;
    const char *password;
    // Empty when the dialog closes connected.
    const char *message;
};

class SyncSetupDialogTest : public testing::TestWithParam<SetupCase> {
protected:
    QTemporaryDir home;
    FilePreferences preferences{home.path()};
    FixedClock clock{794424600};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    PasswordStore passwords;
    SyncController sync{view, passwords, clock, QDir(home.path()).filePath("sync")};
    ContentWindow window{view};
};

} // namespace

TEST_P(SyncSetupDialogTest, SaysHowConnectingWent)
{
    const SetupCase &c = GetParam();
    CalDavTestServer radicale(CalDavTestServer::Kind::radicale);
    PlainWebServer plain;
    if (c.untrusted)
        radicale.useUntrustedCertificate();
    ASSERT_TRUE(c.caldav ? radicale.start() : plain.start()) << c.what;
    const QString address = c.caldav ? radicale.url().toString()
                                     : QStringLiteral("http://127.0.0.1:%1/").arg(plain.port);
    if (c.listBeforehand && !c.untrusted) {
        CalDavClient phone(radicale.url(), radicale.user(), radicale.password());
        QEventLoop loop;
        phone.discover([&](ServerResult<QUrl>) { loop.quit(); });
        loop.exec();
    }

    window.showSync(sync);
    window.show();
    QTest::mouseClick(window.syncButton(), Qt::LeftButton);
    auto *dialog = window.findChild<SyncSetupDialog *>();
    ASSERT_TRUE(dialog) << "the button opens the set-up while there is no account";
    QTest::keyClicks(dialog->serverField(), address);
    QTest::keyClicks(dialog->userField(), QStringLiteral("ann"));
    QTest::keyClicks(dialog->passwordField(), QString::fromUtf8(c.password));
    QTest::keyClick(dialog->passwordField(), Qt::Key_Return);

    QPointer<SyncSetupDialog> open(dialog);
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return !open || !open->isVisible() || open->connectButton()->isEnabled(); }, 30000))
        << c.what;
    if (*c.message) {
        ASSERT_TRUE(open && open->isVisible()) << c.what;
        EXPECT_TRUE(open->message()->text().startsWith(QString::fromUtf8(c.message)))
            << c.what << ": " << open->message()->text().toStdString();
        if (c.untrusted) {
            EXPECT_TRUE(open->message()->text().contains(
                QRegularExpression(QStringLiteral("([0-9A-F]{2}:){31}[0-9A-F]{2}"))))
                << "with its fingerprint";
        }
        EXPECT_FALSE(sync.hasAccount()) << c.what;
        return;
    }
    EXPECT_TRUE(!open || !open->isVisible()) << c.what;
    ASSERT_TRUE(sync.hasAccount()) << c.what;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return sync.state() == SyncController::State::synced; }, 30000))
        << c.what;
    CalDavClient other(radicale.url(), radicale.user(), radicale.password());
    QUrl found;
    QEventLoop loop;
    other.discover([&](ServerResult<QUrl> list) {
        found = list.value;
        loop.quit();
    });
    loop.exec();
    EXPECT_EQ(found, sync.account()->collection) << c.what << ": the one list, made or found";
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SyncSetupDialogTest,
    testing::Values(SetupCase{"reached, with a task list", true, false, true, "secret", ""},
                    SetupCase{"no task list yet: Plimsa makes one", true, false, false, "secret",
                              ""},
                    SetupCase{"wrong password", true, false, true, "wrong",
                              "The user name or password is wrong."},
                    SetupCase{"not CalDAV", false, false, false, "secret",
                              "This address is not a CalDAV server with task lists."},
                    SetupCase{"untrusted certificate", true, true, false, "secret",
                              "The server's certificate is not trusted"}));
