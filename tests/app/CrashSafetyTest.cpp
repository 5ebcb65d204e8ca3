// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PrivateHome.h>
#include <PrivateSessionBus.h>
#include <TodoJson.h>
#include <TodoListStore.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// PLIMSA_CRASH_ITERATIONS sets how often (200 unless told; 1,000 for a long run).
int iterations()
{
    bool ok = false;
    const int told = qEnvironmentVariableIntValue("PLIMSA_CRASH_ITERATIONS", &ok);
    return ok && told > 0 ? told : 200;
}

} // namespace

// The real binary is asked to end (SIGTERM, which saves) and then killed at a
// random moment within the save. The store must always hold the old list or the
// new one, whole, and cut-short writes must not leave files piling up.
TEST(CrashSafety, AKillDuringTheSaveLeavesTheOldOrTheNewListWhole)
{
    PrivateSessionBus bus;
    PrivateHome home;
    ASSERT_TRUE(home.isReady());
    const QString storeDirectory = home.storeDirectory();
    FilePreferences preferences(storeDirectory);

    std::vector<TodoItem> items;
    for (int i = 0; i < 20000; ++i)
        items.emplace_back("Crash-test item " + std::to_string(i), 786310200.0 + i,
                           TodoPriority::high);
    // Old and new differ in their bytes (spaces), not in the list they hold.
    const QByteArray compact = QByteArray::fromStdString(*encodeTodoList(items));
    QByteArray spaced = compact;
    spaced.replace("},{", "}, {");

    const QProcessEnvironment environment = home.processEnvironment(bus.address());

    int sawOld = 0;
    int sawNew = 0;
    int losses = 0;
    // How long from SIGTERM to the end of a full save; kills land inside it.
    qint64 saveMicroseconds = 0;
    const int total = iterations();
    for (int iteration = 0; iteration < total; ++iteration) {
        ASSERT_TRUE(preferences.setData(todoListKey, spaced));
        const QString socket = home.instanceSocket();
        QFile::remove(socket);
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setStandardErrorFile(QProcess::nullDevice());
        process.start(QStringLiteral(PLIMSA_BINARY), {});
        ASSERT_TRUE(process.waitForStarted());
        for (int i = 0; i < 400 && !QFileInfo::exists(socket); ++i)
            QThread::usleep(5000);
        // The window shows and loads the list right after the socket appears.
        QThread::usleep(100000);
        const auto pid = static_cast<pid_t>(process.processId());
        QElapsedTimer sinceTerm;
        sinceTerm.start();
        ::kill(pid, SIGTERM);
        if (iteration == 0) {
            ASSERT_TRUE(process.waitForFinished(10000));
            saveMicroseconds = sinceTerm.nsecsElapsed() / 1000;
            ASSERT_EQ(preferences.data(todoListKey), compact);
            continue;
        }
        QThread::usleep(
            QRandomGenerator::global()->bounded(static_cast<quint32>(saveMicroseconds)));
        ::kill(pid, SIGKILL);
        ASSERT_TRUE(process.waitForFinished(10000));

        const auto stored = preferences.data(todoListKey);
        if (stored == spaced)
            ++sawOld;
        else if (stored == compact)
            ++sawNew;
        else
            ++losses;
    }
    std::printf("crash loop: %d kills within a %lld us save, old %d, new %d, losses %d\n",
                total - 1, saveMicroseconds, sawOld, sawNew, losses);
    EXPECT_EQ(losses, 0);

    // Nothing but the store itself is left, also after the next write.
    ASSERT_TRUE(preferences.setData(todoListKey, compact));
    EXPECT_EQ(QDir(storeDirectory).entryList(QDir::Files | QDir::Hidden),
              QStringList{QStringLiteral("TodoList")});
}
