// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

// One task list on a calendar server, as the sync engine sees it: so that the
// engine can run against CalDAV or against a fake in tests.
//
// Every call returns at once and answers later, exactly once, on the caller's
// thread through its callback. Hrefs are paths as the server writes them.

enum class ServerError {
    none,
    // Not reached, cut off, timed out or refused (an insecure address).
    network,
    unauthorized,
    // The ETag given no longer matches (412): someone else changed it.
    preconditionFailed,
    notFound,
    // The task list itself is gone (404 or 410 on the collection).
    listGone,
    // The sync token is stale or the server has no sync-collection.
    invalidSyncToken,
    // Not what the protocol promises, or past the size limit.
    badAnswer,
    // Refused for good, whatever the password (403, 400, 409, 413, 415 and
    // other 4xx than those above): the server's own words in `message`.
    refused,
    // Any 5xx: for now.
    server,
};

template <typename T> struct ServerResult {
    ServerError error = ServerError::none;
    T value{};
    // What the server said of a refusal, as plain text (empty when nothing).
    QString message{};
    bool ok() const { return error == ServerError::none; }
};

struct ServerObject {
    QString href;
    QString etag;
    // Empty unless fetched.
    QByteArray data;
};

struct ServerChanges {
    // Changed or new, with their ETags, without data.
    std::vector<ServerObject> changed;
    QStringList removed;
    QString syncToken;
};

class CalendarServer {
public:
    template <typename T> using Reply = std::function<void(ServerResult<T>)>;

    virtual ~CalendarServer() = default;

    // What changed since `syncToken` (all of the list for an empty one).
    virtual void changesSince(const QString &syncToken, Reply<ServerChanges> reply) = 0;
    // Every to-do of the list with its ETag, for servers without a usable token.
    virtual void listEtags(Reply<std::vector<ServerObject>> reply) = 0;
    // The named to-dos with their data; ones that are gone are left out.
    virtual void fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply) = 0;
    // Writes a to-do; an empty `etag` only creates, never replaces. Answers the
    // new ETag, empty when the server gave none.
    virtual void put(const QString &href, const QByteArray &data, const QString &etag,
                     Reply<QString> reply) = 0;
    virtual void remove(const QString &href, const QString &etag, Reply<bool> reply) = 0;
    // Where a new to-do with this UID goes.
    virtual QString hrefForUid(const QString &uid) const = 0;
};
