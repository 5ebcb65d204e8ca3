// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PlimsaProcess.h>
#include <PrivateSessionBus.h>
#include <TodoJson.h>
#include <TodoListStore.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Runs the real binary with its store folder on a small tmpfs of its own (a
// private mount namespace), full or read-only, or full with the rescue folder
// on it too (a full home), and copies the store out after the app has ended.
const char launcher[] = R"(
set -e
store="$1"; mode="$2"; old="$3"; binary="$4"; out="$5"; pidfile="$6"; state="$7"
mount -t tmpfs -o size=64k tmpfs "$store"
cp "$old" "$store/TodoList"
if [ "$mode" = read-only ]; then mount -o remount,ro "$store"; fi
if [ "$mode" = full-home ]; then mount --bind "$store" "$state"; fi
"$binary" & pid=$!
echo $pid > "$pidfile"
set +e
wait $pid; status=$?
cp "$store/TodoList" "$out/TodoList"
ls -A "$store" > "$out/listing"
exit $status
)";

class FailedSaveTest : public ::testing::TestWithParam<const char *> {
protected:
    PrivateSessionBus bus;
    PrivateHome home;
    QTemporaryDir temporary;

    QString path(const char *name) const { return temporary.filePath(QString::fromLatin1(name)); }
};

std::vector<TodoItem> bigList()
{
    std::vector<TodoItem> items;
    for (int i = 0; i < 400; ++i)
        items.emplace_back("Item " + std::to_string(i), 786310200.0 + i, TodoPriority::medium);
    return items;
}

} // namespace

TEST_P(FailedSaveTest, OldValueStaysAndTheListIsRescued)
{
    const std::vector<TodoItem> items = bigList();
    const std::string json = *encodeTodoList(items);
    ASSERT_GT(json.size(), 33000u) << "the list must not fit twice on the tmpfs";
    ASSERT_TRUE(home.isReady());
    ASSERT_TRUE(QDir().mkpath(home.storeDirectory()));
    const QString stateFolder = home.stateHome() + QStringLiteral("/plimsa");
    ASSERT_TRUE(QDir().mkpath(stateFolder));
    const QString mode = QString::fromLatin1(GetParam());
    ASSERT_TRUE(QDir().mkpath(path("out")));
    QFile old(path("old"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(json.data(), static_cast<qint64>(json.size()));
    old.close();

    PlimsaProcess plimsa(home, bus.address());
    QProcess &process = plimsa.process();
    process.setProcessChannelMode(QProcess::SeparateChannels);
    plimsa.launch(QStringLiteral("unshare"),
                  {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"),
                   QStringLiteral("sh"), QStringLiteral("-c"), QString::fromLatin1(launcher),
                   QStringLiteral("sh"), home.storeDirectory(), mode, path("old"),
                   PlimsaProcess::binary(), path("out"), path("pid"), stateFolder});
    if (!plimsa.waitUntilRunning()) {
        process.waitForFinished(5000);
        GTEST_SKIP() << "no private mount namespace here: "
                     << process.readAllStandardError().toStdString();
    }
    QFile pidFile(path("pid"));
    ASSERT_TRUE(pidFile.open(QIODevice::ReadOnly));
    ::kill(static_cast<pid_t>(pidFile.readAll().trimmed().toLongLong()), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << "the app still exits normally";
    FilePreferences out(path("out"));
    EXPECT_EQ(out.data(todoListKey), QByteArray::fromStdString(json)) << "old value intact";
    EXPECT_EQ(out.data(QStringLiteral("listing")),
              mode == QStringLiteral("read-only") ? QByteArray("TodoList\n")
                                                  : QByteArray(".plimsa-lock\nTodoList\n"))
        << "no temp files left";

    // A full home takes the first rescue folder with it: the next is the runtime folder's.
    const QString rescueDirectory =
        (mode == QStringLiteral("full-home") ? home.runtimeDirectory() : home.stateHome()) +
        QStringLiteral("/plimsa");
    const QStringList rescued = QDir(rescueDirectory).entryList(QDir::Files);
    ASSERT_EQ(rescued.size(), 1);
    EXPECT_EQ(
        decodeTodoList(FilePreferences(rescueDirectory).data(rescued.front())->toStdString()),
        items);
    // The offscreen platform adds lines of its own; ours start with "plimsa:".
    QByteArrayList ours;
    for (const QByteArray &line : process.readAllStandardError().split('\n')) {
        if (line.startsWith("plimsa:"))
            ours.append(line);
    }
    ASSERT_EQ(ours.size(), 1);
    EXPECT_TRUE(ours.front().contains(rescued.front().toUtf8())) << ours.front().toStdString();
}

INSTANTIATE_TEST_SUITE_P(FullOrReadOnly, FailedSaveTest,
                         ::testing::Values("full", "read-only", "full-home"));
