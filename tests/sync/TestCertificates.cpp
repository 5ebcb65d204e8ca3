// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TestCertificates.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

bool TestCertificates::make()
{
    QTemporaryDir folder;
    if (!folder.isValid())
        return false;
    auto run = [&](const QStringList &arguments) {
        QProcess openssl;
        openssl.setWorkingDirectory(folder.path());
        openssl.start(QStringLiteral("openssl"), arguments);
        return openssl.waitForFinished(30000) && openssl.exitCode() == 0;
    };
    const QStringList ecKey = {
        QStringLiteral("-newkey"), QStringLiteral("ec"), QStringLiteral("-pkeyopt"),
        QStringLiteral("ec_paramgen_curve:prime256v1"), QStringLiteral("-nodes")};
    QFile extensions(folder.filePath(QStringLiteral("server.ext")));
    if (!extensions.open(QIODevice::WriteOnly) ||
        extensions.write("subjectAltName=IP:127.0.0.1,DNS:localhost\n") < 0)
        return false;
    extensions.close();
    const bool made =
        run(QStringList{QStringLiteral("req"), QStringLiteral("-x509")} + ecKey +
            QStringList{QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-subj"),
                        QStringLiteral("/CN=Plimsa Test Authority"), QStringLiteral("-keyout"),
                        QStringLiteral("ca.key"), QStringLiteral("-out"),
                        QStringLiteral("ca.pem")}) &&
        run(QStringList{QStringLiteral("req")} + ecKey +
            QStringList{QStringLiteral("-subj"), QStringLiteral("/CN=localhost"),
                        QStringLiteral("-keyout"), QStringLiteral("server.key"),
                        QStringLiteral("-out"), QStringLiteral("server.csr")}) &&
        run({QStringLiteral("x509"), QStringLiteral("-req"), QStringLiteral("-in"),
             QStringLiteral("server.csr"), QStringLiteral("-CA"), QStringLiteral("ca.pem"),
             QStringLiteral("-CAkey"), QStringLiteral("ca.key"), QStringLiteral("-CAcreateserial"),
             QStringLiteral("-days"), QStringLiteral("1"), QStringLiteral("-extfile"),
             QStringLiteral("server.ext"), QStringLiteral("-out"), QStringLiteral("server.pem")});
    if (!made)
        return false;
    auto read = [&](const QString &name) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    authority = QSslCertificate(read(QStringLiteral("ca.pem")));
    server = QSslCertificate(read(QStringLiteral("server.pem")));
    key = QSslKey(read(QStringLiteral("server.key")), QSsl::Ec);
    return !authority.isNull() && !server.isNull() && !key.isNull();
}
