// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <Multistatus.h>

#include <gtest/gtest.h>

namespace {

QByteArray multistatus(const QByteArray &inside)
{
    return R"(<?xml version="1.0"?><D:multistatus xmlns:D="DAV:" )"
           R"(xmlns:C="urn:ietf:params:xml:ns:caldav">)" +
           inside + "</D:multistatus>";
}

TEST(Multistatus, RefusesWhatIsNotAPlainMultistatus)
{
    const QByteArray refused[] = {
        "",
        "<D:propfind xmlns:D=\"DAV:\"/>",
        "<multistatus/>", // not in the DAV: namespace
        multistatus("<D:response>"),
        multistatus("") + "<extra/>",
        R"(<?xml version="1.0"?><!DOCTYPE m [<!ENTITY a "aaaaaaaaaa">]>)"
        R"(<D:multistatus xmlns:D="DAV:"><D:response><D:href>&a;</D:href></D:response>)"
        R"(</D:multistatus>)",
    };
    for (const QByteArray &xml : refused)
        EXPECT_FALSE(readMultistatus(xml)) << xml.toStdString();
}

TEST(Multistatus, ReadsOnlyPropertiesThatWereFound)
{
    const auto read = readMultistatus(multistatus(
        "<D:response><D:href>/a/plimsa/</D:href>"
        "<D:propstat><D:status>HTTP/1.1 200 OK</D:status><D:prop><D:displayname> Plimsa "
        "</D:displayname><D:resourcetype><D:collection/><C:calendar/></D:resourcetype>"
        "<D:unknown><D:getetag>inner</D:getetag></D:unknown></D:prop></D:propstat>"
        "<D:propstat><D:prop><D:getetag>\"missing\"</D:getetag><C:supported-calendar-component-set>"
        "<C:comp name=\"VEVENT\"/></C:supported-calendar-component-set>"
        "<D:current-user-privilege-set/></D:prop>"
        "<D:status>HTTP/1.1 404 Not Found</D:status></D:propstat></D:response>"
        "<D:response><D:href>/a/plimsa/gone.ics</D:href><D:status>HTTP/1.1 404 Not Found"
        "</D:status></D:response>"
        "<D:response><D:href>/a/shared/</D:href><D:propstat><D:status>HTTP/1.1 200 OK</D:status>"
        "<D:prop><D:current-user-privilege-set><D:privilege><D:read/></D:privilege>"
        "<D:privilege><C:read-free-busy/><D:write-content/></D:privilege>"
        "</D:current-user-privilege-set><D:getcontenttype>text/calendar; component=vtodo"
        "</D:getcontenttype></D:prop></D:propstat></D:response>"
        "<D:sync-token>token-2</D:sync-token>"));
    ASSERT_TRUE(read);
    ASSERT_EQ(read->responses.size(), 3u);
    const DavResponse &list = read->responses[0];
    EXPECT_EQ(list.href, "/a/plimsa/");
    EXPECT_EQ(list.displayName, "Plimsa");
    EXPECT_TRUE(list.isCalendar);
    EXPECT_TRUE(list.etag.isEmpty());
    EXPECT_TRUE(list.components.isEmpty());
    EXPECT_FALSE(list.privileges);
    EXPECT_EQ(read->responses[1].status, 404);
    const DavResponse &shared = read->responses[2];
    EXPECT_EQ(shared.privileges, (QStringList{"read", "write-content"}));
    EXPECT_EQ(shared.contentType, "text/calendar; component=vtodo");
    EXPECT_EQ(read->syncToken, "token-2");
}

TEST(Multistatus, AnAnswerCutAtTheLimitGivesTheResponsesThatCameWhole)
{
    const QByteArray first = "<D:response><D:href>/l/a.ics</D:href><D:propstat><D:prop>"
                             "<C:calendar-data>BEGIN:VCALENDAR</C:calendar-data></D:prop>"
                             "<D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
    const QByteArray second = "<D:response><D:href>/l/b.ics</D:href><D:propstat><D:prop>"
                              "<C:calendar-data>BEGIN:VCALENDAR</C:calendar-data></D:prop>"
                              "<D:status>HTTP/1.1 200 OK</D:status></D:propstat></D:response>";
    const QByteArray whole = multistatus(first + second);
    const qsizetype secondAt = whole.indexOf(second);
    const struct {
        const char *what;
        QByteArray answer;
        std::vector<QString> hrefs;
        bool cut;
    } cases[] = {
        {"whole", whole, {"/l/a.ics", "/l/b.ics"}, false},
        {"cut in the second's data",
         whole.left(whole.indexOf("BEGIN", secondAt) + 3),
         {"/l/a.ics"},
         true},
        {"cut right after the first", whole.left(secondAt), {"/l/a.ics"}, true},
        {"cut in the first", whole.left(secondAt - 3), {}, true},
        {"broken, not cut", whole.left(secondAt) + "</D:href>" + second, {}, false},
        {"with a DTD",
         whole.left(secondAt).replace("?>", R"(?><!DOCTYPE m [<!ENTITY a "a">]>)"),
         {},
         false},
    };
    for (const auto &c : cases) {
        const CutMultistatus read = readCutMultistatus(c.answer);
        std::vector<QString> hrefs;
        for (const DavResponse &response : read.responses) {
            hrefs.push_back(response.href);
            EXPECT_EQ(response.calendarData, "BEGIN:VCALENDAR") << c.what;
        }
        EXPECT_EQ(hrefs, c.hrefs) << c.what;
        EXPECT_EQ(read.cut, c.cut) << c.what;
    }
}

} // namespace
