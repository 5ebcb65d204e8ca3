#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>

namespace {

const QByteArray raiseMessage = QByteArrayLiteral("raise\n");
constexpr int answerTimeoutMs = 5000;
constexpr int retryDelayMs = 50;

} // namespace

SingleInstance::SingleInstance(const QString &runtimeDirectory, QObject *parent)
    : QObject(parent), m_socketPath(runtimeDirectory + QStringLiteral("/plimsa.socket")),
      m_lock(runtimeDirectory + QStringLiteral("/plimsa.lock"))
{
    m_lock.setStaleLockTime(0);
}

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0))
        return m_lock.error() != QLockFile::LockFailedError;
    QLocalServer::removeServer(m_socketPath);
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
                if (socket->readAll().contains('\n'))
                    emit raiseRequested();
                socket->disconnectFromServer();
            });
        }
    });
    m_server->listen(m_socketPath);
    return true;
}

bool SingleInstance::askRunningInstanceToRaise()
{
    // The running instance may still be starting and not yet listening.
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!deadline.hasExpired()) {
        QLocalSocket socket;
        socket.connectToServer(m_socketPath);
        if (socket.waitForConnected(static_cast<int>(deadline.remainingTime()))) {
            socket.write(raiseMessage);
            return socket.waitForBytesWritten(static_cast<int>(deadline.remainingTime()));
        }
        QThread::msleep(retryDelayMs);
    }
    return false;
}
