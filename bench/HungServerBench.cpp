// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The window keeps painting while the notification server accepts calls and
// answers them only after 30 s (or never): prints the longest gap of the UI
// thread's event loop and how many calls are waiting at most.

#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <FreedesktopNotificationServer.h>
#include <LocalNotificationCenter.h>
#include <PrivateSessionBus.h>

#include <QApplication>
#include <QDBusContext>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>

namespace {

constexpr int answerDelayMs = 30000;
constexpr int runMs = 40000;

// Takes every call and answers it 30 s later.
class SlowServer : public QObject, protected QDBusContext {
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    explicit SlowServer(QDBusConnection connection) : m_connection(connection) {}

public slots:
    QStringList GetCapabilities()
    {
        answerLater(QStringList{QStringLiteral("body")});
        return {};
    }
    QString GetServerInformation(QString &, QString &, QString &)
    {
        answerLater(QString());
        return {};
    }
    uint Notify(const QString &, uint, const QString &, const QString &, const QString &,
                const QStringList &, const QVariantMap &, int)
    {
        answerLater(1u);
        return 0;
    }

private:
    void answerLater(const QVariant &value)
    {
        setDelayedReply(true);
        const QDBusMessage reply = message().createReply(value);
        QTimer::singleShot(answerDelayMs, this, [this, reply] { m_connection.send(reply); });
    }

    QDBusConnection m_connection;
};

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    PrivateSessionBus bus;
    if (!bus.isRunning()) {
        std::fputs("dbus-daemon did not start\n", stderr);
        return 1;
    }
    QDBusConnection serverConnection = bus.connect(QStringLiteral("slow-server"));
    SlowServer slow(serverConnection);
    serverConnection.registerObject(QStringLiteral("/org/freedesktop/Notifications"), &slow,
                                    QDBusConnection::ExportAllSlots);
    serverConnection.registerService(QStringLiteral("org.freedesktop.Notifications"));

    QTemporaryDir directory;
    FreedesktopNotificationServer server(bus.connect(QStringLiteral("client")));
    SystemClock clock;
    LocalNotificationCenter center(
        PendingRequestsFile(directory.filePath(QStringLiteral("p.json"))), server, clock,
        &LocalCalendar::current);
    FilePreferences preferences(directory.path());
    ReminderScheduler reminders(center);
    ContentView view(preferences, reminders, clock);
    ContentWindow window(view);
    window.show();

    // Ten reminders shown and ten to-dos added a second, the window repainted
    // every frame, and a 1 ms timer to see how long the loop is ever away.
    QTimer load;
    QObject::connect(&load, &QTimer::timeout, [&] {
        server.show({QStringLiteral("x"), {QStringLiteral("Reminder"), QStringLiteral("Todo: x"), true}, {}},
                    [] { return true; }, [](std::optional<uint>) {});
        view.setNewTodoName(QStringLiteral("Another"));
        view.addTodo();
    });
    load.start(100);
    QTimer frames;
    QObject::connect(&frames, &QTimer::timeout, [&] { window.repaint(); });
    frames.start(16);

    QElapsedTimer sinceTick;
    sinceTick.start();
    qint64 longestGapUs = 0;
    int mostWaiting = 0;
    QTimer tick;
    tick.setTimerType(Qt::PreciseTimer);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        longestGapUs = std::max(longestGapUs, sinceTick.nsecsElapsed() / 1000);
        sinceTick.restart();
        mostWaiting = std::max(mostWaiting, static_cast<int>(server.children().size()));
    });
    tick.start(1);

    QTimer::singleShot(runMs, &app, &QCoreApplication::quit);
    app.exec();
    window.hide();
    std::printf("server answering after %d s, %d s run: longest event-loop gap %.1f ms, "
                "most calls waiting %d, to-dos added %zu\n",
                answerDelayMs / 1000, runMs / 1000, static_cast<double>(longestGapUs) / 1000.0,
                mostWaiting, view.todoList().size());
    return 0;
}

#include "HungServerBench.moc"
