// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The client against a fake server, for what Radicale and xandikos do not do:
// refusals in SabreDAV's words, truncated listings, an account spread over
// several hosts.

#include "AwaitAnswer.h"
#include "FakeDavServer.h"
#include "TestCertificates.h"

#include <CalDavClient.h>
#include <ServerMessage.h>

#include <QSslConfiguration>

#include <gtest/gtest.h>

// For failures that name the strings, not their bytes.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

template <typename T>
ServerResult<T> await(const std::function<void(CalendarServer::Reply<T>)> &call)
{
    return awaitAnswer<ServerResult<T>>(call);
}

QByteArray multistatus(const QByteArray &inside)
{
    return R"(<?xml version="1.0"?><d:multistatus xmlns:d="DAV:" )"
           R"(xmlns:c="urn:ietf:params:xml:ns:caldav">)" +
           inside + "</d:multistatus>";
}

FakeDavServer::Response xmlAnswer(int status, const QByteArray &body)
{
    return {status, body, {{"Content-Type", "application/xml; charset=utf-8"}}};
}

TEST(CalDavClientFaults, RefusalsAreToldApartAndSayTheServersWords)
{
    enum class Call { put, remove, changes, changesWithToken, etags, fetch };
    const QByteArray sabre =
        R"(<?xml version="1.0" encoding="utf-8"?><d:error xmlns:d="DAV:" )"
        R"(xmlns:s="http://sabredav.org/ns"><s:exception>Sabre\DAV\Exception\UnsupportedMediaType)"
        R"(</s:exception><s:message>This collection can only hold
            calendar objects</s:message></d:error>)";
    const QByteArray condition =
        R"(<D:error xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
        R"(<C:valid-calendar-data/></D:error>)";
    const QByteArray entity = R"(<?xml version="1.0"?><!DOCTYPE e [<!ENTITY a "secret">]>)"
                              R"(<d:error xmlns:d="DAV:"><d:message>&a;</d:message></d:error>)";
    const QByteArray html = "<html><body><h1>Too large</h1></body></html>";
    const QString longText = QString(2000, u'x');
    struct Case {
        const char *what;
        Call call;
        int status;
        QByteArray contentType;
        QByteArray body;
        ServerError error;
        QString message;
    } cases[] = {
        {"401", Call::put, 401, "text/plain", "Sign in", ServerError::unauthorized, {}},
        {"403 on a read-only list", Call::put, 403, "text/plain; charset=utf-8",
         "  Read-only\tcalendar \n", ServerError::refused, QStringLiteral("Read-only calendar")},
        {"415 as SabreDAV says it", Call::put, 415, "application/xml; charset=utf-8", sabre,
         ServerError::refused, QStringLiteral("This collection can only hold calendar objects")},
        {"400 with a precondition", Call::put, 400, "text/xml", condition, ServerError::refused,
         QStringLiteral("valid-calendar-data")},
        {"413 in HTML", Call::put, 413, "text/html", html, ServerError::refused, {}},
        {"409 with an entity",
         Call::remove,
         409,
         "application/xml",
         entity,
         ServerError::refused,
         {}},
        {"a long refusal", Call::put, 422, "text/plain", longText.toUtf8(), ServerError::refused,
         longText.left(serverMessageLimit - 1) + QChar(0x2026)},
        {"412", Call::put, 412, {}, {}, ServerError::preconditionFailed, {}},
        {"404 on a to-do", Call::put, 404, {}, {}, ServerError::notFound, {}},
        {"410 on a to-do", Call::remove, 410, {}, {}, ServerError::notFound, {}},
        {"404 on the list's changes", Call::changes, 404, {}, {}, ServerError::listGone, {}},
        {"410 on the list's ETags", Call::etags, 410, {}, {}, ServerError::listGone, {}},
        {"404 on a fetch", Call::fetch, 404, {}, {}, ServerError::listGone, {}},
        {"403 on the list's changes", Call::changes, 403, "text/plain", "No", ServerError::refused,
         QStringLiteral("No")},
        {"a stale token",
         Call::changesWithToken,
         403,
         "application/xml",
         R"(<d:error xmlns:d="DAV:"><d:valid-sync-token/></d:error>)",
         ServerError::invalidSyncToken,
         {}},
        {"500", Call::put, 500, "text/plain", "Oops", ServerError::server, {}},
        {"503", Call::etags, 503, {}, {}, ServerError::server, {}},
    };
    FakeDavServer server;
    ASSERT_TRUE(server.listen());
    CalDavClient client(server.url(), QStringLiteral("ann"), QStringLiteral("secret"));
    client.setCollection(server.url().resolved(QUrl(QStringLiteral("/cal/"))));
    for (const Case &c : cases) {
        server.answer = [&c](const FakeDavServer::Request &) {
            return FakeDavServer::Response{c.status, c.body, {{"Content-Type", c.contentType}}};
        };
        ServerError error = ServerError::none;
        QString message;
        auto take = [&](const auto &result) {
            error = result.error;
            message = result.message;
        };
        const QString href = QStringLiteral("/cal/a.ics");
        switch (c.call) {
        case Call::put:
            take(await<QString>([&](auto r) { client.put(href, "BEGIN:VCALENDAR", {}, r); }));
            break;
        case Call::remove:
            take(await<bool>([&](auto r) { client.remove(href, QStringLiteral("\"1\""), r); }));
            break;
        case Call::changes:
            take(await<ServerChanges>([&](auto r) { client.changesSince({}, r); }));
            break;
        case Call::changesWithToken:
            take(
                await<ServerChanges>([&](auto r) { client.changesSince(QStringLiteral("t"), r); }));
            break;
        case Call::etags:
            take(await<std::vector<ServerObject>>([&](auto r) { client.listEtags(r); }));
            break;
        case Call::fetch:
            take(await<std::vector<ServerObject>>([&](auto r) { client.fetch({href}, r); }));
            break;
        }
        EXPECT_EQ(error, c.error) << c.what;
        EXPECT_EQ(message, c.message) << c.what;
    }
}

// A page of a sync-collection answer.
struct Page {
    QByteArray members;
    QByteArray nextToken;
    bool truncated;
};

QByteArray member(const QByteArray &name, const QByteArray &etag)
{
    if (etag.isEmpty())
        return "<d:response><d:href>/cal/" + name +
               "</d:href><d:status>HTTP/1.1 404 Not Found</d:status></d:response>";
    return "<d:response><d:href>/cal/" + name + "</d:href><d:propstat><d:prop><d:getetag>" + etag +
           "</d:getetag><d:getcontenttype>text/calendar; component=vtodo</d:getcontenttype>"
           "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
}

bool asksForToken(const FakeDavServer::Request &request)
{
    return request.method == "PROPFIND" && request.body.contains("sync-token");
}

FakeDavServer::Response tokenProperty(const QByteArray &token)
{
    const QByteArray status = token.isEmpty() ? "404 Not Found" : "200 OK";
    return xmlAnswer(207, multistatus("<d:response><d:href>/cal/</d:href><d:propstat><d:prop>"
                                      "<d:sync-token>" +
                                      token + "</d:sync-token></d:prop><d:status>HTTP/1.1 " +
                                      status + "</d:status></d:propstat></d:response>"));
}

const QByteArray cut = "<d:response><d:href>/cal/</d:href>"
                       "<d:status>HTTP/1.1 507 Insufficient Storage</d:status></d:response>";

// A whole list that no one answer holds is listed to its end, never taken as
// what came of it.
TEST(CalDavClientFaults, ATruncatedListingIsContinuedToItsEnd)
{
    auto pageFor = [&](const Page &page) {
        return xmlAnswer(207, multistatus((page.truncated ? cut : QByteArray()) + page.members +
                                          "<d:sync-token>" + page.nextToken + "</d:sync-token>"));
    };
    const std::map<QByteArray, Page> pages = {
        {"", {member("a.ics", "1") + member("b.ics", "1"), "t1", true}},
        {"t1", {member("c.ics", "1") + member("a.ics", "2"), "t2", true}},
        {"t2", {member("b.ics", {}) + member("d.ics", {}), "t3", false}},
    };
    FakeDavServer server;
    ASSERT_TRUE(server.listen());
    CalDavClient client(server.url(), {}, {});
    client.setCollection(server.url().resolved(QUrl(QStringLiteral("/cal/"))));
    // Without the token property, and with it but a query for the to-dos'
    // ETags cut short: either way the list is listed the usual way.
    for (const QByteArray &listToken : {QByteArray(), QByteArray("q1")}) {
        server.answer = [&](const FakeDavServer::Request &request) {
            if (asksForToken(request))
                return tokenProperty(listToken);
            if (request.body.contains("calendar-query"))
                return xmlAnswer(207, multistatus(cut + member("a.ics", "1")));
            const qsizetype start = request.body.indexOf("<D:sync-token>") + 14;
            const QByteArray token =
                request.body.mid(start, request.body.indexOf('<', start) - start);
            return pageFor(pages.at(token));
        };
        const auto listed = await<ServerChanges>([&](auto r) { client.changesSince({}, r); });
        ASSERT_TRUE(listed.ok()) << int(listed.error);
        EXPECT_EQ(listed.value.syncToken, "t3");
        std::vector<std::pair<QString, QString>> changed;
        for (const ServerObject &object : listed.value.changed)
            changed.emplace_back(object.href, object.etag);
        EXPECT_EQ(changed, (std::vector<std::pair<QString, QString>>{{"/cal/a.ics", "2"},
                                                                     {"/cal/c.ics", "1"}}));
        EXPECT_EQ(listed.value.removed, (QStringList{"/cal/b.ics", "/cal/d.ics"}));
    }
    // Listed by ETag alone (a token the server no longer knows), a cut answer
    // is no listing at all.
    EXPECT_EQ(await<std::vector<ServerObject>>([&](auto r) { client.listEtags(r); }).error,
              ServerError::badAnswer);
    // Nor is it where it tells to-dos from events of a listing that does not.
    server.answer = [&](const FakeDavServer::Request &request) {
        if (asksForToken(request))
            return tokenProperty({});
        if (request.body.contains("calendar-query"))
            return xmlAnswer(207, multistatus(cut + member("a.ics", "1")));
        QByteArray untyped = member("b.ics", "1");
        untyped.replace("<d:getcontenttype>text/calendar; component=vtodo</d:getcontenttype>", "");
        return pageFor(Page{member("a.ics", "1") + untyped, "t1", false});
    };
    EXPECT_EQ(await<ServerChanges>([&](auto r) { client.changesSince({}, r); }).error,
              ServerError::badAnswer);

    // One that never ends, with a new token or the same one each time.
    for (const bool sameToken : {false, true}) {
        server.requests.clear();
        int round = 0;
        server.answer = [&](const FakeDavServer::Request &) {
            const QByteArray token = sameToken ? "t" : "t" + QByteArray::number(++round);
            return pageFor(Page{member("a.ics", "1"), token, true});
        };
        EXPECT_EQ(await<ServerChanges>([&](auto r) {
                      client.changesSince(QStringLiteral("t"), r);
                  }).error,
                  ServerError::badAnswer);
        EXPECT_EQ(server.requests.size(),
                  sameToken ? 1u : std::size_t(CalDavClient::listingRounds));
    }
}

// A server slow to begin an answer (Radicale takes minutes over a first
// listing of 100,000 to-dos) is waited for as long as it answers whether it is
// there; one that answers nothing is given up on, and asked again at once,
// waited for longer, in case it serves a request at a time.
TEST(CalDavClientFaults, ASlowServerIsWaitedForAndAHungOneGivenUp)
{
    struct Case {
        const char *name;
        int listingDelayMs;
        int bodyDelayMs;
        int questionDelayMs;
        ServerError error;
        std::size_t listings;
        int timeoutAfter;
    };
    const Case cases[] = {
        {"slow, and there", 900, 0, 0, ServerError::none, 1, 200},
        {"slow to answer both, but its answer under way", 300, 300, 5000, ServerError::none, 1,
         200},
        {"hung", 5000, 0, 5000, ServerError::network, 2, 800},
        {"there, but this answer lost", 60000, 0, 0, ServerError::network, 2, 800},
    };
    for (const Case &test : cases) {
        SCOPED_TRACE(test.name);
        FakeDavServer server;
        ASSERT_TRUE(server.listen());
        CalDavClient client(server.url(), {}, {});
        client.setCollection(server.url().resolved(QUrl(QStringLiteral("/cal/"))));
        client.setTransferTimeoutForTesting(200);
        client.setLongestWaitForTesting(1200);
        server.answer = [&](const FakeDavServer::Request &request) {
            if (asksForToken(request))
                return tokenProperty({});
            FakeDavServer::Response answer = xmlAnswer(
                207, multistatus(member("a.ics", "1") + "<d:sync-token>t1</d:sync-token>"));
            answer.delayMs =
                request.method == "REPORT" ? test.listingDelayMs : test.questionDelayMs;
            if (request.method == "REPORT")
                answer.bodyDelayMs = test.bodyDelayMs;
            return answer;
        };
        const auto listed = await<ServerChanges>([&](auto r) { client.changesSince({}, r); });
        const auto count = [&](const QByteArray &method) {
            return std::count_if(
                server.requests.begin(), server.requests.end(),
                [&](const FakeDavServer::Request &r) { return r.method == method; });
        };
        EXPECT_EQ(listed.error, test.error);
        EXPECT_EQ(std::size_t(count("REPORT")), test.listings);
        EXPECT_GE(count("PROPFIND"), 3);
        EXPECT_EQ(client.transferTimeoutMs(), test.timeoutAfter);
    }
}

// Servers for one account spread over hosts, as iCloud's: the address typed
// redirects to another host, whose principal names a home on a third.
class CalDavClientHosts : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(certificates.make());
        m_trusted = QSslConfiguration::defaultConfiguration();
        QSslConfiguration configuration = m_trusted;
        configuration.addCaCertificate(certificates.authority);
        QSslConfiguration::setDefaultConfiguration(configuration);
    }
    void TearDown() override { QSslConfiguration::setDefaultConfiguration(m_trusted); }

    static bool signedIn(const FakeDavServer::Request &request)
    {
        return request.headers.value("authorization") ==
               "Basic " + QByteArray("ann:secret").toBase64();
    }

    // Answers as a server with accounts does: nothing without the password.
    static FakeDavServer::Response unlessSignedIn(const FakeDavServer::Request &request,
                                                  const FakeDavServer::Response &response)
    {
        if (!signedIn(request))
            return {401, {}, {{"WWW-Authenticate", "Basic realm=\"dav\""}}};
        return response;
    }

    static FakeDavServer::Response redirect(const QUrl &to)
    {
        return {301, {}, {{"Location", to.toEncoded()}}};
    }

    TestCertificates certificates;

private:
    QSslConfiguration m_trusted;
};

TEST_F(CalDavClientHosts, ThePasswordGoesToTheHostsTheAccountNamesOverHttpsOnly)
{
    FakeDavServer typed, principal, home, later;
    for (FakeDavServer *server : {&typed, &principal, &home, &later}) {
        server->useTls(certificates.server, certificates.key);
        ASSERT_TRUE(server->listen());
    }
    const QUrl homeUrl = home.url().resolved(QUrl(QStringLiteral("/home/")));
    typed.answer = [&](const FakeDavServer::Request &request) {
        if (request.path == "/.well-known/caldav")
            return redirect(principal.url().resolved(QUrl(QStringLiteral("/dav/"))));
        // A list moved since to a host that no discovery named.
        return redirect(later.url().resolved(QUrl(QStringLiteral("/cal/"))));
    };
    principal.answer = [&](const FakeDavServer::Request &request) {
        if (request.path == "/dav/")
            return unlessSignedIn(
                request, xmlAnswer(207, multistatus("<d:response><d:href>/dav/</d:href><d:propstat>"
                                                    "<d:prop><d:current-user-principal><d:href>"
                                                    "/dav/ann/</d:href></d:current-user-principal>"
                                                    "</d:prop><d:status>HTTP/1.1 200 OK</d:status>"
                                                    "</d:propstat></d:response>")));
        return unlessSignedIn(
            request, xmlAnswer(207, multistatus("<d:response><d:href>/dav/ann/</d:href><d:propstat>"
                                                "<d:prop><c:calendar-home-set><d:href>" +
                                                homeUrl.toEncoded() +
                                                "</d:href></c:calendar-home-set></d:prop><d:status>"
                                                "HTTP/1.1 200 OK</d:status></d:propstat>"
                                                "</d:response>")));
    };
    auto list = [](const QByteArray &path, const QByteArray &privileges) {
        return "<d:response><d:href>" + path +
               "</d:href><d:propstat><d:prop><d:resourcetype><d:collection/><c:calendar/>"
               "</d:resourcetype><d:displayname>" +
               path + "</d:displayname>" + privileges +
               "</d:prop><d:status>HTTP/1.1 200 OK</d:status></d:propstat></d:response>";
    };
    auto privileges = [](const QByteArray &names) {
        QByteArray set = "<d:current-user-privilege-set>";
        for (const QByteArray &name : names.split(' '))
            set += "<d:privilege><d:" + name + "/></d:privilege>";
        return set + "</d:current-user-privilege-set>";
    };
    home.answer = [&](const FakeDavServer::Request &request) {
        if (request.method == "REPORT")
            return unlessSignedIn(request,
                                  xmlAnswer(207, multistatus("<d:sync-token>1</d:sync-token>")));
        return unlessSignedIn(
            request,
            xmlAnswer(207, multistatus(list("/home/own/", privileges("read write")) +
                                       list("/home/shared/", privileges("read")) +
                                       list("/home/tasks/", privileges("read write-content")) +
                                       list("/home/unsaid/", {}) +
                                       list("/home/everything/", privileges("all")))));
    };
    later.answer = [&](const FakeDavServer::Request &request) {
        return unlessSignedIn(request,
                              xmlAnswer(207, multistatus("<d:sync-token>1</d:sync-token>")));
    };

    const QUrl typedUrl = typed.url(QStringLiteral("localhost"));
    CalDavClient client(typedUrl, QStringLiteral("ann"), QStringLiteral("secret"));
    const auto found = await<AccountLists>([&](auto r) { client.discover(r); });
    ASSERT_TRUE(found.ok()) << int(found.error);
    QStringList names;
    for (const TaskList &taskList : found.value.lists)
        names += taskList.name;
    EXPECT_EQ(names,
              (QStringList{"/home/own/", "/home/tasks/", "/home/unsaid/", "/home/everything/"}));
    EXPECT_EQ(found.value.home, homeUrl);
    auto origin = [](const QUrl &url) { return url.toString(QUrl::RemovePath); };
    QStringList named = {origin(principal.url()), origin(home.url())};
    named.sort();
    EXPECT_EQ(found.value.passwordOrigins, QStringList{origin(typedUrl)} + named);
    EXPECT_EQ(client.passwordOrigins(), found.value.passwordOrigins);
    EXPECT_EQ(client.passwordHosts().size(), 3);
    EXPECT_TRUE(
        client.passwordHosts().contains(QStringLiteral("localhost:%1").arg(typedUrl.port())));

    // The next start gets the origins from the account file, not from a
    // discovery; a list that redirects to an unnamed host gets no password.
    const QUrl own = found.value.lists.front().url;
    CalDavClient fresh(typedUrl, QStringLiteral("ann"), QStringLiteral("secret"));
    fresh.setCollection(own);
    EXPECT_EQ(await<ServerChanges>([&](auto r) { fresh.changesSince({}, r); }).error,
              ServerError::unauthorized);
    fresh.setPasswordOrigins(found.value.passwordOrigins);
    EXPECT_TRUE(await<ServerChanges>([&](auto r) { fresh.changesSince({}, r); }).ok());
    fresh.setCollection(typedUrl.resolved(QUrl(QStringLiteral("/moved/"))));
    EXPECT_EQ(await<ServerChanges>([&](auto r) { fresh.changesSince({}, r); }).error,
              ServerError::unauthorized);
    ASSERT_FALSE(later.requests.empty());
    for (const FakeDavServer::Request &request : later.requests)
        EXPECT_FALSE(request.headers.contains("authorization"));
}

TEST_F(CalDavClientHosts, APlainAddressThatTheServerNamesGetsNoPassword)
{
    FakeDavServer typed, named;
    ASSERT_TRUE(typed.listen());
    ASSERT_TRUE(named.listen());
    const QUrl elsewhere = named.url(QStringLiteral("localhost"));
    for (const bool byRedirect : {true, false}) {
        typed.answer = [&](const FakeDavServer::Request &request) {
            if (byRedirect)
                return redirect(elsewhere);
            return unlessSignedIn(
                request,
                xmlAnswer(207, multistatus("<d:response><d:href>/</d:href><d:propstat><d:prop>"
                                           "<d:current-user-principal><d:href>" +
                                           elsewhere.toEncoded() +
                                           "</d:href></d:current-user-principal></d:prop>"
                                           "<d:status>HTTP/1.1 200 OK</d:status></d:propstat>"
                                           "</d:response>")));
        };
        named.answer = [&](const FakeDavServer::Request &request) {
            return unlessSignedIn(request, xmlAnswer(207, multistatus({})));
        };
        CalDavClient client(typed.url(), QStringLiteral("ann"), QStringLiteral("secret"));
        EXPECT_EQ(await<AccountLists>([&](auto r) { client.discover(r); }).error,
                  ServerError::network)
            << byRedirect;
        EXPECT_TRUE(std::ranges::none_of(named.requests, signedIn)) << byRedirect;
        EXPECT_TRUE(std::ranges::all_of(typed.requests, signedIn)) << byRedirect;
    }
}

TEST(CalDavClientOrigins, PortsCompareWithTheSchemesDefault)
{
    struct Case {
        const char *typed;
        const char *named;
        bool trusted;
    } cases[] = {
        {"https://dav.example.org:443/", "https://dav.example.org/cal/", true},
        {"https://dav.example.org/", "https://DAV.example.org:443/cal/", true},
        {"https://dav.example.org/", "https://other.example.org/cal/", true},
        {"https://dav.example.org/", "https://dav.example.org:8443/cal/", true},
        {"https://dav.example.org/", "http://dav.example.org/cal/", false},
        {"http://127.0.0.1:5232/", "http://127.0.0.1:5233/", false},
    };
    for (const Case &c : cases) {
        PasswordOrigins origins{QUrl(QString::fromLatin1(c.typed))};
        const QUrl named(QString::fromLatin1(c.named));
        origins.addNamed(QUrl(QString::fromLatin1(c.typed)).resolved(QUrl(QStringLiteral("/x"))),
                         named);
        EXPECT_EQ(origins.contains(named), c.trusted) << c.typed << " " << c.named;
        EXPECT_EQ(origins.origins().size(), c.trusted && !origins.isTyped(named) ? 2 : 1)
            << c.typed << " " << c.named;
    }
    PasswordOrigins kept{QUrl(QStringLiteral("https://icloud.com/"))};
    kept.add({QStringLiteral("https://p42-caldav.icloud.com:443"),
              QStringLiteral("http://p42-caldav.icloud.com:80"), QStringLiteral("garbage")});
    EXPECT_EQ(kept.hosts(), (QStringList{"icloud.com", "p42-caldav.icloud.com"}));
}

} // namespace
