// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

// The parts of a WebDAV multistatus answer (RFC 4918, 6578, 4791) that
// CalDAV sync reads. Only properties in a propstat with a 2xx status count.

struct DavResponse {
    // As the server wrote it, percent-encoding kept.
    QString href;
    // The response's own status (404 for a member gone from a sync report);
    // 0 when it has none and speaks through propstats.
    int status = 0;
    QString etag;
    QByteArray calendarData;
    // The href inside current-user-principal or calendar-home-set.
    QString principal;
    QString calendarHome;
    bool isCalendar = false;
    // supported-calendar-component-set; empty when the server did not say.
    QStringList components;
    QString displayName;
    QString syncToken;
    // getcontenttype, e.g. "text/calendar; charset=utf-8; component=VTODO".
    QString contentType;
    // The DAV: privileges in current-user-privilege-set, by local name
    // ("read", "write-content", "all"); none when the server did not say.
    std::optional<QStringList> privileges;
};

struct Multistatus {
    std::vector<DavResponse> responses;
    // The report's own sync-token (sync-collection).
    QString syncToken;
};

// None for anything that is not a well-formed multistatus document; also for
// one with a DTD, so that no entity is ever expanded.
std::optional<Multistatus> readMultistatus(const QByteArray &xml);

// The responses read whole from a multistatus document that may break off
// (an answer cut at the size limit); none when what is there is not
// well-formed.
struct CutMultistatus {
    std::vector<DavResponse> responses;
    // The document broke off: more responses may have followed.
    bool cut = false;
};
CutMultistatus readCutMultistatus(const QByteArray &xml);

// 207 from "HTTP/1.1 207 Multi-Status"; 0 when unreadable.
int statusFromLine(QStringView line);
