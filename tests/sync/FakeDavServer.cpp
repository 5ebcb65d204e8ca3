// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FakeDavServer.h"

#include <QSslConfiguration>
#include <QSslServer>
#include <QSslSocket>
#include <QTimer>

namespace {

QByteArray reason(int status)
{
    switch (status) {
    case 200:
        return "OK";
    case 207:
        return "Multi-Status";
    case 301:
        return "Moved Permanently";
    case 401:
        return "Unauthorized";
    default:
        return "Status";
    }
}

} // namespace

FakeDavServer::FakeDavServer() = default;
FakeDavServer::~FakeDavServer() = default;

void FakeDavServer::useTls(const QSslCertificate &certificate, const QSslKey &key)
{
    auto server = std::make_unique<QSslServer>();
    QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
    configuration.setLocalCertificate(certificate);
    configuration.setPrivateKey(key);
    configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
    server->setSslConfiguration(configuration);
    m_server = std::move(server);
    m_tls = true;
}

bool FakeDavServer::listen()
{
    if (!m_server)
        m_server = std::make_unique<QTcpServer>();
    QObject::connect(m_server.get(), &QTcpServer::pendingConnectionAvailable, m_server.get(),
                     [this] {
                         while (QTcpSocket *socket = m_server->nextPendingConnection())
                             serve(socket);
                     });
    return m_server->listen(QHostAddress::LocalHost, 0);
}

QUrl FakeDavServer::url(const QString &host) const
{
    return QUrl(QStringLiteral("%1://%2:%3/")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"), host)
                    .arg(m_server->serverPort()));
}

void FakeDavServer::serve(QTcpSocket *socket)
{
    auto received = std::make_shared<QByteArray>();
    QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket, received] {
        *received += socket->readAll();
        const qsizetype headEnd = received->indexOf("\r\n\r\n");
        if (headEnd < 0)
            return;
        Request request;
        const QList<QByteArray> lines = received->left(headEnd).split('\n');
        const QList<QByteArray> start = lines.front().trimmed().split(' ');
        if (start.size() < 2)
            return socket->abort();
        request.method = start[0];
        request.path = start[1];
        for (qsizetype i = 1; i < lines.size(); ++i) {
            const qsizetype colon = lines[i].indexOf(':');
            if (colon > 0)
                request.headers.insert(lines[i].left(colon).trimmed().toLower(),
                                       lines[i].mid(colon + 1).trimmed());
        }
        const qsizetype length = request.headers.value("content-length", "0").toLongLong();
        if (received->size() < headEnd + 4 + length)
            return;
        request.body = received->mid(headEnd + 4, length);
        received->clear();
        requests.push_back(request);
        const Response response = answer ? answer(request) : Response{404, {}, {}};
        QByteArray text = "HTTP/1.1 " + QByteArray::number(response.status) + ' ' +
                          reason(response.status) +
                          "\r\nContent-Length: " + QByteArray::number(response.body.size()) +
                          "\r\nConnection: close\r\n";
        for (const auto &[name, value] : response.headers)
            text += name + ": " + value + "\r\n";
        const qsizetype half = response.body.size() / 2;
        QTimer::singleShot(response.delayMs, socket,
                           [socket, first = text + "\r\n" + response.body.left(half),
                            rest = response.body.mid(half), later = response.bodyDelayMs] {
                               socket->write(first);
                               QTimer::singleShot(later, socket, [socket, rest] {
                                   socket->write(rest);
                                   socket->disconnectFromHost();
                               });
                           });
    });
}
