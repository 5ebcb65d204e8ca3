// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <FilePreferences.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <StoredFile.h>
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace {

class FilePreferencesTest : public ::testing::Test {
protected:
    QTemporaryDir temporary;
    QString directory = temporary.path() + QStringLiteral("/config/plimsa");
    FilePreferences preferences{directory};

    // Besides the writers' lock file, which stays.
    QStringList filesInDirectory() const
    {
        QStringList files =
            QDir(directory).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
        files.removeOne(QStringLiteral(".plimsa-lock"));
        return files;
    }
};

} // namespace

TEST_F(FilePreferencesTest, AbsentKeyHasNoValue)
{
    EXPECT_FALSE(preferences.data(QStringLiteral("TodoList")));
    EXPECT_FALSE(QDir(directory).exists()) << "reading must not create anything";
}

TEST_F(FilePreferencesTest, KeepsExactlyTheBytesInAPrivateFileNamedAfterTheKey)
{
    const QByteArray value("[]\0\xFF\n", 5);
    ASSERT_TRUE(preferences.setData(QStringLiteral("TodoList"), value));
    const auto read = preferences.data(QStringLiteral("TodoList"));
    ASSERT_TRUE(read);
    EXPECT_EQ(*read, value);
    EXPECT_GE(read->capacity() - read->size(), StoredFile::roomAfterContent)
        << "the list reader reads in place only with room after the content";

    QFile file(directory + QStringLiteral("/TodoList"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), value);
    EXPECT_EQ(file.permissions() & 0x0077, 0) << "group and others must not read it";
    EXPECT_EQ(QFile::permissions(directory) & 0x0077, 0);
    EXPECT_EQ(filesInDirectory(), QStringList{QStringLiteral("TodoList")});
}

TEST_F(FilePreferencesTest, ReplacesTheWholeValueAndKeepsEmptyValues)
{
    ASSERT_TRUE(preferences.setData(QStringLiteral("TodoList"), QByteArray(100000, 'x')));
    ASSERT_TRUE(preferences.setData(QStringLiteral("TodoList"), QByteArray("[]")));
    EXPECT_EQ(preferences.data(QStringLiteral("TodoList")), QByteArray("[]"));
    ASSERT_TRUE(preferences.setData(QStringLiteral("TodoList"), QByteArray()));
    EXPECT_EQ(preferences.data(QStringLiteral("TodoList")), QByteArray());
    EXPECT_EQ(filesInDirectory(), QStringList{QStringLiteral("TodoList")});
}

TEST_F(FilePreferencesTest, KeysThatAreNotPlainFileNamesAreRefused)
{
    const QString bad[] = {QString(),
                           QStringLiteral("."),
                           QStringLiteral(".."),
                           QStringLiteral("../TodoList"),
                           QStringLiteral("a/b"),
                           QStringLiteral("a") + QChar(0)};
    for (const QString &key : bad) {
        EXPECT_FALSE(preferences.setData(key, "x")) << key.toStdString();
        EXPECT_FALSE(preferences.data(key)) << key.toStdString();
    }
    EXPECT_TRUE(filesInDirectory().isEmpty());
}

TEST_F(FilePreferencesTest, ADirectoryInPlaceOfTheValueIsNoValueAndStaysUntouched)
{
    ASSERT_TRUE(QDir().mkpath(directory + QStringLiteral("/TodoList/inner")));
    EXPECT_FALSE(preferences.data(QStringLiteral("TodoList")));
    EXPECT_FALSE(preferences.setData(QStringLiteral("TodoList"), "[]"));
    EXPECT_TRUE(QDir(directory + QStringLiteral("/TodoList/inner")).exists());
    EXPECT_TRUE(filesInDirectory().isEmpty()) << "no temporary file may be left behind";
}

TEST_F(FilePreferencesTest, AFailedWriteKeepsTheEarlierValue)
{
    ASSERT_TRUE(preferences.setData(QStringLiteral("TodoList"), "[old]"));
    ASSERT_TRUE(QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    if (QFile(directory + QStringLiteral("/probe")).open(QIODevice::WriteOnly))
        GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_FALSE(preferences.setData(QStringLiteral("TodoList"), "[new]"));
    EXPECT_EQ(preferences.data(QStringLiteral("TodoList")), QByteArray("[old]"));
}

// Two instances writing one store at once (two machines sharing a home): every
// read finds one whole value, never a torn or a half-written one.
TEST_F(FilePreferencesTest, TwoWritersAtOnceLeaveOneWholeValue)
{
    const QByteArray values[] = {QByteArray(300000, 'a'), QByteArray(200000, 'b')};
    std::atomic<bool> writing = true;
    std::atomic<int> failedWrites = 0;
    std::vector<std::thread> writers;
    for (const QByteArray &value : values) {
        writers.emplace_back([&, value] {
            FilePreferences own(directory);
            for (int i = 0; i < 100; ++i) {
                if (!own.setData(QStringLiteral("TodoList"), value))
                    ++failedWrites;
            }
        });
    }
    int reads = 0;
    int torn = 0;
    std::thread reader([&] {
        FilePreferences own(directory);
        while (writing) {
            const auto read = own.data(QStringLiteral("TodoList"));
            if (read) {
                ++reads;
                torn += *read != values[0] && *read != values[1];
            }
        }
    });
    for (std::thread &writer : writers)
        writer.join();
    writing = false;
    reader.join();
    EXPECT_EQ(failedWrites, 0);
    EXPECT_GT(reads, 0);
    EXPECT_EQ(torn, 0);
    EXPECT_EQ(filesInDirectory(), QStringList{QStringLiteral("TodoList")});
}
