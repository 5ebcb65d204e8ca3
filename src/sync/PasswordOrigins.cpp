// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PasswordOrigins.h"

namespace {

int defaultPort(const QString &scheme)
{
    if (scheme == u"https")
        return 443;
    if (scheme == u"http")
        return 80;
    return -1;
}

} // namespace

PasswordOrigins::PasswordOrigins(const QUrl &typed) : m_typed(originOf(typed)) {}

QString PasswordOrigins::originOf(const QUrl &url)
{
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return {};
    QUrl origin;
    origin.setScheme(url.scheme());
    origin.setHost(url.host());
    origin.setPort(url.port(defaultPort(url.scheme())));
    return origin.toString(QUrl::FullyEncoded);
}

bool PasswordOrigins::contains(const QUrl &url) const
{
    const QString origin = originOf(url);
    return !origin.isEmpty() && (origin == m_typed || m_named.contains(origin));
}

bool PasswordOrigins::isTyped(const QUrl &url) const
{
    const QString origin = originOf(url);
    return !origin.isEmpty() && origin == m_typed;
}

void PasswordOrigins::addNamed(const QUrl &namedBy, const QUrl &named)
{
    if (contains(namedBy) && named.scheme() == u"https" && !originOf(named).isEmpty())
        m_named.insert(originOf(named));
}

void PasswordOrigins::add(const QStringList &origins)
{
    for (const QString &origin : origins) {
        const QUrl url(origin);
        if (url.scheme() == u"https" && !originOf(url).isEmpty())
            m_named.insert(originOf(url));
    }
}

QStringList PasswordOrigins::origins() const
{
    QStringList all;
    if (!m_typed.isEmpty())
        all += m_typed;
    for (const QString &origin : m_named) {
        if (origin != m_typed)
            all += origin;
    }
    return all;
}

QStringList PasswordOrigins::hosts() const
{
    QStringList names;
    for (const QString &origin : origins()) {
        QUrl url(origin);
        if (url.port() == defaultPort(url.scheme()))
            url.setPort(-1);
        names += url.authority();
    }
    return names;
}
