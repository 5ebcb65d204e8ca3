// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"
#include "PlimsaList.h"

#include <CalDavClient.h>
#include <VTodoMapping.h>

#include <QEventLoop>
#include <QTimer>

#include <map>

#include <gtest/gtest.h>

namespace {

// Runs the event loop until the call answers, at most 30 s.
template <typename T>
ServerResult<T> await(const std::function<void(CalendarServer::Reply<T>)> &call)
{
    std::optional<ServerResult<T>> result;
    QEventLoop loop;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    call([&](ServerResult<T> answer) {
        result = std::move(answer);
        loop.quit();
    });
    if (!result)
        loop.exec();
    return result.value_or(ServerResult<T>{ServerError::badAnswer, {}});
}

// For failures that name the strings, not their bytes.
std::vector<std::string> texts(const QStringList &list)
{
    std::vector<std::string> result;
    for (const QString &text : list)
        result.push_back(text.toStdString());
    return result;
}

std::vector<std::string> hrefsOf(const std::vector<ServerObject> &objects)
{
    std::vector<std::string> hrefs;
    for (const ServerObject &object : objects)
        hrefs.push_back(object.href.toStdString());
    std::ranges::sort(hrefs);
    return hrefs;
}

// Another client's event or journal entry, in the same list as the to-dos.
QByteArray otherComponent(const QByteArray &component, const QByteArray &uid)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Calendar//EN\r\nBEGIN:" + component +
           "\r\nUID:" + uid +
           "\r\nDTSTAMP:20250101T090000Z\r\nDTSTART:20250102T090000Z\r\nSUMMARY:Not a "
           "to-do\r\nEND:" +
           component + "\r\nEND:VCALENDAR\r\n";
}

// A new to-do on the server, with `extra` lines in it; its href.
QString putTodo(CalDavClient &client, const std::string &name, const QByteArray &extra = {})
{
    const TodoItem item(name, 786310200, TodoPriority::medium);
    const QString href = client.hrefForUid(QString::fromStdString(item.id().uuidString()));
    const QByteArray data =
        QByteArray::fromStdString(newVTodo(item, 786300000, LocalCalendar("UTC")))
            .replace("END:VTODO", extra + "END:VTODO");
    EXPECT_TRUE(await<QString>([&](auto r) { client.put(href, data, {}, r); }).ok());
    return href;
}

class CalDavClientTest : public testing::TestWithParam<CalDavTestServer::Kind> {
protected:
    void SetUp() override { ASSERT_TRUE(server.start()) << server.log().toStdString(); }

    std::unique_ptr<CalDavClient> discovered(QString password = {})
    {
        auto client = std::make_unique<CalDavClient>(
            server.url(), server.user(), password.isEmpty() ? server.password() : password);
        const auto found = usePlimsaList(*client);
        EXPECT_TRUE(found.ok()) << int(found.error) << server.log().toStdString();
        return client;
    }

    CalDavTestServer server{GetParam()};
};

TEST_P(CalDavClientTest, ListsTheTaskListsAndMakesOneThatIsListedAfter)
{
    CalDavClient client(server.url(), server.user(), server.password());
    const auto before = await<AccountLists>([&](auto r) { client.discover(r); });
    ASSERT_TRUE(before.ok()) << int(before.error);
    const auto made = await<TaskList>(
        [&](auto r) { client.createTaskList(before.value.home, QStringLiteral("Plimsa"), r); });
    ASSERT_TRUE(made.ok()) << int(made.error);
    EXPECT_TRUE(made.value.url.path().endsWith(u"/plimsa/"))
        << made.value.url.toString().toStdString();
    const auto after = await<AccountLists>([&](auto r) { client.discover(r); });
    ASSERT_EQ(after.value.lists.size(), before.value.lists.size() + 1);
    EXPECT_NE(std::ranges::find(after.value.lists, made.value), after.value.lists.end());
}

TEST_P(CalDavClientTest, WritesOnlyOverTheETagItKnowsAndReportsEachChange)
{
    const auto client = discovered();
    const auto start = await<ServerChanges>([&](auto r) { client->changesSince({}, r); });
    ASSERT_TRUE(start.ok());
    EXPECT_TRUE(start.value.changed.empty());

    const TodoItem item("Buy milk", 786310200, TodoPriority::high);
    const QString href = client->hrefForUid(QString::fromStdString(item.id().uuidString()));
    const QByteArray data =
        QByteArray::fromStdString(newVTodo(item, 786300000, LocalCalendar("UTC")));
    const auto created = await<QString>([&](auto r) { client->put(href, data, {}, r); });
    ASSERT_TRUE(created.ok());
    ASSERT_FALSE(created.value.isEmpty());
    EXPECT_EQ(await<QString>([&](auto r) { client->put(href, data, {}, r); }).error,
              ServerError::preconditionFailed);

    const auto added =
        await<ServerChanges>([&](auto r) { client->changesSince(start.value.syncToken, r); });
    ASSERT_TRUE(added.ok());
    ASSERT_EQ(added.value.changed.size(), 1u);
    EXPECT_EQ(added.value.changed[0].href, href);
    const auto listed = await<std::vector<ServerObject>>([&](auto r) { client->listEtags(r); });
    ASSERT_TRUE(listed.ok());
    ASSERT_EQ(listed.value.size(), 1u);
    EXPECT_EQ(listed.value[0].etag, created.value);
    const auto fetched =
        await<std::vector<ServerObject>>([&](auto r) { client->fetch({href}, r); });
    ASSERT_TRUE(fetched.ok());
    ASSERT_EQ(fetched.value.size(), 1u);
    EXPECT_EQ(
        readVTodo(fetched.value[0].data.toStdString(), LocalCalendar("UTC"), 786300000)->item(),
        item);

    const QString stale = QStringLiteral("\"not-the-etag\"");
    EXPECT_EQ(await<QString>([&](auto r) { client->put(href, data, stale, r); }).error,
              ServerError::preconditionFailed);
    const TodoItem renamed("Buy oat milk", item.time(), item.priority(), item.id());
    const auto changed = await<QString>([&](auto r) {
        client->put(href,
                    QByteArray::fromStdString(newVTodo(renamed, 786300060, LocalCalendar("UTC"))),
                    created.value, r);
    });
    ASSERT_TRUE(changed.ok());
    EXPECT_EQ(await<bool>([&](auto r) { client->remove(href, created.value, r); }).error,
              ServerError::preconditionFailed);
    EXPECT_TRUE(await<bool>([&](auto r) { client->remove(href, changed.value, r); }).ok());

    const auto removed =
        await<ServerChanges>([&](auto r) { client->changesSince(added.value.syncToken, r); });
    ASSERT_TRUE(removed.ok());
    EXPECT_EQ(removed.value.removed, QStringList{href});
    EXPECT_EQ(await<ServerChanges>([&](auto r) {
                  client->changesSince(start.value.syncToken + QStringLiteral("x"), r);
              }).error,
              ServerError::invalidSyncToken);
}

TEST_P(CalDavClientTest, FaultsAreAnsweredNotHung)
{
    auto client = discovered();
    client->setAnswerLimitForTesting(100);
    EXPECT_EQ(await<ServerChanges>([&](auto r) { client->changesSince({}, r); }).error,
              ServerError::badAnswer);
    client->setAnswerLimitForTesting(CalDavClient::defaultAnswerLimit);
    if (server.kind() == CalDavTestServer::Kind::radicale) {
        CalDavClient wrong(server.url(), server.user(), QStringLiteral("wrong"));
        EXPECT_EQ(await<AccountLists>([&](auto r) { wrong.discover(r); }).error,
                  ServerError::unauthorized);
    }
    server.stop();
    EXPECT_EQ(await<ServerChanges>([&](auto r) { client->changesSince({}, r); }).error,
              ServerError::network);
}

TEST_P(CalDavClientTest, OnlyToDosComeBackFromAListThatHoldsEventsToo)
{
    const auto client = discovered();
    const QString todo = putTodo(*client, "Water the plants");
    const QString event = client->hrefForUid(QStringLiteral("event"));
    const QString journal = client->hrefForUid(QStringLiteral("journal"));
    for (const auto &other : {std::pair{event, "VEVENT"}, {journal, "VJOURNAL"}})
        ASSERT_TRUE(await<QString>([&](auto r) {
                        client->put(other.first, otherComponent(other.second, other.first.toUtf8()),
                                    {}, r);
                    }).ok());

    const auto whole = await<ServerChanges>([&](auto r) { client->changesSince({}, r); });
    ASSERT_TRUE(whole.ok()) << int(whole.error);
    EXPECT_EQ(hrefsOf(whole.value.changed), hrefsOf({{todo, {}, {}}}));
    const auto listed = await<std::vector<ServerObject>>([&](auto r) { client->listEtags(r); });
    EXPECT_EQ(hrefsOf(listed.value), hrefsOf({{todo, {}, {}}}));
    // Asked by name, as after a listing that could not tell them apart.
    const auto fetched = await<std::vector<ServerObject>>([&](auto r) {
        client->fetch({event, todo, journal}, r);
    });
    ASSERT_TRUE(fetched.ok());
    EXPECT_EQ(hrefsOf(fetched.value), hrefsOf({{todo, {}, {}}}));
}

TEST_P(CalDavClientTest, AGoneListIsToldFromAGoneToDo)
{
    const auto client = discovered();
    const QString todo = putTodo(*client, "Call Ann");
    const auto etags = await<std::vector<ServerObject>>([&](auto r) { client->listEtags(r); });
    ASSERT_EQ(etags.value.size(), 1u);
    ASSERT_TRUE(await<bool>([&](auto r) { client->remove(todo, etags.value[0].etag, r); }).ok());
    EXPECT_EQ(await<bool>([&](auto r) { client->remove(todo, {}, r); }).error,
              ServerError::notFound);

    // Another device removes the whole list.
    ASSERT_TRUE(await<bool>([&](auto r) {
                    client->remove(client->collection().path(QUrl::FullyEncoded), {}, r);
                }).ok());
    EXPECT_EQ(await<ServerChanges>([&](auto r) { client->changesSince({}, r); }).error,
              ServerError::listGone);
    EXPECT_EQ(await<std::vector<ServerObject>>([&](auto r) { client->listEtags(r); }).error,
              ServerError::listGone);
    EXPECT_EQ(await<std::vector<ServerObject>>([&](auto r) { client->fetch({todo}, r); }).error,
              ServerError::listGone);
}

TEST_P(CalDavClientTest, AFetchByWholeListQueriesBringsEachToDoOnceAsAFetchByHrefDoes)
{
    const auto client = discovered();
    // Due two a day, with two to-dos of no date, which every time range
    // matches, and an event, which none does; each to-do long enough that
    // an answer comes in parts and is cut in one.
    const QByteArray note = "X-NOTE:" + QByteArray(3000, 'x') + "\r\n";
    QStringList asked;
    for (int i = 0; i < 40; ++i) {
        const TodoItem item("Errand " + std::to_string(i), 786310200 + 86400.0 * (i / 2),
                            TodoPriority::medium);
        asked += client->hrefForUid(QString::fromStdString(item.id().uuidString()));
        const QByteArray data =
            QByteArray::fromStdString(newVTodo(item, 786300000, LocalCalendar("UTC")))
                .replace("END:VTODO", note + "END:VTODO");
        ASSERT_TRUE(await<QString>([&](auto r) { client->put(asked.back(), data, {}, r); }).ok());
    }
    for (const char *uid : {"undated-1", "undated-2"}) {
        asked += client->hrefForUid(QString::fromLatin1(uid));
        const QByteArray data = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
                                "BEGIN:VTODO\r\nUID:" +
                                QByteArray(uid) +
                                "\r\nDTSTAMP:20250101T090000Z\r\nSUMMARY:Some day\r\n" +
                                note + "END:VTODO\r\nEND:VCALENDAR\r\n";
        ASSERT_TRUE(await<QString>([&](auto r) { client->put(asked.back(), data, {}, r); }).ok());
    }
    asked += client->hrefForUid(QStringLiteral("event"));
    ASSERT_TRUE(await<QString>([&](auto r) {
                    client->put(asked.back(), otherComponent("VEVENT", "event"), {}, r);
                }).ok());
    const auto byHref = await<std::vector<ServerObject>>([&](auto r) { client->fetch(asked, r); });
    ASSERT_TRUE(byHref.ok());
    ASSERT_EQ(byHref.value.size(), 42u);

    client->setWholeListFetchForTesting(true);
    // Room for about a dozen to-dos an answer: the whole list is cut off,
    // and so may be some of the time ranges planned from what came.
    client->setAnswerLimitForTesting(40000);
    const auto byQueries =
        await<std::vector<ServerObject>>([&](auto r) { client->fetch(asked, r); });
    ASSERT_TRUE(byQueries.ok()) << int(byQueries.error);
    const auto byHrefOf = [](const std::vector<ServerObject> &objects) {
        std::map<QString, std::pair<QString, QByteArray>> found;
        for (const ServerObject &object : objects)
            EXPECT_TRUE(found.emplace(object.href, std::pair{object.etag, object.data}).second)
                << object.href.toStdString();
        return found;
    };
    EXPECT_EQ(byHrefOf(byQueries.value), byHrefOf(byHref.value));
}

INSTANTIATE_TEST_SUITE_P(Servers, CalDavClientTest,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });

TEST(CalDavClient, OffersOnlyListsItMayWriteAndSaysWhyAWriteIsRefused)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    server.addReadOnlyList(QStringLiteral("Shared"));
    ASSERT_TRUE(server.start()) << server.log().toStdString();
    CalDavClient client(server.url(), server.user(), server.password());
    ASSERT_TRUE(usePlimsaList(client).ok());
    const auto found = await<AccountLists>([&](auto r) { client.discover(r); });
    ASSERT_TRUE(found.ok());
    QStringList names;
    for (const TaskList &list : found.value.lists)
        names += list.name;
    EXPECT_EQ(texts(names), texts({QStringLiteral("Plimsa")}));

    struct Case {
        const char *what;
        QString href;
        QByteArray data;
        QString message;
    } cases[] = {
        {"into the read-only list", QStringLiteral("/ann/shared/a.ics"),
         QByteArray::fromStdString(
             newVTodo(TodoItem("A", 0, TodoPriority::low), 0, LocalCalendar("UTC"))),
         QStringLiteral("Access to the requested resource forbidden.")},
        {"what is no calendar", client.hrefForUid(QStringLiteral("b")), "garbage",
         QStringLiteral("Bad Request")},
    };
    for (const Case &c : cases) {
        const auto put = await<QString>([&](auto r) { client.put(c.href, c.data, {}, r); });
        EXPECT_EQ(put.error, ServerError::refused) << c.what;
        EXPECT_EQ(put.message.toStdString(), c.message.toStdString()) << c.what;
    }
}

TEST(CalDavClient, FetchesAListLargerThanOneRequestTakes)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    ASSERT_TRUE(server.start()) << server.log().toStdString();
    CalDavClient client(server.url(), server.user(), server.password());
    ASSERT_TRUE(usePlimsaList(client).ok());
    QStringList hrefs;
    for (int i = 0; i < CalDavClient::hrefsPerFetch + 1; ++i)
        hrefs += putTodo(client, "To-do " + std::to_string(i));
    int sent = client.requestCountForTesting();
    const auto all = await<std::vector<ServerObject>>([&](auto r) { client.fetch(hrefs, r); });
    ASSERT_TRUE(all.ok()) << int(all.error);
    EXPECT_EQ(all.value.size(), std::size_t(hrefs.size()));
    EXPECT_EQ(client.requestCountForTesting() - sent, 2);

    // Three to-dos of 10 kB each, with room in an answer for one: the three
    // together are too much, then each comes alone.
    QStringList large;
    for (int i = 0; i < 3; ++i)
        large += putTodo(client, "Large", "X-NOTE:" + QByteArray(10000, 'x') + "\r\n");
    client.setAnswerLimitForTesting(15000);
    sent = client.requestCountForTesting();
    const auto each = await<std::vector<ServerObject>>([&](auto r) { client.fetch(large, r); });
    ASSERT_TRUE(each.ok()) << int(each.error);
    EXPECT_EQ(hrefsOf(each.value),
              hrefsOf({{large[0], {}, {}}, {large[1], {}, {}}, {large[2], {}, {}}}));
    EXPECT_EQ(client.requestCountForTesting() - sent, 4);
}

TEST(CalDavClient, NeverTrustsACertificateQtDoesNot)
{
    CalDavTestServer server(CalDavTestServer::Kind::radicale);
    server.useUntrustedCertificate();
    ASSERT_TRUE(server.start()) << server.log().toStdString();
    CalDavClient client(server.url(), server.user(), server.password());
    EXPECT_EQ(await<AccountLists>([&](auto r) { client.discover(r); }).error, ServerError::network);
}

TEST(CalDavClient, TalksPlainHttpOnlyToLoopback)
{
    struct Case {
        const char *url;
        bool allowed;
    } cases[] = {{"https://dav.example.org/", true},
                 {"http://127.0.0.1:5232/", true},
                 {"http://[::1]/", true},
                 {"http://localhost/", true},
                 {"http://dav.example.org/", false},
                 {"http://10.0.0.1/", false},
                 {"ftp://127.0.0.1/", false},
                 {"not a url", false}};
    for (const Case &c : cases)
        EXPECT_EQ(CalDavClient::isAllowed(QUrl(QString::fromLatin1(c.url))), c.allowed) << c.url;
    CalDavClient insecure(QUrl(QStringLiteral("http://dav.example.org/")), {}, {});
    EXPECT_EQ(await<AccountLists>([&](auto r) { insecure.discover(r); }).error,
              ServerError::network);
}

} // namespace
