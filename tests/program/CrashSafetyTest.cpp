// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <TodoJson.h>
#include <TodoListStore.h>

#include <QDir>
#include <QElapsedTimer>
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

    int sawOld = 0;
    int sawNew = 0;
    int losses = 0;
    // How long from SIGTERM to the end of a full save; kills land inside it.
    qint64 saveMicroseconds = 0;
    const int total = iterations();
    for (int iteration = 0; iteration < total; ++iteration) {
        ASSERT_TRUE(preferences.setData(todoListKey, spaced));
        // A kill leaves the socket behind; the next app must be seen making its own.
        QFile::remove(home.instanceSocket());
        PlimsaProcess plimsa(home, bus.address());
        plimsa.process().setStandardErrorFile(QProcess::nullDevice());
        ASSERT_TRUE(plimsa.start());
        // The window shows and loads the list right after the socket appears.
        QThread::usleep(100000);
        QElapsedTimer sinceTerm;
        sinceTerm.start();
        plimsa.signal(SIGTERM);
        if (iteration == 0) {
            ASSERT_TRUE(plimsa.exitsNormally());
            saveMicroseconds = sinceTerm.nsecsElapsed() / 1000;
            ASSERT_EQ(preferences.data(todoListKey), compact);
            continue;
        }
        QThread::usleep(
            QRandomGenerator::global()->bounded(static_cast<quint32>(saveMicroseconds)));
        plimsa.signal(SIGKILL);
        ASSERT_TRUE(plimsa.process().waitForFinished(10000));

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

    // Nothing but the store and the writers' lock is left, also after the next write.
    ASSERT_TRUE(preferences.setData(todoListKey, compact));
    EXPECT_EQ(QDir(storeDirectory).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral(".plimsa-lock"), QStringLiteral("TodoList")}));
}
