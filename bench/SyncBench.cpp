// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Sync against one Radicale on 127.0.0.1: the first upload of 1,000 to-dos,
// bringing those 1,000 into an empty list (median of 5) against Debian's
// python3-caldav fetching the same (`calendar.todos()`, median of 5), and the
// requests a sync with nothing changed costs.

#include <CalDavClient.h>
#include <CalDavTestServer.h>
#include <PlimsaList.h>
#include <SyncEngine.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr int todoCount = 1000;
constexpr int runs = 5;

const char pythonFetch[] = R"(
import caldav, sys, time
url, user, password, calendar_url = sys.argv[1:5]
calendar = caldav.DAVClient(url=url, username=user, password=password).calendar(url=calendar_url)
start = time.monotonic()
todos = calendar.todos()
print(len(todos), time.monotonic() - start)
)";

// Counts the calls, each one request.
class CountingServer final : public CalendarServer {
public:
    explicit CountingServer(CalendarServer &server) : m_server(server) {}
    int calls = 0;
    void changesSince(const QString &t, Reply<ServerChanges> r) override
    {
        ++calls;
        m_server.changesSince(t, r);
    }
    void listEtags(Reply<std::vector<ServerObject>> r) override
    {
        ++calls;
        m_server.listEtags(r);
    }
    void fetch(const QStringList &h, Reply<std::vector<ServerObject>> r) override
    {
        ++calls;
        m_server.fetch(h, r);
    }
    void put(const QString &h, const QByteArray &d, const QString &e, Reply<QString> r) override
    {
        ++calls;
        m_server.put(h, d, e, r);
    }
    void remove(const QString &h, const QString &e, Reply<bool> r) override
    {
        ++calls;
        m_server.remove(h, e, r);
    }
    QString hrefForUid(const QString &uid) const override { return m_server.hrefForUid(uid); }

private:
    CalendarServer &m_server;
};

SyncOutcome syncOnce(SyncEngine &engine)
{
    SyncOutcome outcome;
    QEventLoop loop;
    engine.sync([&](SyncOutcome answer) {
        outcome = std::move(answer);
        loop.quit();
    });
    if (engine.isRunning())
        loop.exec();
    return outcome;
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SystemClock clock;
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    if (!server.start())
        return 1;
    CalDavClient client(server.url(), server.user(), server.password());
    if (!usePlimsaList(client).ok())
        return 1;

    std::vector<TodoItem> list;
    for (int i = 0; i < todoCount; ++i)
        list.emplace_back("To-do number " + std::to_string(i), 794424600 + 60 * i,
                          TodoPriority::medium);
    QTemporaryDir uploader;
    SyncEngine upload(client, uploader.path(), clock);
    upload.load();
    upload.listChanged(list);
    QElapsedTimer timer;
    timer.start();
    const SyncOutcome uploaded = syncOnce(upload);
    std::printf("first upload of %d to-dos: %.1f s (%d taken, status %d)\n", todoCount,
                timer.elapsed() / 1000.0, uploaded.uploaded, int(uploaded.status));

    std::vector<double> plimsa;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir folder;
        SyncEngine empty(client, folder.path(), clock);
        empty.load();
        timer.start();
        const SyncOutcome outcome = syncOnce(empty);
        plimsa.push_back(timer.nsecsElapsed() / 1e9);
        if (outcome.upserts.size() != std::size_t(todoCount))
            return 2;
    }
    std::vector<double> python;
    for (int run = 0; run < runs; ++run) {
        QProcess process;
        process.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral("-c"), QString::fromLatin1(pythonFetch),
                       server.url().toString(), server.user(), server.password(),
                       client.collection().toString()});
        process.waitForFinished(120000);
        const auto fields = QString::fromUtf8(process.readAllStandardOutput()).split(u' ');
        if (fields.size() != 2 || fields[0].toInt() != todoCount)
            return 3;
        python.push_back(fields[1].trimmed().toDouble());
    }
    std::printf("bringing %d server to-dos into an empty list: %.3f s (median of %d)\n", todoCount,
                median(plimsa), runs);
    std::printf("python3-caldav calendar.todos() of the same: %.3f s (median of %d); ratio %.2f\n",
                median(python), runs, median(plimsa) / median(python));

    CountingServer counted(client);
    SyncEngine again(counted, uploader.path(), clock);
    again.load();
    timer.start();
    syncOnce(again);
    std::printf("a sync with nothing changed: %d request(s), %.3f s\n", counted.calls,
                timer.nsecsElapsed() / 1e9);
    return 0;
}
