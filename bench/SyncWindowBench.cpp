// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The window while the first sync of 300 to-dos runs against Radicale behind a
// proxy that holds each of its answers 100 ms: the window's frames (one asked
// for every 16 ms, a to-do added every second), their intervals, median and
// worst, and the longest event on the window's thread, against the same window
// with no sync in the same run.

#include "WindowBenchSupport.h"

#include <CalDavTestServer.h>
#include <ContentView.h>
#include <ContentWindow.h>
#include <FilePreferences.h>
#include <SyncController.h>
#include <SyncServicePanel.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <cstdio>

namespace {

constexpr int todoCount = 300;
constexpr int answerDelayMs = 100;
constexpr int baselineMs = 10000;
// A frame asked for every 16 ms that comes later than this missed one.
constexpr double lateFrameMs = 20;

// Forwards each connection to the server and holds what the server sends for
// `answerDelayMs`, on a thread of its own so that the window's thread does
// only what Plimsa does.
class DelayingProxy : public QThread {
public:
    explicit DelayingProxy(quint16 serverPort) : m_serverPort(serverPort) {}
    std::atomic<quint16> port = 0;

protected:
    void run() override
    {
        QTcpServer listener;
        QObject::connect(&listener, &QTcpServer::newConnection, [&] {
            while (QTcpSocket *client = listener.nextPendingConnection())
                forward(client);
        });
        listener.listen(QHostAddress::LocalHost);
        port = listener.serverPort();
        exec();
    }

private:
    void forward(QTcpSocket *client)
    {
        // The server's socket and the timers go with the client's.
        auto *server = new QTcpSocket(client);
        QObject::connect(client, &QTcpSocket::readyRead, server,
                         [client, server] { server->write(client->readAll()); });
        QObject::connect(server, &QTcpSocket::readyRead, client, [client, server] {
            QTimer::singleShot(answerDelayMs, client,
                               [client, data = server->readAll()] { client->write(data); });
        });
        QObject::connect(server, &QTcpSocket::disconnected, client, [client] {
            QTimer::singleShot(answerDelayMs, client, [client] { client->disconnectFromHost(); });
        });
        QObject::connect(client, &QTcpSocket::disconnected, client, &QObject::deleteLater);
        server->connectToHost(QHostAddress::LocalHost, m_serverPort);
        // What the client sent before the server's connection was up.
        QObject::connect(server, &QTcpSocket::connected, client,
                         [client, server] { server->write(client->readAll()); });
    }

    quint16 m_serverPort;
};

void report(const char *what, std::vector<double> intervals, const TimedApplication &app)
{
    if (intervals.empty())
        return;
    std::sort(intervals.begin(), intervals.end());
    const auto late = std::count_if(intervals.begin(), intervals.end(),
                                    [](double interval) { return interval > lateFrameMs; });
    std::printf("%s: %zu frames, interval median %.1f ms, worst %.1f ms, %td over %.0f ms; "
                "longest event %.1f ms (%s)\n",
                what, intervals.size(), intervals[intervals.size() / 2], intervals.back(), late,
                lateFrameMs, app.longestEventMs, app.longestKinds(3).c_str());
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // No Secret Service: the password lives for this run only.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent");
    TimedApplication app(argc, argv);
    CalDavTestServer radicale(CalDavTestServer::Kind::radicale);
    if (!radicale.start())
        return 1;
    DelayingProxy proxy(static_cast<quint16>(radicale.url().port()));
    proxy.start();
    while (proxy.port == 0)
        QThread::msleep(1);
    QUrl slowUrl = radicale.url();
    slowUrl.setPort(proxy.port);

    QTemporaryDir home;
    FilePreferences preferences(home.path());
    NoNotifications notifications;
    ReminderScheduler reminders(notifications);
    SystemClock clock;
    ContentView view(preferences, reminders, clock);
    for (int i = 0; i < todoCount; ++i) {
        view.setNewTodoName(QStringLiteral("Errand %1").arg(i + 1));
        view.addTodo();
    }
    PasswordStore passwords;
    SyncController sync(view, passwords, clock, home.filePath(QStringLiteral("sync")));
    ContentWindow window(view);
    SyncServicePanel panel(sync);
    window.showSync(panel);
    window.show();
    FrameClock frames(&window);
    // The window's first frames (fonts, layout) are the start's, not the sync's.
    processUntil([&] { return frames.intervalsMs.size() >= 2; });
    QTimer adds;
    QObject::connect(&adds, &QTimer::timeout, &view, [&] {
        view.setNewTodoName(QStringLiteral("Added meanwhile"));
        view.addTodo();
    });
    adds.start(1000);

    // A loop of its own: the application's quit would close the window.
    QEventLoop phase;
    QTimer::singleShot(baselineMs, &phase, &QEventLoop::quit);
    frames.restart();
    app.restartEventClock();
    phase.exec();
    report("no sync", frames.intervalsMs, app);

    QElapsedTimer syncTime;
    syncTime.start();
    frames.restart();
    app.restartEventClock();
    int taken = 0;
    QObject::connect(&sync, &SyncController::stateChanged, &phase, [&] {
        taken = std::max(taken, sync.progress().first);
        if (sync.state() != SyncController::State::syncing &&
            sync.state() != SyncController::State::noAccount)
            phase.quit();
    });
    // A fresh Radicale has no task list: the set-up makes "Plimsa".
    SyncService::SetupReply step = [&](SyncSetupStep answer) {
        if (answer.kind == SyncSetupStep::Kind::offerList)
            sync.createTaskList(step);
        else if (answer.kind != SyncSetupStep::Kind::connected)
            phase.exit(2);
    };
    sync.connectAccount(slowUrl, radicale.user(), radicale.password(), step);
    if (phase.exec() != 0 || sync.state() != SyncController::State::synced) {
        std::fputs("the sync did not end synced\n", stderr);
        return 2;
    }
    const std::string what = "first sync of " + std::to_string(todoCount) +
                             " to-dos, each answer held " + std::to_string(answerDelayMs) +
                             " ms (" + std::to_string(syncTime.elapsed() / 1000) + " s, " +
                             std::to_string(taken) + " taken)";
    report(what.c_str(), frames.intervalsMs, app);
    proxy.quit();
    proxy.wait();
    return 0;
}
