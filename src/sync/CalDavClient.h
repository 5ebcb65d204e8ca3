// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CalendarServer.h"
#include "Multistatus.h"
#include "PasswordOrigins.h"
#include "TaskList.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

#include <memory>

// A CalDAV task list over HTTP(S) with Qt Network, asynchronous only.
//
// Certificates are checked by Qt and never ignored; plain HTTP is refused
// except to the loopback address the user typed. Redirects are followed by
// hand, keeping the method and body (Qt would turn a redirected PROPFIND into
// a GET), never from HTTPS down to HTTP. Answers past the size limit are cut
// off as bad. The password is sent with every request (Basic), since a server
// that asks first costs each request a round trip, but only to the origins in
// passwordOrigins(). Only to-dos are ever listed or fetched: a calendar's
// events and journals stay on the server.
class CalDavClient : public QObject, public CalendarServer {
    Q_OBJECT
public:
    CalDavClient(QUrl server, QString user, QString password, QObject *parent = nullptr);

    // Whether Plimsa lets a user type this address at all.
    static bool isAllowed(const QUrl &url);

    // Finds the account's calendar home and the lists in it that hold VTODOs
    // and that the user may write. Trusts the HTTPS origins found on the way.
    void discover(Reply<AccountLists> reply);
    // Makes a task list named `name` in `home` (MKCALENDAR for VTODOs only).
    void createTaskList(const QUrl &home, const QString &name, Reply<TaskList> reply);
    QUrl collection() const { return m_collection; }
    void setCollection(const QUrl &collection) { m_collection = collection; }

    // Where the password goes: the typed origin and what discovery trusted.
    QStringList passwordOrigins() const { return m_origins.origins(); }
    // The same for people, e.g. {"icloud.com", "p42-caldav.icloud.com"}.
    QStringList passwordHosts() const { return m_origins.hosts(); }
    // Origins kept from an earlier discovery (AccountLists::passwordOrigins);
    // any but HTTPS ones are left out.
    void setPasswordOrigins(const QStringList &origins) { m_origins.add(origins); }

    void changesSince(const QString &syncToken, Reply<ServerChanges> reply) override;
    void listEtags(Reply<std::vector<ServerObject>> reply) override;
    // In batches of at most `hrefsPerFetch` hrefs, smaller when an answer
    // would pass the size limit; answers once, with all or the first error.
    // A long fetch from a server that is slow to find an href goes by
    // queries over the whole list (WholeListPlan.h).
    void fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply) override;
    void put(const QString &href, const QByteArray &data, const QString &etag,
             Reply<QString> reply) override;
    void remove(const QString &href, const QString &etag, Reply<bool> reply) override;
    QString hrefForUid(const QString &uid) const override;

    static constexpr qint64 defaultAnswerLimit = qint64(64) << 20;
    static constexpr int hrefsPerFetch = 250;
    // A listing cut short more often than this is not believed to end.
    static constexpr int listingRounds = 1000;
    void setAnswerLimitForTesting(qint64 limit) { m_answerLimit = limit; }
    // How long a request may go without a byte moving before the server is
    // asked whether it is still there (AnswerWatch), and how long that may go
    // unanswered; it doubles (to 10 minutes at most) each time a request is
    // given up, for servers that serve one request at a time.
    int transferTimeoutMs() const { return m_transferTimeoutMs; }
    void setTransferTimeoutForTesting(int milliseconds) { m_transferTimeoutMs = milliseconds; }
    // How long an answer may stay quiet in all while the server says it is there.
    static constexpr int longestWaitMs = 30 * 60 * 1000;
    void setLongestWaitForTesting(int milliseconds) { m_longestWaitMs = milliseconds; }
    // Every fetch goes by whole-list queries after its first batch.
    void setWholeListFetchForTesting(bool always) { m_wholeListForTesting = always; }
    // Requests sent so far, redirects included, for benchmarks.
    int requestCountForTesting() const { return m_requestCount; }

private:
    // What a request is about, for what a 404 means.
    enum class Target { account, list, object };
    struct Answer {
        ServerError error = ServerError::none;
        int status = 0;
        QByteArray body;
        QString etag;
        // Where the answer came from, after redirects.
        QUrl url;
        QString message;
        // Cut off at the size limit; `body` holds what came before.
        bool tooLarge = false;
    };
    struct Request {
        QByteArray verb;
        QUrl url;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
        Target target = Target::object;
        // Discovery trusts the HTTPS origins a trusted one redirects to.
        bool discovery = false;
        // Sent again after a timeout already.
        bool retried = false;
    };
    struct Listing;
    struct Fetching;

    bool mayConnect(const QUrl &url) const;
    void send(Request request, std::function<void(Answer)> done, int redirectsLeft = 5);
    void propfind(const QUrl &url, int depth, const QByteArray &properties,
                  std::function<void(ServerResult<Multistatus>, const Answer &)> done);
    void report(const QByteArray &body, int depth,
                std::function<void(ServerResult<Multistatus>, const Answer &)> done);
    void findHome(const QUrl &principal, Reply<AccountLists> reply);
    void findLists(const QUrl &home, Reply<AccountLists> reply);
    void listWhole(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply);
    void listTodoEtags(std::shared_ptr<Listing> listing, const QString &token,
                       Reply<ServerChanges> reply);
    void listFrom(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply);
    void keepTodosOnly(std::shared_ptr<Listing> listing, Reply<ServerChanges> reply);
    void fetchFrom(std::shared_ptr<Fetching> fetching, Reply<std::vector<ServerObject>> reply);
    void fetchWholeList(std::shared_ptr<Fetching> fetching, Reply<std::vector<ServerObject>> reply);
    void fetchRange(std::shared_ptr<Fetching> fetching, Reply<std::vector<ServerObject>> reply);
    QUrl resolved(const QString &href) const;

    QNetworkAccessManager m_network;
    QUrl m_server;
    QByteArray m_authorization;
    PasswordOrigins m_origins;
    QUrl m_collection;
    qint64 m_answerLimit = defaultAnswerLimit;
    int m_transferTimeoutMs = 30000;
    int m_longestWaitMs = longestWaitMs;
    int m_requestCount = 0;
    // What the last calendar-query for every to-do's ETag took; 0 before one.
    qint64 m_lastTodoQueryMs = 0;
    bool m_wholeListForTesting = false;
};
