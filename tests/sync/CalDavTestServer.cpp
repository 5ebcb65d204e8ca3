// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CalDavTestServer.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>

namespace {

quint16 freePort()
{
    QTcpServer probe;
    if (!probe.listen(QHostAddress::LocalHost, 0))
        return 0;
    return probe.serverPort();
}

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

} // namespace

CalDavTestServer::CalDavTestServer(Kind kind) : m_kind(kind)
{
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    QObject::connect(&m_process, &QProcess::readyRead, [this] { m_log += m_process.readAll(); });
}

CalDavTestServer::~CalDavTestServer()
{
    stop();
}

int CalDavTestServer::requestsSoFar(QByteArrayView method)
{
    m_log += m_process.readAll();
    const QByteArray line = "] [INFO] " + method.toByteArray() + " request for";
    return int(m_log.count(line));
}

QString CalDavTestServer::name() const
{
    return m_kind == Kind::radicale ? QStringLiteral("Radicale") : QStringLiteral("xandikos");
}

QUrl CalDavTestServer::url() const
{
    return QUrl(QStringLiteral("%1://127.0.0.1:%2/")
                    .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
                    .arg(m_port));
}

QString CalDavTestServer::userFolder() const
{
    if (m_kind == Kind::xandikos)
        return m_directory.path() + QStringLiteral("/xandikos/user/calendars");
    return m_directory.path() + QStringLiteral("/collections/collection-root/") + user();
}

bool CalDavTestServer::start()
{
    if (!m_directory.isValid())
        return false;
    if (m_port == 0)
        m_port = freePort();
    const QString root = m_directory.path();
    const QString address = QStringLiteral("127.0.0.1");
    if (m_kind == Kind::radicale) {
        const QString config = root + QStringLiteral("/radicale.conf");
        QByteArray text = QStringLiteral("[server]\nhosts = %1:%2\n"
                                         "[auth]\ntype = htpasswd\n"
                                         "htpasswd_filename = %3/users\n"
                                         "htpasswd_encryption = plain\ndelay = 0\n"
                                         "[storage]\nfilesystem_folder = %3/collections\n"
                                         "[web]\ntype = none\n[logging]\nlevel = info\n")
                              .arg(address)
                              .arg(m_port)
                              .arg(root)
                              .toUtf8();
        QByteArray tls;
        if (m_tls) {
            QProcess openssl;
            openssl.start(QStringLiteral("openssl"),
                          {QStringLiteral("req"), QStringLiteral("-x509"),
                           QStringLiteral("-newkey"), QStringLiteral("rsa:2048"),
                           QStringLiteral("-nodes"), QStringLiteral("-days"), QStringLiteral("1"),
                           QStringLiteral("-subj"), QStringLiteral("/CN=127.0.0.1"),
                           QStringLiteral("-keyout"), root + QStringLiteral("/key.pem"),
                           QStringLiteral("-out"), root + QStringLiteral("/cert.pem")});
            if (!openssl.waitForFinished(30000) || openssl.exitCode() != 0)
                return false;
            tls = QStringLiteral("ssl = True\ncertificate = %1/cert.pem\nkey = %1/key.pem\n")
                      .arg(root)
                      .toUtf8();
        }
        if (!m_readOnlyList.isEmpty()) {
            const QString folder = userFolder() + u'/' + m_readOnlyList.toLower();
            const QByteArray properties =
                R"({"C:supported-calendar-component-set": "VTODO", "tag": "VCALENDAR", )"
                R"("D:displayname": ")" +
                m_readOnlyList.toUtf8() + "\"}";
            // The first rule that matches counts: the list is read-only, the
            // rest of the user's home theirs, as without rules.
            const QByteArray rights = "[shared]\nuser: .+\ncollection: {user}/" +
                                      m_readOnlyList.toLower().toUtf8() +
                                      "(/.*)?\npermissions: r\n"
                                      "[owner]\nuser: .+\ncollection: {user}(/.*)?\n"
                                      "permissions: RrWw\n"
                                      "[root]\nuser: .+\ncollection:\npermissions: R\n";
            if (!QDir().mkpath(folder) ||
                !writeFile(folder + QStringLiteral("/.Radicale.props"), properties) ||
                !writeFile(root + QStringLiteral("/rights"), rights))
                return false;
            text +=
                QStringLiteral("[rights]\ntype = from_file\nfile = %1/rights\n").arg(root).toUtf8();
        }
        const QByteArray serverSection = "[server]\n" + tls;
        if (!writeFile(config, text.replace("[server]\n", serverSection)) ||
            !writeFile(root + QStringLiteral("/users"),
                       (user() + u':' + password() + u'\n').toUtf8()))
            return false;
        m_process.start(
            QStringLiteral("/usr/bin/python3"),
            {QStringLiteral("-m"), QStringLiteral("radicale"), QStringLiteral("--config"), config});
    } else {
        m_process.start(QStringLiteral("/usr/bin/xandikos"),
                        {QStringLiteral("--autocreate"), QStringLiteral("-d"),
                         root + QStringLiteral("/xandikos"), QStringLiteral("-l"), address,
                         QStringLiteral("-p"), QString::number(m_port)});
    }
    if (!m_process.waitForStarted(5000))
        return false;
    const QDeadlineTimer deadline(20000);
    while (!deadline.hasExpired() && m_process.state() == QProcess::Running) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, m_port);
        if (socket.waitForConnected(200))
            return true;
        QThread::msleep(50);
    }
    return false;
}

void CalDavTestServer::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000)) {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
}
