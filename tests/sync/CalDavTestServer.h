// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

// A real CalDAV server for one test: Debian's Radicale (with an htpasswd
// user) or xandikos (a stricter one, without accounts), listening on
// 127.0.0.1 at a free port, its data in a temporary folder of its own.
// Stopped and removed when the object goes.
class CalDavTestServer {
public:
    enum class Kind { radicale, xandikos };

    explicit CalDavTestServer(Kind kind);

    // Radicale only: HTTPS with a self-signed certificate made for the test,
    // which no client should trust. Before `start`.
    void useUntrustedCertificate() { m_tls = true; }
    // Radicale only: a task list in the user's home, shown as `name`, that
    // the user may read but not write, as a list shared read-only. Before
    // `start`.
    void addReadOnlyList(const QString &name) { m_readOnlyList = name; }
    ~CalDavTestServer();

    // Starts the server and waits, at most 20 s, until it accepts connections.
    bool start();
    // Ends the server, as a crash or a lost connection would to a client.
    void stop();

    Kind kind() const { return m_kind; }
    QString name() const;
    QUrl url() const;
    QString user() const { return QStringLiteral("ann"); }
    QString password() const { return QStringLiteral("secret"); }
    // The folder of the user's lists, one folder each, an object file per
    // to-do (for filling a list faster than by PUT); on Xandikos each list's
    // folder is a git repository, whose commits it serves.
    QString userFolder() const;
    // What the server wrote, for a failing test's message.
    QByteArray log() const { return m_log; }
    // Radicale only: how many requests of `method` it took so far.
    int requestsSoFar(QByteArrayView method);

private:
    Kind m_kind;
    QTemporaryDir m_directory;
    QProcess m_process;
    quint16 m_port = 0;
    bool m_tls = false;
    QString m_readOnlyList;
    QByteArray m_log;
};
