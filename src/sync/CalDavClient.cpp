// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavClient.h"

#include <QHostAddress>
#include <QNetworkReply>
#include <QNetworkRequest>

namespace {

constexpr int transferTimeoutMilliseconds = 30000;

const QByteArray xmlType = "application/xml; charset=utf-8";

QByteArray xmlDocument(const QByteArray &root)
{
    return R"(<?xml version="1.0" encoding="utf-8"?>)" + root;
}

ServerError errorForStatus(int status)
{
    if (status >= 200 && status <= 299)
        return ServerError::none;
    switch (status) {
    case 401:
    case 403:
        return ServerError::unauthorized;
    case 404:
    case 410:
        return ServerError::notFound;
    case 412:
        return ServerError::preconditionFailed;
    default:
        return ServerError::server;
    }
}

QString pathOf(const QString &href)
{
    return QUrl::fromEncoded(href.toUtf8()).path(QUrl::FullyEncoded);
}

} // namespace

CalDavClient::CalDavClient(QUrl server, QString user, QString password, QObject *parent)
    : QObject(parent), m_server(std::move(server))
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
    if (!isAllowed(request.url)) {
        done(Answer{ServerError::network, 0, {}, {}, request.url});
        return;
    }
    QNetworkRequest network(request.url);
    network.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::ManualRedirectPolicy);
    network.setTransferTimeout(transferTimeoutMilliseconds);
    // The password goes only where the user pointed, not where a redirect leads.
    const bool sameOrigin = request.url.scheme() == m_server.scheme() &&
                            request.url.host() == m_server.host() &&
                            request.url.port(-1) == m_server.port(-1);
    if (!m_authorization.isEmpty() && sameOrigin)
        network.setRawHeader("Authorization", m_authorization);
    for (const auto &[name, value] : request.headers)
        network.setRawHeader(name, value);
    QNetworkReply *reply = m_network.sendCustomRequest(network, request.verb, request.body);
    const qint64 limit = m_answerLimit;
    auto tooLarge = std::make_shared<bool>(false);
    connect(reply, &QNetworkReply::downloadProgress, reply,
            [reply, limit, tooLarge](qint64 received, qint64 total) {
                if (received > limit || total > limit) {
                    *tooLarge = true;
                    reply->abort();
                }
            });
    connect(reply, &QNetworkReply::finished, this,
            [this, reply, request = std::move(request), done = std::move(done), redirectsLeft,
             tooLarge]() mutable {
                reply->deleteLater();
                Answer answer;
                answer.url = request.url;
                answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                if (*tooLarge) {
                    answer.error = ServerError::badAnswer;
                    done(answer);
                    return;
                }
                if (answer.status == 0) {
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
                    if (redirectsLeft == 0 || downgrade) {
                        answer.error = ServerError::network;
                        done(answer);
                        return;
                    }
                    request.url = next;
                    send(std::move(request), std::move(done), redirectsLeft - 1);
                    return;
                }
                answer.body = reply->readAll();
                answer.etag = QString::fromUtf8(reply->rawHeader("ETag"));
                answer.error = errorForStatus(answer.status);
                done(answer);
            });
}

namespace {

ServerResult<Multistatus> multistatusOf(ServerError error, int status, const QByteArray &body)
{
    if (error != ServerError::none)
        return {error, {}};
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

} // namespace

void CalDavClient::propfind(const QUrl &url, int depth, const QByteArray &properties,
                            std::function<void(ServerResult<Multistatus>)> done)
{
    const QByteArray body = xmlDocument(
        R"(<D:propfind xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav"><D:prop>)" +
        properties + "</D:prop></D:propfind>");
    send(Request{"PROPFIND",
                 url,
                 body,
                 {{"Depth", QByteArray::number(depth)}, {"Content-Type", xmlType}}},
         [done = std::move(done)](const Answer &answer) {
             done(multistatusOf(answer.error, answer.status, answer.body));
         });
}

void CalDavClient::report(const QByteArray &body, int depth,
                          std::function<void(ServerResult<Multistatus>, const Answer &)> done)
{
    send(Request{"REPORT",
                 m_collection,
                 xmlDocument(body),
                 {{"Depth", QByteArray::number(depth)}, {"Content-Type", xmlType}}},
         [done = std::move(done)](const Answer &answer) {
             done(multistatusOf(answer.error, answer.status, answer.body), answer);
         });
}

void CalDavClient::discover(Reply<AccountLists> reply)
{
    const QUrl wellKnown = m_server.resolved(QUrl(QStringLiteral("/.well-known/caldav")));
    const QByteArray principal = "<D:current-user-principal/>";
    auto fromPrincipal = [this, reply](ServerResult<Multistatus> result, const QUrl &asked) {
        if (!result.ok())
            return false;
        for (const DavResponse &response : result.value.responses) {
            if (!response.principal.isEmpty()) {
                findHome(asked.resolved(QUrl::fromEncoded(response.principal.toUtf8())), reply);
                return true;
            }
        }
        return false;
    };
    propfind(wellKnown, 0, principal,
             [this, reply, principal, wellKnown, fromPrincipal](ServerResult<Multistatus> result) {
                 if (fromPrincipal(result, wellKnown))
                     return;
                 if (result.error == ServerError::unauthorized ||
                     result.error == ServerError::network) {
                     reply({result.error, {}});
                     return;
                 }
                 // No well-known address: the address given may be the principal's
                 // server or the home itself.
                 propfind(m_server, 0, principal,
                          [this, reply, fromPrincipal](ServerResult<Multistatus> direct) {
                              if (!fromPrincipal(direct, m_server))
                                  reply({direct.ok() ? ServerError::badAnswer : direct.error, {}});
                          });
             });
}

void CalDavClient::findHome(const QUrl &principal, Reply<AccountLists> reply)
{
    propfind(principal, 0, "<C:calendar-home-set/>",
             [this, principal, reply](ServerResult<Multistatus> result) {
                 if (!result.ok()) {
                     reply({result.error, {}});
                     return;
                 }
                 for (const DavResponse &response : result.value.responses) {
                     if (!response.calendarHome.isEmpty()) {
                         findLists(
                             principal.resolved(QUrl::fromEncoded(response.calendarHome.toUtf8())),
                             reply);
                         return;
                     }
                 }
                 reply({ServerError::badAnswer, {}});
             });
}

void CalDavClient::findLists(const QUrl &home, Reply<AccountLists> reply)
{
    propfind(home, 1, "<D:resourcetype/><D:displayname/><C:supported-calendar-component-set/>",
             [home, reply](ServerResult<Multistatus> result) {
                 if (!result.ok()) {
                     reply({result.error, {}});
                     return;
                 }
                 AccountLists found{home, {}};
                 for (const DavResponse &response : result.value.responses) {
                     if (holdsTasks(response))
                         found.lists.push_back(
                             TaskList{home.resolved(QUrl::fromEncoded(response.href.toUtf8())),
                                      response.displayName});
                 }
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
    send(Request{"MKCALENDAR", created, body, {{"Content-Type", xmlType}}},
         [created, name, reply](const Answer &answer) {
             if (answer.error != ServerError::none)
                 return reply({answer.error, {}});
             reply({ServerError::none, TaskList{created, name}});
         });
}

void CalDavClient::changesSince(const QString &syncToken, Reply<ServerChanges> reply)
{
    const QByteArray token = syncToken.toHtmlEscaped().toUtf8();
    const QByteArray body = R"(<D:sync-collection xmlns:D="DAV:"><D:sync-token>)" + token +
                            "</D:sync-token><D:sync-level>1</D:sync-level>"
                            "<D:prop><D:getetag/></D:prop></D:sync-collection>";
    const QString collection = m_collection.path(QUrl::FullyEncoded);
    const bool hasToken = !syncToken.isEmpty();
    report(body, 0,
           [reply, collection, hasToken](ServerResult<Multistatus> result, const Answer &answer) {
               if (!result.ok()) {
                   // A stale token (RFC 6578: 403 or 409 with valid-sync-token; xandikos
                   // answers 500) and a server without the report both mean: compare
                   // ETags instead. A server that fails for good fails that too.
                   const bool unsupported =
                       answer.status == 400 || answer.status == 405 || answer.status == 409 ||
                       answer.status == 501 ||
                       (answer.status == 403 && answer.body.contains("sync-token"));
                   const bool stale = hasToken && result.error == ServerError::server;
                   reply({unsupported || stale ? ServerError::invalidSyncToken : result.error, {}});
                   return;
               }
               ServerChanges changes;
               changes.syncToken = result.value.syncToken;
               for (const DavResponse &response : result.value.responses) {
                   const QString href = pathOf(response.href);
                   if (href == collection)
                       continue;
                   if (response.status == 404)
                       changes.removed += href;
                   else if (!response.etag.isEmpty())
                       changes.changed.push_back(ServerObject{href, response.etag, {}});
               }
               if (changes.syncToken.isEmpty()) {
                   reply({ServerError::badAnswer, {}});
                   return;
               }
               reply({ServerError::none, std::move(changes)});
           });
}

void CalDavClient::listEtags(Reply<std::vector<ServerObject>> reply)
{
    const QByteArray body =
        R"(<C:calendar-query xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
        R"(<D:prop><D:getetag/></D:prop><C:filter><C:comp-filter name="VCALENDAR">)"
        R"(<C:comp-filter name="VTODO"/></C:comp-filter></C:filter></C:calendar-query>)";
    const QString collection = m_collection.path(QUrl::FullyEncoded);
    report(body, 1, [reply, collection](ServerResult<Multistatus> result, const Answer &) {
        if (!result.ok()) {
            reply({result.error, {}});
            return;
        }
        std::vector<ServerObject> objects;
        for (const DavResponse &response : result.value.responses) {
            const QString href = pathOf(response.href);
            if (href != collection && !response.etag.isEmpty())
                objects.push_back(ServerObject{href, response.etag, {}});
        }
        reply({ServerError::none, std::move(objects)});
    });
}

void CalDavClient::fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply)
{
    QByteArray body =
        R"(<C:calendar-multiget xmlns:D="DAV:" xmlns:C="urn:ietf:params:xml:ns:caldav">)"
        R"(<D:prop><D:getetag/><C:calendar-data/></D:prop>)";
    for (const QString &href : hrefs)
        body += "<D:href>" + href.toHtmlEscaped().toUtf8() + "</D:href>";
    body += "</C:calendar-multiget>";
    report(body, 1, [reply](ServerResult<Multistatus> result, const Answer &) {
        if (!result.ok()) {
            reply({result.error, {}});
            return;
        }
        std::vector<ServerObject> objects;
        for (const DavResponse &response : result.value.responses) {
            if (response.status == 0 && !response.calendarData.isEmpty())
                objects.push_back(
                    ServerObject{pathOf(response.href), response.etag, response.calendarData});
        }
        reply({ServerError::none, std::move(objects)});
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
        reply({answer.error, answer.error == ServerError::none ? answer.etag : QString()});
    });
}

void CalDavClient::remove(const QString &href, const QString &etag, Reply<bool> reply)
{
    Request request{"DELETE", resolved(href), {}, {}};
    if (!etag.isEmpty())
        request.headers.append(std::pair<QByteArray, QByteArray>("If-Match", etag.toUtf8()));
    send(std::move(request), [reply](const Answer &answer) {
        reply({answer.error, answer.error == ServerError::none});
    });
}
