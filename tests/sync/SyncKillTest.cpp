// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"
#include "PlimsaList.h"

#include <CalDavClient.h>

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr int todoCount = 120;

class SyncKillTest : public testing::TestWithParam<CalDavTestServer::Kind> {};

// SIGKILLs the engine after so many taken changes, run after run, then lets a
// run finish: the server then holds each to-do once.
TEST_P(SyncKillTest, KillsAtAnyMomentLoseAndDuplicateNothing)
{
    CalDavTestServer server(GetParam());
    ASSERT_TRUE(server.start()) << server.log().toStdString();
    CalDavClient client(server.url(), server.user(), server.password());
    const auto found = usePlimsaList(client);
    ASSERT_TRUE(found.ok());

    QTemporaryDir folder;
    const int killPoints[] = {3, 35, 20, 31, 7};
    int kills = 0;
    bool finished = false;
    for (std::size_t round = 0; round <= std::size(killPoints) && !finished; ++round) {
        QProcess child;
        child.start(QStringLiteral(PLIMSA_SYNC_KILL_CHILD),
                    {folder.path(), server.url().toString(), server.user(), server.password(),
                     client.collection().toString(), QString::number(todoCount)});
        ASSERT_TRUE(child.waitForStarted(5000));
        const int killAfter = round < std::size(killPoints) ? killPoints[round] : todoCount + 1;
        int taken = 0;
        const QDeadlineTimer deadline(120000);
        while (child.state() == QProcess::Running && taken < killAfter && !deadline.hasExpired()) {
            child.waitForReadyRead(1000);
            while (child.canReadLine()) {
                if (child.readLine().startsWith("taken"))
                    ++taken;
            }
        }
        if (child.state() == QProcess::Running && taken >= killAfter) {
            child.kill();
            child.waitForFinished(5000);
            ++kills;
            continue;
        }
        ASSERT_TRUE(child.state() == QProcess::NotRunning || child.waitForFinished(120000));
        ASSERT_EQ(child.exitStatus(), QProcess::NormalExit);
        ASSERT_EQ(child.exitCode(), 0)
            << "round " << round << ": " << child.readAllStandardError().toStdString();
        finished = true;
    }
    ASSERT_TRUE(finished);
    EXPECT_EQ(kills, int(std::size(killPoints)));

    std::optional<ServerResult<std::vector<ServerObject>>> listed;
    client.listEtags([&](auto answer) { listed = answer; });
    const QDeadlineTimer deadline(30000);
    while (!listed && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 100);
    ASSERT_TRUE(listed && listed->ok());
    EXPECT_EQ(listed->value.size(), std::size_t(todoCount)) << kills << " kills";
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncKillTest,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });

} // namespace
