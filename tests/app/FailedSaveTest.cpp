// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <PrivateSessionBus.h>
#include <TodoJson.h>
#include <TodoListStore.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

#include <csignal>

namespace {

// Runs the real binary with its store folder on a small tmpfs of its own (a
// private mount namespace), full or read-only, and copies the store out after
// the app has ended.
const char launcher[] = R"(
set -e
store="$1"; mode="$2"; old="$3"; binary="$4"; out="$5"; pidfile="$6"
mount -t tmpfs -o size=64k tmpfs "$store"
cp "$old" "$store/TodoList"
if [ "$mode" = read-only ]; then mount -o remount,ro "$store"; fi
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
    for (const char *folder : {"config/plimsa", "state", "runtime", "out"})
        ASSERT_TRUE(QDir().mkpath(path(folder)));
    QFile::setPermissions(path("runtime"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    QFile old(path("old"));
    ASSERT_TRUE(old.open(QIODevice::WriteOnly));
    old.write(json.data(), static_cast<qint64>(json.size()));
    old.close();

    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), path("config"));
    environment.insert(QStringLiteral("XDG_STATE_HOME"), path("state"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), path("data"));
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), path("runtime"));
    environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), bus.address());
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("unshare"),
                  {QStringLiteral("-m"), QStringLiteral("--propagation"), QStringLiteral("private"),
                   QStringLiteral("sh"), QStringLiteral("-c"), QString::fromLatin1(launcher),
                   QStringLiteral("sh"), path("config/plimsa"), QString::fromLatin1(GetParam()),
                   path("old"), QStringLiteral(PLIMSA_BINARY), path("out"), path("pid")});
    ASSERT_TRUE(process.waitForStarted());

    qint64 pid = 0;
    for (int i = 0; i < 200 && pid == 0; ++i) {
        QFile pidFile(path("pid"));
        if (pidFile.open(QIODevice::ReadOnly))
            pid = pidFile.readAll().trimmed().toLongLong();
        if (process.state() != QProcess::Running)
            break;
        QThread::msleep(25);
    }
    if (pid == 0) {
        process.waitForFinished(5000);
        GTEST_SKIP() << "no private mount namespace here: "
                     << process.readAllStandardError().toStdString();
    }
    for (int i = 0; i < 200 && !QFile::exists(path("runtime") + QStringLiteral("/plimsa.socket"));
         ++i)
        QThread::msleep(25);
    ::kill(static_cast<pid_t>(pid), SIGTERM);
    ASSERT_TRUE(process.waitForFinished(20000));

    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(process.exitCode(), 0) << "the app still exits normally";
    FilePreferences out(path("out"));
    EXPECT_EQ(out.data(todoListKey), QByteArray::fromStdString(json)) << "old value intact";
    EXPECT_EQ(out.data(QStringLiteral("listing")), QByteArray("TodoList\n"))
        << "no temp files left";

    const QStringList rescued = QDir(path("state/plimsa")).entryList(QDir::Files);
    ASSERT_EQ(rescued.size(), 1);
    EXPECT_EQ(
        decodeTodoList(FilePreferences(path("state/plimsa")).data(rescued.front())->toStdString()),
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

INSTANTIATE_TEST_SUITE_P(FullOrReadOnly, FailedSaveTest, ::testing::Values("full", "read-only"));
