// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Sync against one Radicale on 127.0.0.1: the first upload of 1,000 to-dos,
// bringing those 1,000 into an empty list (median of 5, with the requests it
// takes) against Debian's python3-caldav fetching the same
// (`calendar.todos()`, median of 5), and the requests a sync with nothing
// changed costs. Then a calendar of 300 to-dos and 300 events on Radicale
// (which names each member's component) and on xandikos (which does not): a
// first sync's requests, and what fetching the events would have cost beside
// the one calendar-query that leaves them out.

#include <CalDavClient.h>
#include <CalDavTestServer.h>
#include <PlimsaList.h>
#include <SyncEngine.h>
#include <VTodoMapping.h>

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
constexpr int mixedCount = 300;

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

template <typename T>
ServerResult<T> await(const std::function<void(CalendarServer::Reply<T>)> &call)
{
    std::optional<ServerResult<T>> result;
    QEventLoop loop;
    call([&](ServerResult<T> answer) {
        result = std::move(answer);
        loop.quit();
    });
    if (!result)
        loop.exec();
    return *result;
}

QByteArray event(int number)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Bench//Calendar//EN\r\nBEGIN:VEVENT\r\n"
           "UID:event-" +
           QByteArray::number(number) +
           "\r\nDTSTAMP:20250101T090000Z\r\nDTSTART:20250102T090000Z\r\n"
           "SUMMARY:Meeting\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n";
}

// A first sync of a calendar with as many events as to-dos.
bool mixedList(CalDavTestServer::Kind kind, const Clock &clock)
{
    CalDavTestServer server(kind);
    if (!server.start())
        return false;
    CalDavClient client(server.url(), server.user(), server.password());
    if (!usePlimsaList(client).ok())
        return false;
    QStringList events;
    for (int i = 0; i < mixedCount; ++i) {
        const TodoItem item("To-do number " + std::to_string(i), 794424600, TodoPriority::medium);
        const QString todo = client.hrefForUid(QString::fromStdString(item.id().uuidString()));
        events += client.hrefForUid(QStringLiteral("event-%1").arg(i));
        const QByteArray data =
            QByteArray::fromStdString(newVTodo(item, 794424600, LocalCalendar::current()));
        if (!await<QString>([&](auto r) { client.put(todo, data, {}, r); }).ok() ||
            !await<QString>([&](auto r) { client.put(events.back(), event(i), {}, r); }).ok())
            return false;
    }
    QTemporaryDir folder;
    SyncEngine engine(client, folder.path(), clock);
    engine.load();
    int sent = client.requestCountForTesting();
    QElapsedTimer timer;
    timer.start();
    const SyncOutcome outcome = syncOnce(engine);
    std::printf("%s, %d to-dos and %d events, first sync: %d requests, %.3f s, %zu to-dos\n",
                qPrintable(server.name()), mixedCount, mixedCount,
                client.requestCountForTesting() - sent, timer.nsecsElapsed() / 1e9,
                outcome.upserts.size());
    sent = client.requestCountForTesting();
    timer.start();
    await<std::vector<ServerObject>>([&](auto r) { client.listEtags(r); });
    std::printf("  the VTODO calendar-query: %d request, %.3f s\n",
                client.requestCountForTesting() - sent, timer.nsecsElapsed() / 1e9);
    sent = client.requestCountForTesting();
    timer.start();
    await<std::vector<ServerObject>>([&](auto r) { client.fetch(events, r); });
    std::printf("  fetching the events instead (then dropped): %d requests, %.3f s\n",
                client.requestCountForTesting() - sent, timer.nsecsElapsed() / 1e9);
    return true;
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
    int requests = 0;
    for (int run = 0; run < runs; ++run) {
        QTemporaryDir folder;
        SyncEngine empty(client, folder.path(), clock);
        empty.load();
        const int sent = client.requestCountForTesting();
        timer.start();
        const SyncOutcome outcome = syncOnce(empty);
        plimsa.push_back(timer.nsecsElapsed() / 1e9);
        requests = client.requestCountForTesting() - sent;
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
    std::printf(
        "bringing %d server to-dos into an empty list: %.3f s (median of %d), %d requests\n",
        todoCount, median(plimsa), runs, requests);
    std::printf("python3-caldav calendar.todos() of the same: %.3f s (median of %d); ratio %.2f\n",
                median(python), runs, median(plimsa) / median(python));

    CountingServer counted(client);
    SyncEngine again(counted, uploader.path(), clock);
    again.load();
    timer.start();
    syncOnce(again);
    std::printf("a sync with nothing changed: %d request(s), %.3f s\n", counted.calls,
                timer.nsecsElapsed() / 1e9);
    for (const auto kind : {CalDavTestServer::Kind::radicale, CalDavTestServer::Kind::xandikos}) {
        if (!mixedList(kind, clock))
            return 4;
    }
    return 0;
}
