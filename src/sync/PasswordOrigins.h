// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <set>

// Where an account's password may go: the origin (scheme, host, port) the
// user typed, and the HTTPS origins that a trusted origin named while the
// account was found (a redirect, the principal, the calendar home), as
// iCloud's home on another host needs. Plain HTTP is never added: only the
// typed address may be plain (and then only on loopback, see CalDavClient).
//
// Origins are written "https://host:443", the scheme's default port filled
// in, so that "https://h/" and "https://h:443/" are one.
class PasswordOrigins {
public:
    explicit PasswordOrigins(const QUrl &typed);

    // Empty for a URL without a scheme or host.
    static QString originOf(const QUrl &url);

    bool contains(const QUrl &url) const;
    bool isTyped(const QUrl &url) const;
    // Trusts `named` when a trusted `namedBy` named it and it is HTTPS.
    void addNamed(const QUrl &namedBy, const QUrl &named);
    // Origins kept with the account, given back; all but HTTPS ones are left out.
    void add(const QStringList &origins);

    // The typed origin first, then the others in order.
    QStringList origins() const;
    // The same as hosts for people: "caldav.example.org", or with ":port"
    // when it is not the scheme's default.
    QStringList hosts() const;

private:
    QString m_typed;
    std::set<QString> m_named;
};
