// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"

#include <CalDavClient.h>
#include <Instant.h>
#include <VTodoMapping.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>
#include <memory>

namespace {

const LocalCalendar berlin("Europe/Berlin");
constexpr double march1 = 794016000;     // 2026-03-01 00:00 UTC
constexpr double march9At10 = 794743200; // 2026-03-09 10:00 UTC

std::string otherClients(std::string_view uid, std::string_view lines)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:" +
           std::string(uid) + "\r\nDTSTAMP:20260301T120000Z\r\nSUMMARY:Renew passport\r\n" +
           std::string(lines) + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

TodoItem doneAt(TodoItem item, std::optional<double> at)
{
    TodoExtras extras = item.extras();
    extras.completed = at;
    return item.withExtras(extras);
}

// A new to-do of Plimsa's, done, under another client's spelling of its UID.
TodoItem doneWithEverything()
{
    const TodoItem item("Water the plants", 794822400, TodoPriority::high);
    TodoExtras extras;
    extras.uid = item.id().uuidString();
    std::transform(extras.uid.begin(), extras.uid.end(), extras.uid.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    extras.completed = march9At10;
    extras.rrule = "FREQ=WEEKLY;COUNT=4";
    extras.alarm = -1800;
    return item.withExtras(extras);
}

TodoItem wholeDay()
{
    TodoExtras extras;
    extras.wholeDay = true;
    return TodoItem("Pay rent", 794703600, TodoPriority::medium).withExtras(extras);
}

struct RoundTripCase {
    const char *what;
    // Another client's VTODO on the server first; empty: Plimsa writes anew.
    std::string theirs;
    // What Plimsa writes: from what it read of theirs, or anew.
    std::function<TodoItem(const std::optional<TodoItem> &)> here;
};

const RoundTripCase cases[] = {
    {"new: done, a kept UID, an alarm, a repeat rule", "",
     [](const auto &) { return doneWithEverything(); }},
    {"new: due on a day", "", [](const auto &) { return wholeDay(); }},
    {"DTSTART = DUE with an alarm at a time, moved earlier and ticked off",
     otherClients("apple-style@example.org",
                  "DTSTART:20260310T090000Z\r\nDUE:20260310T090000Z\r\nSTATUS:NEEDS-ACTION\r\n"
                  "BEGIN:VALARM\r\nACTION:DISPLAY\r\nDESCRIPTION:Reminder\r\n"
                  "TRIGGER;VALUE=DATE-TIME:20260310T080000Z\r\nEND:VALARM\r\n"),
     [](const auto &read) {
         return doneAt(read->with(read->name(), read->time() - 2 * 86400, read->priority()),
                       march9At10);
     }},
    {"a done whole-day to-do with a DTSTART date, given a time and reopened",
     otherClients("whole-day@example.org",
                  "DTSTART;VALUE=DATE:20260308\r\nDUE;VALUE=DATE:20260310\r\n"
                  "STATUS:COMPLETED\r\nCOMPLETED:20260309T100000Z\r\nPERCENT-COMPLETE:100\r\n"),
     [](const auto &read) {
         TodoExtras extras = read->extras();
         extras.wholeDay = false;
         extras.completed.reset();
         return read->with(read->name(), 794847600, read->priority()).withExtras(extras);
     }},
};

class VTodoServerRoundTrip : public testing::TestWithParam<CalDavTestServer::Kind> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.log().toStdString();
        client = std::make_unique<CalDavClient>(server.url(), server.user(), server.password());
        ASSERT_TRUE(usePlimsaList(*client).ok()) << server.log().toStdString();
    }

    std::optional<ServerObject> fetched(const QString &href)
    {
        const auto answer = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
            [&](auto r) { client->fetch({href}, r); });
        if (!answer.ok() || answer.value.size() != 1)
            return std::nullopt;
        return answer.value.front();
    }

    ServerResult<QString> put(const QString &href, const std::string &text, const QString &etag)
    {
        return awaitAnswer<ServerResult<QString>>(
            [&](auto r) { client->put(href, QByteArray::fromStdString(text), etag, r); });
    }

    // The to-dos of the list as Debian's python3-caldav reads them, by UID.
    std::map<QString, QJsonObject> othersView()
    {
        QProcess process;
        process.start(QStringLiteral("/usr/bin/python3"),
                      {QStringLiteral(PLIMSA_OTHER_CALDAV_CLIENT), server.url().toString(),
                       server.user(), server.password(), client->collection().toString(),
                       QStringLiteral("dump")});
        EXPECT_TRUE(process.waitForFinished(60000));
        EXPECT_EQ(process.exitCode(), 0) << process.readAllStandardError().toStdString();
        std::map<QString, QJsonObject> byUid;
        for (const QJsonValue &value :
             QJsonDocument::fromJson(process.readAllStandardOutput()).array())
            byUid[value[QLatin1String("uid")].toString()] = value.toObject();
        return byUid;
    }

    CalDavTestServer server{GetParam()};
    std::unique_ptr<CalDavClient> client;
};

TEST_P(VTodoServerRoundTrip, WhatPlimsaWritesIsTakenAndReadsBackTheSame)
{
    std::vector<TodoItem> done;
    for (const RoundTripCase &c : cases) {
        std::optional<TodoItem> read;
        std::string text;
        QString etag;
        QString href;
        if (!c.theirs.empty()) {
            const auto todo = readVTodo(c.theirs, berlin, march1);
            ASSERT_TRUE(todo) << c.what;
            href = client->hrefForUid(QString::fromStdString(todo->uid));
            ASSERT_TRUE(put(href, c.theirs, {}).ok()) << c.what;
            const auto theirs = fetched(href);
            ASSERT_TRUE(theirs) << c.what;
            read = readVTodo(theirs->data.toStdString(), berlin, march1)->item();
            etag = theirs->etag;
            text = updatedVTodo(theirs->data.toStdString(), c.here(read), march1, berlin)
                       .value_or(std::string());
        }
        const TodoItem expected = c.here(read);
        if (c.theirs.empty()) {
            href = client->hrefForUid(QString::fromStdString(expected.uid()));
            text = newVTodo(expected, march1, berlin);
        }
        ASSERT_FALSE(text.empty()) << c.what;
        const auto written = put(href, text, etag);
        ASSERT_TRUE(written.ok()) << c.what << ": " << int(written.error) << "\n"
                                  << text << server.log().toStdString();
        const auto stored = fetched(href);
        ASSERT_TRUE(stored) << c.what;
        const auto back = readVTodo(stored->data.toStdString(), berlin, march1);
        ASSERT_TRUE(back) << c.what;
        EXPECT_EQ(back->item(), expected) << c.what << "\n" << stored->data.toStdString();
        if (expected.isCompleted())
            done.push_back(expected);
    }

    const auto seen = othersView();
    ASSERT_FALSE(done.empty());
    for (const TodoItem &item : done) {
        const auto found = seen.find(QString::fromStdString(item.uid()));
        ASSERT_NE(found, seen.end()) << item.name();
        const QJsonObject &todo = found->second;
        EXPECT_EQ(todo[QLatin1String("status")].toString(), QStringLiteral("COMPLETED"));
        EXPECT_EQ(todo[QLatin1String("percent")].toInt(), 100);
        EXPECT_EQ(todo[QLatin1String("completed")].toDouble() - referenceDateUnixSeconds,
                  *item.completed());
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, VTodoServerRoundTrip,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });

} // namespace
