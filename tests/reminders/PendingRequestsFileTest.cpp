// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <PendingRequestsFile.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

NotificationRequest request(const QString &identifier, const QString &body)
{
    return {identifier, {QStringLiteral("Reminder"), body, true}, {{2026, 3, 5, 19, 30}, false}};
}

} // namespace

TEST(PendingRequestsFile, RoundTripsThroughAPrivateFile)
{
    QTemporaryDir directory;
    PendingRequestsFile file(directory.filePath(QStringLiteral("data/plimsa/pending.json")));
    EXPECT_FALSE(file.read()) << "no file yet";

    const std::vector<NotificationRequest> requests = {
        request(QStringLiteral("A"), QStringLiteral("Todo: Fish & <b>Chips")),
        request(QStringLiteral("B"), QStringLiteral("Todo: Caf\u00E9 \"quoted\"\n")),
    };
    ASSERT_TRUE(file.write(requests));
    EXPECT_EQ(file.read(), requests);
    EXPECT_EQ(QFile::permissions(file.path()) & 0x0077, 0);
    ASSERT_TRUE(file.write({}));
    EXPECT_EQ(file.read(), std::vector<NotificationRequest>{});
}

TEST(PendingRequestsFile, MalformedContentGivesNoListAtAll)
{
    const QByteArray good =
        encodePendingRequests({request(QStringLiteral("A"), QStringLiteral("b"))});
    ASSERT_TRUE(decodePendingRequests(good));
    const auto replaced = [&](const char *from, const char *to) {
        QByteArray json = good;
        return json.replace(from, to);
    };
    const QByteArray bad[] = {
        "",
        "{}",
        "[1]",
        good + "x",
        QByteArray(good).insert(1, '\0'),
        replaced("\"minute\":30", "\"minute\":60"),
        replaced("\"month\":3", "\"month\":0"),
        replaced("\"hour\":19", "\"hour\":19.5"),
        replaced("\"day\":5", "\"day\":\"5\""),
        replaced("\"sound\":true", "\"sound\":1"),
        replaced("\"identifier\":\"A\"", "\"identifier\":null"),
        replaced(",\"body\":\"b\"", ""),
        "[" + good.mid(1, good.size() - 2) + ",{}]",
    };
    for (const QByteArray &json : bad)
        EXPECT_FALSE(decodePendingRequests(json)) << json.toStdString();
}

TEST(PendingRequestsFile, ADamagedFileIsSetAsideBeforeItIsReplaced)
{
    QTemporaryDir directory;
    PendingRequestsFile file(directory.filePath(QStringLiteral("pending.json")));
    QFile damaged(file.path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[{\"identifier\":");
    damaged.close();

    EXPECT_FALSE(file.read());
    const QStringList aside =
        QDir(directory.path()).entryList({QStringLiteral("pending.json.unreadable-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile copy(directory.filePath(aside.front()));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("[{\"identifier\":"));

    const std::vector<NotificationRequest> requests = {request(QStringLiteral("A"), QStringLiteral("b"))};
    ASSERT_TRUE(file.write(requests));
    EXPECT_EQ(file.read(), requests);
}
