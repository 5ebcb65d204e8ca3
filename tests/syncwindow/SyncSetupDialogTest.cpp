// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"

#include <VTodoMapping.h>

#include <CalDavClient.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FixedClock.h>
#include <RecordingNotificationCenter.h>
#include <SyncButton.h>
#include <SyncController.h>
#include <SyncServicePanel.h>
#include <SyncSetupDialog.h>

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
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
    // The account's task lists beforehand, their names split by commas.
    const char *lists;
    // To-dos only on the server's first list, only here, and on both.
    int serverTodos;
    int localTodos;
    int sharedTodos;
    const char *password;
    // What the dialog says after "Connect"; empty when it closes connected.
    const char *message;
    // Keys the user then presses ("Down, Return"); Escape cancels.
    const char *keys;
    // The list synced in the end; empty when there is no account.
    const char *synced;
};

class SyncSetupDialogTest : public testing::TestWithParam<SetupCase> {
protected:
    // Runs the event loop until the call answers, at most 30 s.
    template <typename T>
    ServerResult<T> await(const std::function<void(CalendarServer::Reply<T>)> &call)
    {
        std::optional<ServerResult<T>> result;
        call([&](ServerResult<T> answer) { result = std::move(answer); });
        return QTest::qWaitFor([&] { return result.has_value(); }, 30000)
                   ? *result
                   : ServerResult<T>{ServerError::network, {}};
    }

    // Until the dialog closes or offers its next step.
    bool answered(const QPointer<SyncSetupDialog> &open)
    {
        return QTest::qWaitFor(
            [&] { return !open || !open->isVisible() || open->connectButton()->isEnabled(); },
            30000);
    }

    QTemporaryDir home;
    QString folder = QDir(home.path()).filePath(QStringLiteral("sync"));
    FilePreferences preferences{home.path()};
    FixedClock clock{794424600};
    RecordingNotificationCenter notifications;
    ReminderScheduler reminders{notifications};
    ContentView view{preferences, reminders, clock};
    PasswordStore passwords;
    SyncController sync{view, passwords, clock, folder};
    ContentWindow window{view};
    SyncServicePanel panel{sync};
};

} // namespace

TEST_P(SyncSetupDialogTest, GoesFromConnectingToTheChosenListsFirstSync)
{
    const SetupCase &c = GetParam();
    CalDavTestServer radicale(CalDavTestServer::Kind::radicale);
    PlainWebServer plain;
    if (c.untrusted)
        radicale.useUntrustedCertificate();
    ASSERT_TRUE(c.caldav ? radicale.start() : plain.start()) << c.what;
    const QString address = c.caldav ? radicale.url().toString()
                                     : QStringLiteral("http://127.0.0.1:%1/").arg(plain.port);
    CalDavClient phone(radicale.url(), radicale.user(), radicale.password());
    const auto lists = QString::fromUtf8(c.lists).split(u',', Qt::SkipEmptyParts);
    const QUrl accountHome =
        c.caldav && !c.untrusted
            ? await<AccountLists>([&](auto r) { phone.discover(r); }).value.home
            : QUrl();
    for (const QString &name : lists)
        ASSERT_TRUE(
            await<TaskList>([&](auto r) { phone.createTaskList(accountHome, name, r); }).ok());
    for (int i = 0; i < c.localTodos; ++i) {
        view.setNewTodoName(QStringLiteral("Here %1").arg(i));
        view.addTodo();
    }
    std::vector<TodoItem> onServer(view.todoList().begin(),
                                   view.todoList().begin() + c.sharedTodos);
    for (int i = 0; i < c.serverTodos; ++i)
        onServer.emplace_back("On the phone " + std::to_string(i), 794424600 + 3600 * i,
                              TodoPriority::medium);
    if (!lists.isEmpty()) {
        phone.setCollection(
            await<AccountLists>([&](auto r) { phone.discover(r); }).value.lists.front().url);
        // Cancelled on the phone: in no count and never in the list.
        const QByteArray cancelled =
            "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Phone//EN\r\n"
            "BEGIN:VTODO\r\nUID:cancelled@phone\r\nDTSTAMP:20250304T000000Z\r\n"
            "DUE:20250305T090000Z\r\nSTATUS:CANCELLED\r\nSUMMARY:Off\r\n"
            "END:VTODO\r\nEND:VCALENDAR\r\n";
        ASSERT_TRUE(await<QString>([&](auto r) {
                        phone.put(phone.hrefForUid(QStringLiteral("cancelled")), cancelled, {}, r);
                    }).ok());
    }
    for (const TodoItem &item : onServer) {
        const QByteArray text =
            QByteArray::fromStdString(newVTodo(item, 794424600, LocalCalendar::current()));
        const QString href = phone.hrefForUid(QString::fromStdString(item.id().uuidString()));
        ASSERT_TRUE(await<QString>([&](auto r) { phone.put(href, text, {}, r); }).ok());
    }

    window.showSync(panel);
    window.show();
    QTest::mouseClick(panel.button(), Qt::LeftButton);
    auto *dialog = window.findChild<SyncSetupDialog *>();
    ASSERT_TRUE(dialog) << "the button opens the set-up while there is no account";
    QTest::keyClicks(dialog->serverField(), address);
    QTest::keyClicks(dialog->userField(), QStringLiteral("ann"));
    QTest::keyClicks(dialog->passwordField(), QString::fromUtf8(c.password));
    QTest::keyClick(dialog->passwordField(), Qt::Key_Return);
    QPointer<SyncSetupDialog> open(dialog);
    ASSERT_TRUE(answered(open)) << c.what;
    if (*c.message) {
        ASSERT_TRUE(open && open->isVisible()) << c.what;
        EXPECT_TRUE(open->message()->text().startsWith(QString::fromUtf8(c.message)))
            << c.what << ": " << open->message()->text().toStdString();
        if (c.untrusted) {
            EXPECT_TRUE(open->message()->text().contains(
                QRegularExpression(QStringLiteral("([0-9A-F]{2}:){31}[0-9A-F]{2}"))))
                << "with its fingerprint";
        }
        if (c.caldav && !c.untrusted && std::string_view(c.password) == "secret") {
            EXPECT_EQ(open->passwordHosts()->text(),
                      "Your password goes only to: " + radicale.url().authority())
                << c.what << ": says where the password goes";
        }
        if (lists.size() > 1) {
            ASSERT_TRUE(open->taskLists()->isVisible());
            EXPECT_EQ(open->taskLists()->count(), lists.size());
            EXPECT_EQ(open->taskLists()->currentItem()->text(), u"Plimsa") << "preselected";
        }
        open->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(open));
        const QKeySequence keys(QString::fromUtf8(c.keys));
        for (int i = 0; i < keys.count(); ++i)
            QTest::keyClick(QApplication::focusWidget(), keys[i].key());
        ASSERT_TRUE(answered(open)) << c.what;
    }
    if (!*c.synced) {
        EXPECT_EQ(!open || !open->isVisible(), *c.keys != 0) << c.what << ": closed by the keys";
        EXPECT_FALSE(sync.hasAccount()) << c.what;
        EXPECT_FALSE(QDir(folder).exists()) << c.what;
        return;
    }
    EXPECT_TRUE(!open || !open->isVisible()) << c.what;
    ASSERT_TRUE(sync.hasAccount()) << c.what;
    EXPECT_TRUE(
        QTest::qWaitFor([&] { return sync.state() == SyncController::State::synced; }, 30000))
        << c.what;
    QString syncedName;
    for (const TaskList &list :
         await<AccountLists>([&](auto r) { phone.discover(r); }).value.lists) {
        if (list.url == sync.account()->collection)
            syncedName = list.name;
    }
    EXPECT_EQ(syncedName, QString::fromUtf8(c.synced)) << c.what;
    EXPECT_EQ(view.todoList().size(), std::size_t(c.localTodos + c.serverTodos)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, SyncSetupDialogTest,
    testing::Values(
        SetupCase{"one list: used at once", true, false, "Work", 0, 2, 0, "secret", "", "", "Work"},
        SetupCase{"several lists: the one picked by keys", true, false, "Work,Plimsa,Home", 0, 0, 0,
                  "secret", "This account has several task lists.", "Down, Return", "Work"},
        SetupCase{"no list: Plimsa makes one when asked", true, false, "", 0, 1, 0, "secret",
                  "This account has no task list yet.", "Return", "Plimsa"},
        SetupCase{"to-dos on both sides: counts, then agreed", true, false, "Plimsa", 3, 2, 1,
                  "secret",
                  "Both Plimsa's list and the server's list hold to-dos. The first sync puts "
                  "them together and removes none.\n\nFrom the server: 3\nTo the server: 1",
                  "Return", "Plimsa"},
        SetupCase{"to-dos on both sides: cancelled", true, false, "Plimsa", 3, 2, 1, "secret",
                  "Both Plimsa's list", "Escape", ""},
        SetupCase{"only the server has to-dos: used at once", true, false, "Plimsa", 2, 0, 0,
                  "secret", "", "", "Plimsa"},
        SetupCase{"wrong password", true, false, "Plimsa", 0, 0, 0, "wrong",
                  "The user name or password is wrong.", "", ""},
        SetupCase{"not CalDAV", false, false, "", 0, 0, 0, "secret",
                  "This address is not a CalDAV server with task lists.", "", ""},
        SetupCase{"untrusted certificate", true, true, "", 0, 0, 0, "secret",
                  "The server's certificate is not trusted", "", ""}));
