// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "CalendarServer.h"
#include "Multistatus.h"
#include "TaskList.h"

#include <QNetworkAccessManager>
#include <QObject>
#include <QUrl>

// A CalDAV task list over HTTP(S) with Qt Network, asynchronous only.
//
// Certificates are checked by Qt and never ignored; plain HTTP is refused
// except to a loopback address. Redirects are followed by hand, keeping the
// method and body (Qt would turn a redirected PROPFIND into a GET), never from
// HTTPS down to HTTP. Answers past the size limit are cut off as bad. The
// password is sent with every request to the server's own origin (Basic),
// since a server that asks first costs each request a round trip, and never
// to another origin a redirect names.
class CalDavClient : public QObject, public CalendarServer {
    Q_OBJECT
public:
    CalDavClient(QUrl server, QString user, QString password, QObject *parent = nullptr);

    // Whether Plimsa talks to this address at all.
    static bool isAllowed(const QUrl &url);

    // Finds the account's calendar home and the lists in it that hold VTODOs.
    void discover(Reply<AccountLists> reply);
    // Makes a task list named `name` in `home` (MKCALENDAR for VTODOs only).
    void createTaskList(const QUrl &home, const QString &name, Reply<TaskList> reply);
    QUrl collection() const { return m_collection; }
    void setCollection(const QUrl &collection) { m_collection = collection; }

    void changesSince(const QString &syncToken, Reply<ServerChanges> reply) override;
    void listEtags(Reply<std::vector<ServerObject>> reply) override;
    void fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply) override;
    void put(const QString &href, const QByteArray &data, const QString &etag,
             Reply<QString> reply) override;
    void remove(const QString &href, const QString &etag, Reply<bool> reply) override;
    QString hrefForUid(const QString &uid) const override;

    static constexpr qint64 defaultAnswerLimit = qint64(64) << 20;
    void setAnswerLimitForTesting(qint64 limit) { m_answerLimit = limit; }

private:
    struct Answer {
        ServerError error = ServerError::none;
        int status = 0;
        QByteArray body;
        QString etag;
        QUrl url;
    };
    struct Request {
        QByteArray verb;
        QUrl url;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
    };
    void send(Request request, std::function<void(Answer)> done, int redirectsLeft = 5);
    void propfind(const QUrl &url, int depth, const QByteArray &properties,
                  std::function<void(ServerResult<Multistatus>)> done);
    void report(const QByteArray &body, int depth,
                std::function<void(ServerResult<Multistatus>, const Answer &)> done);
    void findHome(const QUrl &principal, Reply<AccountLists> reply);
    void findLists(const QUrl &home, Reply<AccountLists> reply);
    QUrl resolved(const QString &href) const;

    QNetworkAccessManager m_network;
    QUrl m_server;
    QByteArray m_authorization;
    QUrl m_collection;
    qint64 m_answerLimit = defaultAnswerLimit;
};
