// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "UntrustedCertificate.h"

#include <QCryptographicHash>
#include <QSslCertificate>
#include <QSslSocket>
#include <QTimer>

namespace {

constexpr int certificateTimeoutMs = 10000;

QString fingerprint(const QSslCertificate &certificate)
{
    return QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper());
}

} // namespace

void findUntrustedCertificate(const QUrl &server, QObject *context,
                              std::function<void(std::optional<QString>)> done)
{
    auto *socket = new QSslSocket(context);
    auto finish = [socket, done = std::move(done)](std::optional<QString> found) {
        if (socket->property("answered").toBool())
            return;
        socket->setProperty("answered", true);
        socket->abort();
        socket->deleteLater();
        done(std::move(found));
    };
    QObject::connect(socket, &QSslSocket::sslErrors, socket,
                     [socket, finish](const QList<QSslError> &) {
                         finish(fingerprint(socket->peerCertificate()));
                     });
    QObject::connect(socket, &QSslSocket::encrypted, socket, [finish] { finish(std::nullopt); });
    QObject::connect(socket, &QAbstractSocket::errorOccurred, socket,
                     [finish] { finish(std::nullopt); });
    QTimer::singleShot(certificateTimeoutMs, socket, [finish] { finish(std::nullopt); });
    socket->connectToHostEncrypted(server.host(), static_cast<quint16>(server.port(443)));
}
