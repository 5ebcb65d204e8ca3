// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Many syncs of a 10,000-to-do list against Radicale, as an app left open
// runs them: after the first, 100 with nothing changed, then 100 with one
// to-do renamed before each. After every tenth: resident memory, and per
// sync of those ten the requests and the bytes written to storage
// (/proc/self/io write_bytes: the sync database, its log and nothing else).

#include "ProcFigures.h"

#include <CalDavClient.h>
#include <PlimsaList.h>
#include <ServerListFill.h>
#include <SyncEngine.h>

#include <QCoreApplication>
#include <QEventLoop>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int todoCount = 10000;
constexpr int syncsEach = 100;

// One sync, and the list then stored, as the app marks it.
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
    engine.listStored(outcome.pullMark);
    return outcome;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    if (!server.start())
        return 1;
    CalDavClient client(server.url(), server.user(), server.password());
    const ServerResult<QUrl> list = usePlimsaList(client);
    if (!list.ok())
        return 1;
    std::vector<TodoItem> items = errandsOnServer(server, list.value, todoCount);
    if (items.empty())
        return 1;

    SystemClock clock;
    QTemporaryDir folder;
    SyncEngine engine(client, folder.path(), clock);
    if (!engine.load() || syncOnce(engine).upserts.size() != items.size())
        return 2;
    std::printf("after the first sync of %d to-dos: %lld KB resident\n", todoCount,
                procFigure(QStringLiteral("status"), "VmRSS"));
    std::printf("phase\tsyncs\tresident_KB\trequests_per_sync\tbytes_written_per_sync\n");

    for (const bool changing : {false, true}) {
        long long written = procFigure(QStringLiteral("io"), "write_bytes");
        int requests = client.requestCountForTesting();
        for (int sync = 1; sync <= syncsEach; ++sync) {
            if (changing) {
                TodoItem &renamed = items[static_cast<std::size_t>(sync)];
                renamed = renamed.with("Errand " + std::to_string(sync) + ", renamed",
                                       renamed.time(), renamed.priority());
                if (!engine.record({renamed}, {}))
                    return 3;
            }
            if (syncOnce(engine).status != SyncOutcome::Status::done)
                return 4;
            if (sync % 10 != 0)
                continue;
            const long long nowWritten = procFigure(QStringLiteral("io"), "write_bytes");
            std::printf("%s\t%d\t%lld\t%.1f\t%lld\n", changing ? "one change" : "nothing changed",
                        sync, procFigure(QStringLiteral("status"), "VmRSS"),
                        (client.requestCountForTesting() - requests) / 10.0,
                        (nowWritten - written) / 10);
            std::fflush(stdout);
            written = nowWritten;
            requests = client.requestCountForTesting();
        }
    }
    return 0;
}
