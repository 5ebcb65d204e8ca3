// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <CalendarServer.h>

#include <map>
#include <optional>

// A task list in memory that answers at once, for the faults real servers do
// not make on request: `fault` names the call that fails next and how.
class FakeCalendarServer final : public CalendarServer {
public:
    enum class Call { changesSince, listEtags, fetch, put, remove };
    std::optional<std::pair<Call, ServerError>> fault;
    std::map<QString, ServerObject> objects;
    // Writes to these hrefs are refused for good, in these words.
    std::map<QString, QString> refusing;

    void changesSince(const QString &, Reply<ServerChanges> reply) override
    {
        if (failed(Call::changesSince, reply))
            return;
        ServerChanges changes;
        for (const auto &[href, object] : objects)
            changes.changed.push_back(ServerObject{href, object.etag, {}});
        changes.syncToken = QString::number(m_version);
        reply({ServerError::none, std::move(changes)});
    }
    void listEtags(Reply<std::vector<ServerObject>> reply) override
    {
        if (failed(Call::listEtags, reply))
            return;
        std::vector<ServerObject> listed;
        for (const auto &[href, object] : objects)
            listed.push_back(ServerObject{href, object.etag, {}});
        reply({ServerError::none, std::move(listed)});
    }
    void fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply) override
    {
        if (failed(Call::fetch, reply))
            return;
        std::vector<ServerObject> found;
        for (const QString &href : hrefs) {
            if (objects.contains(href))
                found.push_back(objects[href]);
        }
        reply({ServerError::none, std::move(found)});
    }
    void put(const QString &href, const QByteArray &data, const QString &etag,
             Reply<QString> reply) override
    {
        if (failed(Call::put, reply))
            return;
        if (refusing.contains(href))
            return reply({ServerError::refused, {}, refusing[href]});
        const auto found = objects.find(href);
        if ((etag.isEmpty() && found != objects.end()) ||
            (!etag.isEmpty() && (found == objects.end() || found->second.etag != etag)))
            return reply({ServerError::preconditionFailed, {}});
        const QString newEtag = QStringLiteral("\"%1\"").arg(++m_version);
        objects[href] = ServerObject{href, newEtag, data};
        reply({ServerError::none, newEtag});
    }
    void remove(const QString &href, const QString &, Reply<bool> reply) override
    {
        if (failed(Call::remove, reply))
            return;
        objects.erase(href);
        ++m_version;
        reply({ServerError::none, true});
    }
    QString hrefForUid(const QString &uid) const override
    {
        return QStringLiteral("/list/") + uid + QStringLiteral(".ics");
    }

private:
    template <typename Answer> bool failed(Call call, const Answer &reply)
    {
        if (!fault || fault->first != call)
            return false;
        const ServerError error = fault->second;
        fault.reset();
        reply({error, {}});
        return true;
    }

    int m_version = 0;
};
