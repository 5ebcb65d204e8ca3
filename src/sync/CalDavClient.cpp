// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavClient.h"

#include "AnswerWatch.h"
#include "ContentLines.h"
#include "ServerMessage.h"
#include "WholeListPlan.h"

#include <QElapsedTimer>
#include <QHash>

#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSet>
#include <algorithm>
#include <deque>

namespace {

constexpr int longestTransferTimeoutMilliseconds = 10 * 60 * 1000;

const QByteArray stillThereQuestion =
    R"(<?xml version="1.0" encoding="utf-8"?><D:propfind xmlns:D="DAV:">)"
    R"(<D:prop><D:resourcetype/></D:prop></D:propfind>)";

bool isRead(const QByteArray &verb)
{
    return verb == "GET" || verb == "PROPFIND" || verb == "REPORT";
}
// Long hrefs make a batch smaller, so that no request grows without bound.
constexpr qsizetype fetchRequestBytes = 128 * 1024;
// A fetch this long first times a few hrefs, to tell whether the server finds
// each by going through the list.
constexpr qsizetype wholeListFrom = 1000;
constexpr qsizetype timedHrefs = 8;
// Each is a pass over the whole list; past these the rest comes by href.
constexpr int mostRangeQueries = 32;

const QByteArray xmlType = "application/xml; charset=utf-8";

const QByteArray todoQuery =
    R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
    R"(<D:prop><D:getetag/></D:prop><C:filter><C:comp-filter name="VCALENDAR">)"
    R"(<C:comp-filter name="VTODO"/></C:comp-filter></C:filter></C:calendar-query>)";

QByteArray xmlDocument(const QByteArray &root)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>)" + root;
}

ServerError errorForStatus(int status, bool onList)
{
    if (status >= 200 && status <= 299)
        return ServerError::none;
    if (status == 401)
        return ServerError::unauthorized;
    if (status == 412)
        return ServerError::preconditionFailed;
    if (status == 404 || status == 410)
        return onList ? ServerError::listGone : ServerError::notFound;
    if (status >= 400 && status <= 499)
        return ServerError::refused;
    if (status >= 500 && status <= 599)
        return ServerError::server;
    return ServerError::badAnswer;
}

QString pathOf(const QString &href)
{
    return QUrl::fromEncoded(href.toUtf8()).path(QUrl::FullyEncoded);
}

bool samePath(QString a, QString b)
{
    if (!a.endsWith(u'/'))
        a += u'/';
    if (!b.endsWith(u'/'))
        b += u'/';
    return a == b;
}

// "VTODO" from "text/calendar; charset=utf-8; component=vtodo"; empty when
// the server does not say.
QString componentOf(const QString &contentType)
{
    for (const QString &parameter : contentType.split(u';')) {
        const QString trimmed = parameter.trimmed();
        if (trimmed.startsWith(u"component=", Qt::CaseInsensitive))
            return trimmed.mid(10).remove(u'"').toUpper();
    }
    return {};
}

// Failures that another way of asking would meet too.
bool failedForGood(ServerError error)
{
    return error == ServerError::network || error == ServerError::unauthorized ||
           error == ServerError::listGone;
}

// The members a query for every to-do's ETag lists; none when the server says
// it cut the answer short (507 for the list itself), which must never read
// as to-dos gone.
std::optional<std::vector<ServerObject>> listedEtags(const std::vector<DavResponse> &responses,
                                                     const QString &collection)
{
    std::vector<ServerObject> objects;
    for (const DavResponse &response : responses) {
        const QString href = pathOf(response.href);
        if (samePath(href, collection)) {
            if (response.status == 507)
                return std::nullopt;
        } else if (!response.etag.isEmpty()) {
            objects.push_back(ServerObject{href, response.etag, {}});
        }
    }
    return objects;
}

bool holdsTodo(const QByteArray &data)
{
    for (const ContentLine &line : splitContentLines(std::string_view(data.data(), data.size()))) {
        if (line.name == "BEGIN" && line.componentName() == "VTODO")
            return true;
    }
    return false;
}

} // namespace

// A sync-collection listing gathered over the pages of a truncated answer.
struct CalDavClient::Listing {
    bool full = false;
    QString token;
    int rounds = 0;
    // Some member's component was not said, so events may be among them.
    bool typesUnknown = false;
    // In the order first listed; an empty ETag for one gone.
    std::vector<std::pair<QString, QString>> members;
    QHash<QString, std::size_t> index;

    void note(const QString &href, const QString &etag)
    {
        const auto found = index.constFind(href);
        if (found != index.constEnd()) {
            members[*found].second = etag;
            return;
        }
        index.insert(href, members.size());
        members.emplace_back(href, etag);
    }
};

struct CalDavClient::Fetching {
    QStringList hrefs;
    qsizetype next = 0;
    qsizetype batch = hrefsPerFetch;
    std::vector<ServerObject> objects;
    // The first batch is the timed one.
    bool timing = false;
    QElapsedTimer timer;
    // By whole-list queries: what is still to come, the due times the first
    // answer brought (sorted), and the time ranges still to ask for.
    QSet<QString> missing;
    std::vector<std::int64_t> times;
    std::deque<TimeRange> ranges;
    int rangeQueries = 0;
};

CalDavClient::CalDavClient(QUrl server, QString user, QString password, QObject *parent)
    : QObject(parent), m_server(std::move(server)), m_origins(m_server)
{
    if (!user.isEmpty())
        m_authorization = "Basic " + (user + u':' + password).toUtf8().toBase64();
}

bool CalDavClient::isAllowed(const QUrl &url)
{
    if (!url.isValid())
        return false;
    if (url.scheme() == u"https")
        return true;
    if (url.scheme() != u"http")
        return false;
    const QString host = url.host();
    return host == u"localhost" || QHostAddress(host).isLoopback();
}

bool CalDavClient::mayConnect(const QUrl &url) const
{
    // A server may name other hosts, but never a plain address: it could
    // listen on this machine for another user.
    if (url.scheme() == u"http")
        return isAllowed(url) && m_origins.isTyped(url);
    return isAllowed(url);
}

QUrl CalDavClient::resolved(const QString &href) const
{
    return m_collection.resolved(QUrl::fromEncoded(href.toUtf8()));
}

QString CalDavClient::hrefForUid(const QString &uid) const
{
    return m_collection.path(QUrl::FullyEncoded) + QString::fromUtf8(QUrl::toPercentEncoding(uid)) +
           QStringLiteral(".ics");
}

void CalDavClient::send(Request request, std::function<void(Answer)> done, int redirectsLeft)
{
    if (!mayConnect(request.url)) {
        Answer refused;
        refused.error = ServerError::network;
        refused.url = request.url;
        done(refused);
        return;
    }
    QNetworkRequest network(request.url);
    network.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    if (!m_authorization.isEmpty() && m_origins.contains(request.url))
        network.setRawHeader("Authorization", m_authorization);
    QNetworkRequest question = network;
    question.setTransferTimeout(m_transferTimeoutMs);
    question.setRawHeader("Depth", "0");
    question.setRawHeader("Content-Type", xmlType);
    for (const auto &[name, value] : request.headers)
        network.setRawHeader(name, value);
    ++m_requestCount;
    QNetworkReply *reply = m_network.sendCustomRequest(network, request.verb, request.body);
    const auto *watch =
        new AnswerWatch(reply, m_transferTimeoutMs, m_longestWaitMs, [this, question] {
            return m_network.sendCustomRequest(question, "PROPFIND", stillThereQuestion);
        });
    const qint64 limit = m_answerLimit;
    auto tooLarge = std::make_shared<bool>(false);
    // What came before the cut, for whoever can use a part of the answer.
    auto cut = std::make_shared<QByteArray>();
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, limit, tooLarge, cut](qint64 received, qint64) {
                // Also an answer announced as larger is read up to the limit:
                // a query over a long list uses what came.
                if (received > limit) {
                    *tooLarge = true;
                    *cut = reply->read(limit);
                    reply->abort();
                }
            });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, watch, request = std::move(request), done = std::move(done),
             redirectsLeft, tooLarge, cut]() mutable {
                reply->deleteLater();
                Answer answer;
                answer.url = request.url;
                answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                if (*tooLarge) {
                    answer.error = ServerError::badAnswer;
                    answer.tooLarge = true;
                    answer.body = std::move(*cut);
                    done(answer);
                    return;
                }
                if (answer.status == 0) {
                    if (watch->gaveUp()) {
                        m_transferTimeoutMs =
                            std::min(2 * m_transferTimeoutMs, longestTransferTimeoutMilliseconds);
                        // A server that answered nothing, not even whether it
                        // is there, may be one that serves a request at a
                        // time: a read is asked once more at once, waited for
                        // longer; a write may have been taken, and waits for
                        // the next sync, which reads first.
                        if (!request.retried && isRead(request.verb)) {
                            request.retried = true;
                            send(std::move(request), std::move(done), redirectsLeft);
                            return;
                        }
                    }
                    answer.error = ServerError::network;
                    done(answer);
                    return;
                }
                const QUrl location =
                    reply->attribute(QNetworkRequest::RedirectionTargetAttribute).toUrl();
                if (answer.status >= 300 && answer.status <= 399 && location.isValid()) {
                    const QUrl next = request.url.resolved(location);
                    const bool downgrade =
                        request.url.scheme() == u"https" && next.scheme() != u"https";
                    if (redirectsLeft == 0 || downgrade || !mayConnect(next)) {
                        answer.error = ServerError::network;
                        done(answer);
                        return;
                    }
                    if (request.discovery)
                        m_origins.addNamed(request.url, next);
                    request.url = next;
                    send(std::move(request), std::move(done), redirectsLeft - 1);
                    return;
                }
                answer.body = reply->readAll();
                answer.etag = QString::fromUtf8(reply->rawHeader("ETag"));
                answer.error = errorForStatus(answer.status, request.target == Target::list);
                if (answer.error == ServerError::refused)
                    answer.message = serverMessage(answer.body, reply->rawHeader("Content-Type"));
                done(answer);
            });
}

namespace {

template <typename T> ServerResult<T> failure(ServerError error, const QString &message)
{
    return ServerResult<T>{error, {}, message};
}

ServerResult<Multistatus> multistatusOf(ServerError error, int status, const QByteArray &body,
                                        const QString &message)
{
    if (error != ServerError::none)
        return failure<Multistatus>(error, message);
    if (status != 207)
        return {ServerError::badAnswer, {}};
    auto read = readMultistatus(body);
    if (!read)
        return {ServerError::badAnswer, {}};
    return {ServerError::none, std::move(*read)};
}

bool holdsTasks(const DavResponse &response)
{
    // A calendar that does not say what it holds takes every component.
    return response.isCalendar &&
           (response.components.isEmpty() || response.components.contains(u"VTODO"));
}

bool mayWrite(const DavResponse &response)
{
    // A server that does not say lets the first write tell.
    if (!response.privileges)
        return true;
    for (const QString &privilege : *response.privileges) {
        if (privilege == u"write-content" || privilege == u"write" || privilege == u"all")
            return true;
    }
    return false;
}

} // namespace

void CalDavClient::propfind(const QUrl &url, int depth, const QByteArray &properties,
                            std::function<void(ServerResult<Multistatus>, const Answer &)> done)
{
    const QByteArray body = xmlDocument(
        R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:prop>)" +
        properties + "</D:prop></D:propfind>");
    Request request{"PROPFIND",
                    url,
                    body,
                    {{"Depth", QByteArray::number(depth)}, {"Content-Type", xmlType}},
                    Target::account,
                    true};
    send(std::move(request), [done = std::move(done)](const Answer &answer) {
        done(multistatusOf(answer.error, answer.status, answer.body, answer.message), answer);
    });
}

void CalDavClient::report(const QByteArray &body, int depth,
                          std::function<void(ServerResult<Multistatus>, const Answer &)> done)
{
    Request request{"REPORT",
                    m_collection,
                    xmlDocument(body),
                    {{"Depth", QByteArray::number(depth)}, {"Content-Type", xmlType}},
                    Target::list};
    send(std::move(request), [done = std::move(done)](const Answer &answer) {
        done(multistatusOf(answer.error, answer.status, answer.body, answer.message), answer);
    });
}

void CalDavClient::discover(Reply<AccountLists> reply)
{
    const QUrl wellKnown = m_server.resolved(QUrl(QStringLiteral("/.well-known/caldav")));
    const QByteArray principal = "<D:current-user-principal/>";
    auto fromPrincipal = [this, reply](const ServerResult<Multistatus> &result,
                                       const Answer &answer) {
        if (!result.ok())
            return false;
        for (const DavResponse &response : result.value.responses) {
            if (!response.principal.isEmpty()) {
                const QUrl found =
                    answer.url.resolved(QUrl::fromEncoded(response.principal.toUtf8()));
                m_origins.addNamed(answer.url, found);
                findHome(found, reply);
                return true;
            }
        }
        return false;
    };
    propfind(
        wellKnown, 0, principal,
        [this, reply, principal, fromPrincipal](ServerResult<Multistatus> result,
                                                const Answer &answer) {
            if (fromPrincipal(result, answer))
                return;
            if (result.error == ServerError::unauthorized || result.error == ServerError::network) {
                reply(failure<AccountLists>(result.error, result.message));
                return;
            }
            // No well-known address: the address given may be the principal's
            // server or the home itself.
            propfind(m_server, 0, principal,
                     [reply, fromPrincipal](ServerResult<Multistatus> direct,
                                            const Answer &directAnswer) {
                         if (fromPrincipal(direct, directAnswer))
                             return;
                         reply(failure<AccountLists>(
                             direct.ok() ? ServerError::badAnswer : direct.error, direct.message));
                     });
        });
}

void CalDavClient::findHome(const QUrl &principal, Reply<AccountLists> reply)
{
    propfind(principal, 0, "<C:calendar-home-set/>",
             [this, reply](ServerResult<Multistatus> result, const Answer &answer) {
                 if (!result.ok()) {
                     reply(failure<AccountLists>(result.error, result.message));
                     return;
                 }
                 for (const DavResponse &response : result.value.responses) {
                     if (!response.calendarHome.isEmpty()) {
                         const QUrl home =
                             answer.url.resolved(QUrl::fromEncoded(response.calendarHome.toUtf8()));
                         m_origins.addNamed(answer.url, home);
                         findLists(home, reply);
                         return;
                     }
                 }
                 reply({ServerError::badAnswer, {}});
             });
}

void CalDavClient::findLists(const QUrl &home, Reply<AccountLists> reply)
{
    propfind(home, 1,
             "<D:resourcetype/><D:displayname/><C:supported-calendar-component-set/>"
             "<D:current-user-privilege-set/>",
             [this, reply](ServerResult<Multistatus> result, const Answer &answer) {
                 if (!result.ok()) {
                     reply(failure<AccountLists>(result.error, result.message));
                     return;
                 }
                 AccountLists found{answer.url, {}, {}};
                 for (const DavResponse &response : result.value.responses) {
                     if (!holdsTasks(response) || !mayWrite(response))
                         continue;
                     const QUrl list =
                         answer.url.resolved(QUrl::fromEncoded(response.href.toUtf8()));
                     m_origins.addNamed(answer.url, list);
                     found.lists.push_back(TaskList{list, response.displayName});
                 }
                 found.passwordOrigins = m_origins.origins();
                 reply({ServerError::none, std::move(found)});
             });
}

void CalDavClient::createTaskList(const QUrl &home, const QString &name, Reply<TaskList> reply)
{
    const QByteArray segment = QUrl::toPercentEncoding(name.toLower());
    const QUrl created = home.resolved(QUrl::fromEncoded(segment + '/'));
    const QByteArray body =
        xmlDocument(R"(<C:mkcalendar xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
                    R"(<D:set><D:prop><D:displayname>)" +
                    name.toHtmlEscaped().toUtf8() +
                    R"(</D:displayname><C:supported-calendar-component-set><C:comp name="VTODO"/>)"
                    R"(</C:supported-calendar-component-set></D:prop></D:set></C:mkcalendar>)");
    send(Request{"MKCALENDAR", created, body, {{"Content-Type", xmlType}}, Target::account},
         [created, name, reply](const Answer &answer) {
             if (answer.error != ServerError::none)
                 return reply(failure<TaskList>(answer.error, answer.message));
             reply({ServerError::none, TaskList{created, name}});
         });
}

void CalDavClient::changesSince(const QString &syncToken, Reply<ServerChanges> reply)
{
    auto listing = std::make_shared<Listing>();
    listing->full = syncToken.isEmpty();
    listing->token = syncToken;
    if (listing->full)
        return listWhole(std::move(listing), std::move(reply));
    listFrom(std::move(listing), std::move(reply));
}

void CalDavClient::listWhole(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply)
{
    // The list's token, then its to-dos' ETags in one calendar-query: Radicale
    // takes ten times as long for a sync-collection from no token. The token
    // comes first, so that whatever changes between the two comes again in
    // the next sync. A server without either lists the usual way.
    const QByteArray body = xmlDocument(R"(<D:propfind xmlns:D="DAV:"><D:prop><D:sync-token/>)"
                                        R"(</D:prop></D:propfind>)");
    Request request{
        "PROPFIND", m_collection, body, {{"Depth", "0"}, {"Content-Type", xmlType}}, Target::list};
    send(std::move(request), [this, listing, reply](const Answer &answer) {
        const auto result = multistatusOf(answer.error, answer.status, answer.body, answer.message);
        if (!result.ok() && failedForGood(result.error))
            return reply(failure<ServerChanges>(result.error, result.message));
        const QString collection = m_collection.path(QUrl::FullyEncoded);
        QString token;
        for (const DavResponse &response : result.value.responses) {
            if (samePath(pathOf(response.href), collection))
                token = response.syncToken;
        }
        if (!result.ok() || token.isEmpty())
            return listFrom(listing, reply);
        listTodoEtags(listing, token, reply);
    });
}

void CalDavClient::listTodoEtags(std::shared_ptr<Listing> listing, const QString &token,
                                 Reply<ServerChanges> reply)
{
    QElapsedTimer timer;
    timer.start();
    report(todoQuery, 1,
           [this, listing, token, reply, timer](ServerResult<Multistatus> result, const Answer &) {
               if (!result.ok() && failedForGood(result.error))
                   return reply(failure<ServerChanges>(result.error, result.message));
               auto listed =
                   listedEtags(result.value.responses, m_collection.path(QUrl::FullyEncoded));
               if (!result.ok() || !listed)
                   return listFrom(listing, reply);
               m_lastTodoQueryMs = std::max<qint64>(1, timer.elapsed());
               ServerChanges changes;
               changes.syncToken = token;
               changes.changed = std::move(*listed);
               reply({ServerError::none, std::move(changes)});
           });
}

void CalDavClient::listFrom(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply)
{
    const QByteArray token = listing->token.toHtmlEscaped().toUtf8();
    const QByteArray body = R"(<D:sync-collection xmlns:D="DAV:"><D:sync-token>)" + token +
                            "</D:sync-token><D:sync-level>1</D:sync-level>"
                            "<D:prop><D:getetag/><D:getcontenttype/></D:prop></D:sync-collection>";
    const QString collection = m_collection.path(QUrl::FullyEncoded);
    ++listing->rounds;
    report(
        body, 0,
        [this, reply, collection, listing](ServerResult<Multistatus> result, const Answer &answer) {
            const bool hasToken = !listing->token.isEmpty();
            if (!result.ok()) {
                // A stale token (RFC 6578: 403 or 409 with valid-sync-token; xandikos
                // answers 500) and a server without the report both mean: compare
                // ETags instead. A server that fails for good fails that too.
                const bool unsupported =
                    answer.status == 400 || answer.status == 405 || answer.status == 409 ||
                    answer.status == 501 ||
                    (answer.status == 403 && answer.body.contains("sync-token"));
                const bool stale = hasToken && result.error == ServerError::server;
                if (unsupported || stale)
                    return reply({ServerError::invalidSyncToken, {}});
                return reply(failure<ServerChanges>(result.error, result.message));
            }
            bool truncated = false;
            for (const DavResponse &response : result.value.responses) {
                const QString href = pathOf(response.href);
                if (samePath(href, collection)) {
                    truncated = truncated || response.status == 507;
                    continue;
                }
                if (response.status == 404 || response.etag.isEmpty()) {
                    if (response.status == 404)
                        listing->note(href, {});
                    continue;
                }
                const QString component = componentOf(response.contentType);
                listing->typesUnknown = listing->typesUnknown || component.isEmpty();
                // Another component is no to-do of ours: gone as far as the list goes.
                const bool todo = component.isEmpty() || component == u"VTODO";
                listing->note(href, todo ? response.etag : QString());
            }
            const QString next = result.value.syncToken;
            if (next.isEmpty() || (truncated && next == listing->token) ||
                (truncated && listing->rounds >= listingRounds))
                return reply({ServerError::badAnswer, {}});
            listing->token = next;
            if (truncated)
                return listFrom(listing, reply);
            if (listing->full && listing->typesUnknown)
                return keepTodosOnly(listing, reply);
            ServerChanges changes;
            changes.syncToken = listing->token;
            for (const auto &[href, etag] : listing->members) {
                if (etag.isEmpty())
                    changes.removed += href;
                else
                    changes.changed.push_back(ServerObject{href, etag, {}});
            }
            reply({ServerError::none, std::move(changes)});
        });
}

void CalDavClient::keepTodosOnly(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply)
{
    // A whole list from a server that does not say which member is which:
    // one query for the to-dos' hrefs costs less than fetching every event.
    QElapsedTimer timer;
    timer.start();
    report(todoQuery, 1,
           [this, reply, listing, timer](ServerResult<Multistatus> result, const Answer &) {
               if (!result.ok())
                   return reply(failure<ServerChanges>(result.error, result.message));
               const auto listed =
                   listedEtags(result.value.responses, m_collection.path(QUrl::FullyEncoded));
               if (!listed)
                   return reply(failure<ServerChanges>(ServerError::badAnswer, {}));
               m_lastTodoQueryMs = std::max<qint64>(1, timer.elapsed());
               QSet<QString> todos;
               for (const ServerObject &todo : *listed)
                   todos.insert(todo.href);
               ServerChanges changes;
               changes.syncToken = listing->token;
               for (const auto &[href, etag] : listing->members) {
                   if (!etag.isEmpty() && todos.contains(href))
                       changes.changed.push_back(ServerObject{href, etag, {}});
               }
               reply({ServerError::none, std::move(changes)});
           });
}

void CalDavClient::listEtags(Reply<std::vector<ServerObject>> reply)
{
    const QString collection = m_collection.path(QUrl::FullyEncoded);
    QElapsedTimer timer;
    timer.start();
    report(todoQuery, 1,
           [this, reply, collection, timer](ServerResult<Multistatus> result, const Answer &) {
               if (!result.ok()) {
                   reply(failure<std::vector<ServerObject>>(result.error, result.message));
                   return;
               }
               auto listed = listedEtags(result.value.responses, collection);
               if (!listed)
                   return reply(failure<std::vector<ServerObject>>(ServerError::badAnswer, {}));
               m_lastTodoQueryMs = std::max<qint64>(1, timer.elapsed());
               reply({ServerError::none, std::move(*listed)});
           });
}

void CalDavClient::fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply)
{
    auto fetching = std::make_shared<Fetching>();
    fetching->hrefs = hrefs;
    fetching->objects.reserve(hrefs.size());
    if (m_wholeListForTesting || (hrefs.size() >= wholeListFrom && m_lastTodoQueryMs > 0)) {
        fetching->timing = true;
        fetching->batch = timedHrefs;
    }
    fetchFrom(std::move(fetching), std::move(reply));
}

void CalDavClient::fetchFrom(std::shared_ptr<Fetching> fetching,
                             Reply<std::vector<ServerObject>> reply)
{
    if (fetching->next == fetching->hrefs.size()) {
        // Later, as every call answers, also when there was nothing to ask.
        QMetaObject::invokeMethod(
            this,
            [fetching, reply] {
                reply({ServerError::none, std::move(fetching->objects)});
            },
            Qt::QueuedConnection);
        return;
    }
    QByteArray body =
        R"(<C:calendar-multiget xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
        R"(<D:prop><D:getetag/><C:calendar-data/></D:prop>)";
    qsizetype count = 0;
    while (fetching->next + count < fetching->hrefs.size() && count < fetching->batch) {
        const QByteArray href = "<D:href>" +
                                fetching->hrefs[fetching->next + count].toHtmlEscaped().toUtf8() +
                                "</D:href>";
        if (count > 0 && body.size() + href.size() > fetchRequestBytes)
            break;
        body += href;
        ++count;
    }
    body += "</C:calendar-multiget>";
    if (fetching->timing)
        fetching->timer.start();
    report(body, 1,
           [this, fetching, count, reply](ServerResult<Multistatus> result, const Answer &answer) {
               if (answer.tooLarge && count > 1) {
                   fetching->batch = count / 2;
                   return fetchFrom(fetching, reply);
               }
               if (!result.ok())
                   return reply(failure<std::vector<ServerObject>>(result.error, result.message));
               for (const DavResponse &response : result.value.responses) {
                   // An event or a journal that the listing could not tell from a to-do.
                   if (response.status == 0 && holdsTodo(response.calendarData))
                       fetching->objects.push_back(ServerObject{
                           pathOf(response.href), response.etag, response.calendarData});
               }
               fetching->next += count;
               if (fetching->timing) {
                   fetching->timing = false;
                   fetching->batch = hrefsPerFetch;
                   const double msPerHref = double(fetching->timer.elapsed()) / double(count);
                   const auto remaining = std::size_t(fetching->hrefs.size() - fetching->next);
                   if (m_wholeListForTesting ||
                       wholeListIsFaster(remaining, msPerHref, double(m_lastTodoQueryMs)))
                       return fetchWholeList(fetching, reply);
               }
               fetchFrom(fetching, reply);
           });
}

void CalDavClient::fetchWholeList(std::shared_ptr<Fetching> fetching,
                                  Reply<std::vector<ServerObject>> reply)
{
    for (qsizetype i = fetching->next; i < fetching->hrefs.size(); ++i)
        fetching->missing.insert(fetching->hrefs[i]);
    fetching->ranges.push_back({});
    fetchRange(std::move(fetching), std::move(reply));
}

void CalDavClient::fetchRange(std::shared_ptr<Fetching> fetching,
                              Reply<std::vector<ServerObject>> reply)
{
    if (fetching->ranges.empty() || fetching->missing.isEmpty() ||
        fetching->rangeQueries == mostRangeQueries) {
        // What no query brought (changed meanwhile, or in a range that could
        // not be split small enough) comes by href.
        fetching->hrefs = QStringList(fetching->missing.cbegin(), fetching->missing.cend());
        fetching->next = 0;
        fetching->missing.clear();
        fetching->ranges.clear();
        return fetchFrom(std::move(fetching), std::move(reply));
    }
    const TimeRange range = fetching->ranges.front();
    fetching->ranges.pop_front();
    ++fetching->rangeQueries;
    const qint64 limit = m_answerLimit;
    report(
        todosWithin(range), 1,
        [this, fetching, range, limit, reply](ServerResult<Multistatus> result,
                                              const Answer &answer) {
            std::vector<DavResponse> responses;
            bool cut = false;
            if (result.ok()) {
                responses = std::move(result.value.responses);
            } else if (answer.tooLarge && answer.status == 207) {
                CutMultistatus read = readCutMultistatus(answer.body);
                responses = std::move(read.responses);
                cut = read.cut;
            } else if (failedForGood(result.error)) {
                return reply(failure<std::vector<ServerObject>>(result.error, result.message));
            } else {
                // A server that will not query by time: the rest by href.
                fetching->ranges.clear();
            }
            const bool wholeList = range == TimeRange{};
            for (DavResponse &response : responses) {
                if (response.status != 0)
                    continue;
                if (wholeList && cut) {
                    if (const auto time = plannedTimeOf(response.calendarData))
                        fetching->times.push_back(*time);
                }
                // Most of a range's to-dos came before: only the missing are looked into.
                const QString href = pathOf(response.href);
                if (fetching->missing.contains(href) && holdsTodo(response.calendarData)) {
                    fetching->missing.remove(href);
                    fetching->objects.push_back(
                        ServerObject{href, response.etag, std::move(response.calendarData)});
                }
            }
            if (cut) {
                std::size_t parts = 2;
                if (wholeList) {
                    std::ranges::sort(fetching->times);
                    // Answers of about nine tenths of the limit, by the
                    // size of those that came.
                    const double perTodo = double(answer.body.size()) /
                                           double(std::max<std::size_t>(1, responses.size()));
                    const double all =
                        perTodo * double(responses.size() + std::size_t(fetching->missing.size()));
                    parts = std::max<std::size_t>(2, std::size_t(all / (0.9 * double(limit))) + 1);
                }
                const auto split = timeRangeParts(fetching->times, parts, range);
                if (split.size() > 1)
                    fetching->ranges.insert(fetching->ranges.begin(), split.begin(), split.end());
            }
            fetchRange(fetching, reply);
        });
}

void CalDavClient::put(const QString &href, const QByteArray &data, const QString &etag,
                       Reply<QString> reply)
{
    Request request{
        "PUT", resolved(href), data, {{"Content-Type", "text/calendar; charset=utf-8"}}};
    if (etag.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-None-Match", "*"));
    else
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", etag.toUtf8()));
    send(std::move(request), [reply](const Answer &answer) {
        if (answer.error != ServerError::none)
            return reply(failure<QString>(answer.error, answer.message));
        reply({ServerError::none, answer.etag});
    });
}

void CalDavClient::remove(const QString &href, const QString &etag, Reply<bool> reply)
{
    Request request{"DELETE", resolved(href), {}, {}};
    if (!etag.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", etag.toUtf8()));
    send(std::move(request), [reply](const Answer &answer) {
        reply({answer.error, answer.error == ServerError::none, answer.message});
    });
}
