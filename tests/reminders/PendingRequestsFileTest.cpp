// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <PendingRequestsFile.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

// 2026-03-05 19:30:00.1 UTC: any double comes back bit for bit.
constexpr double evening = 794431800.1;

NotificationRequest request(const QString &identifier, const QString &body)
{
    return {identifier, {QStringLiteral("Reminder"), body, true}, {evening, false}};
}

const QByteArray olderForm = R"([{"identifier":"A","title":"Reminder","body":"b","sound":true,)"
                             R"("year":2026,"month":3,"day":5,"hour":19,"minute":30}])";

} // namespace

TEST(PendingRequestsFile, RoundTripsThroughAPrivateFile)
{
    QTemporaryDir directory;
    PendingRequestsFile file(directory.filePath(QStringLiteral("data/plimsa/pending.json")));
    EXPECT_FALSE(file.read(LocalCalendar("UTC"))) << "no file yet";

    const std::vector<NotificationRequest> requests = {
        request(QStringLiteral("A"), QStringLiteral("Todo: Fish & <b>Chips")),
        request(QStringLiteral("B"), QStringLiteral("Todo: Caf\u00E9 \"quoted\"\n")),
    };
    const LocalCalendar utc("UTC");
    ASSERT_TRUE(file.write(requests));
    EXPECT_EQ(file.read(utc), requests);
    EXPECT_EQ(QFile::permissions(file.path()) & 0x0077, 0);
    ASSERT_TRUE(file.write({}));
    EXPECT_EQ(file.read(utc), std::vector<NotificationRequest>{});
}

TEST(PendingRequestsFile, EntriesOfTheOlderFormArePlacedInTheZoneTheyAreReadIn)
{
    const struct {
        const char *zone;
        double time;
    } cases[] = {{"UTC", 794431800}, {"Europe/Berlin", 794431800 - 3600}};
    for (const auto &c : cases) {
        bool older = false;
        const auto requests = decodePendingRequests(olderForm, LocalCalendar(c.zone), &older);
        ASSERT_TRUE(requests) << c.zone;
        ASSERT_EQ(requests->size(), 1u);
        EXPECT_EQ(requests->front().trigger.time, c.time) << c.zone;
        EXPECT_TRUE(older);
        decodePendingRequests(encodePendingRequests(*requests), LocalCalendar(c.zone), &older);
        EXPECT_FALSE(older) << "written as instants";
    }
}

TEST(PendingRequestsFile, MalformedContentGivesNoListAtAll)
{
    const QByteArray good =
        encodePendingRequests({request(QStringLiteral("A"), QStringLiteral("b"))});
    const LocalCalendar utc("UTC");
    ASSERT_TRUE(decodePendingRequests(good, utc));
    ASSERT_TRUE(decodePendingRequests(olderForm, utc));
    const auto replaced = [&](const char *from, const char *to) {
        QByteArray json = good.contains(from) ? good : olderForm;
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
        replaced("\"time\":794431800.1", "\"time\":\"794431800.1\""),
        replaced("\"time\":794431800.1", "\"time\":null"),
        replaced("\"time\":794431800.1", "\"time\":1e300"),
        replaced("\"sound\":true", "\"sound\":1"),
        replaced("\"identifier\":\"A\"", "\"identifier\":null"),
        replaced(",\"body\":\"b\"", ""),
        "[" + good.mid(1, good.size() - 2) + ",{}]",
    };
    for (const QByteArray &json : bad)
        EXPECT_FALSE(decodePendingRequests(json, utc)) << json.toStdString();
}

TEST(PendingRequestsFile, ADamagedFileIsSetAsideBeforeItIsReplaced)
{
    QTemporaryDir directory;
    PendingRequestsFile file(directory.filePath(QStringLiteral("pending.json")));
    QFile damaged(file.path());
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("[{\"identifier\":");
    damaged.close();

    EXPECT_FALSE(file.read(LocalCalendar("UTC")));
    const QStringList aside =
        QDir(directory.path()).entryList({QStringLiteral("pending.json.unreadable-*")});
    ASSERT_EQ(aside.size(), 1);
    QFile copy(directory.filePath(aside.front()));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), QByteArray("[{\"identifier\":"));

    const std::vector<NotificationRequest> requests = {request(QStringLiteral("A"), QStringLiteral("b"))};
    ASSERT_TRUE(file.write(requests));
    EXPECT_EQ(file.read(LocalCalendar("UTC")), requests);
}
