// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QList>
#include <QMap>
#include <QSslCertificate>
#include <QSslKey>
#include <QUrl>

#include <functional>
#include <memory>
#include <vector>

class QTcpServer;
class QTcpSocket;

// An HTTP(S) server on 127.0.0.1 that answers each request as the test says,
// for what real CalDAV servers do not do on request: refusals in another
// server's words, truncated listings, redirects to other hosts. Keeps every
// request it was sent. One request per connection.
class FakeDavServer {
public:
    struct Request {
        QByteArray method;
        QByteArray path;
        // Names in lower case.
        QMap<QByteArray, QByteArray> headers;
        QByteArray body;
    };
    struct Response {
        int status = 200;
        QByteArray body;
        QList<std::pair<QByteArray, QByteArray>> headers;
        // How long the server works on it before it answers, as a large
        // list keeps a real one busy.
        int delayMs = 0;
        // How much later the body's second half follows the first, as a
        // long answer streams.
        int bodyDelayMs = 0;
    };

    FakeDavServer();
    ~FakeDavServer();

    // HTTPS with this certificate and key; before `listen`.
    void useTls(const QSslCertificate &certificate, const QSslKey &key);
    bool listen();
    // "http(s)://host:port/" with the host given (both 127.0.0.1 and
    // localhost reach it).
    QUrl url(const QString &host = QStringLiteral("127.0.0.1")) const;

    std::function<Response(const Request &)> answer;
    std::vector<Request> requests;

private:
    void serve(QTcpSocket *socket);

    std::unique_ptr<QTcpServer> m_server;
    bool m_tls = false;
};
