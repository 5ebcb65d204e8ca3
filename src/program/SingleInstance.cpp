// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SingleInstance.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>
#include <QThread>
#include <cstring>
#include <optional>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

// "raise", then a space and the activation token when there is one.
const QByteArray raiseMessage = QByteArrayLiteral("raise");
const QByteArray syncSettingsMessage = QByteArrayLiteral("sync-settings");
constexpr std::size_t longestMessage = 1024;
constexpr int answerTimeoutMs = 5000;
constexpr int retryDelayMs = 50;

std::optional<sockaddr_un> socketAddress(const QString &path)
{
    const QByteArray encoded = QFile::encodeName(path);
    sockaddr_un address = {};
    address.sun_family = AF_UNIX;
    if (static_cast<std::size_t>(encoded.size()) >= sizeof address.sun_path)
        return std::nullopt;
    std::memcpy(address.sun_path, encoded.constData(), static_cast<std::size_t>(encoded.size()));
    return address;
}

} // namespace

SingleInstance::SingleInstance(const QString &runtimeDirectory, QObject *parent)
    : QObject(parent), m_socketPath(runtimeDirectory + QStringLiteral("/plimsa.socket")),
      m_lock(runtimeDirectory + QStringLiteral("/plimsa.lock"))
{
    m_lock.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (m_socket < 0)
        return;
    ::close(m_socket);
    QFile::remove(m_socketPath);
}

bool SingleInstance::claim()
{
    if (!m_lock.tryLock(0))
        return m_lock.error() != QLockFile::LockFailedError;
    // A plain datagram socket rather than QLocalServer, which loads QtNetwork
    // and with it Kerberos and proxy libraries (1.6 MB resident at start).
    const auto address = socketAddress(m_socketPath);
    if (!address)
        return true;
    QFile::remove(m_socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return true;
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&*address), sizeof *address) != 0) {
        ::close(fd);
        return true;
    }
    ::chmod(address->sun_path, S_IRUSR | S_IWUSR);
    m_socket = fd;
    auto *notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        char buffer[longestMessage];
        std::optional<QString> raiseWith;
        bool syncSettings = false;
        ssize_t size;
        while ((size = ::recv(m_socket, buffer, sizeof buffer, 0)) >= 0) {
            QByteArray message(buffer, size);
            if (message.startsWith(syncSettingsMessage + ' ') || message == syncSettingsMessage) {
                syncSettings = true;
                message = raiseMessage + message.sliced(syncSettingsMessage.size());
            }
            if (message == raiseMessage)
                raiseWith = QString();
            else if (message.startsWith(raiseMessage + ' '))
                raiseWith = QString::fromUtf8(message.sliced(raiseMessage.size() + 1));
        }
        if (raiseWith)
            emit raiseRequested(*raiseWith);
        if (syncSettings)
            emit syncSettingsRequested();
    });
    return true;
}

bool SingleInstance::askRunningInstanceToRaise(const QString &activationToken, bool syncSettings)
{
    const QByteArray verb = syncSettings ? syncSettingsMessage : raiseMessage;
    QByteArray message = verb;
    if (!activationToken.isEmpty())
        message += ' ' + activationToken.toUtf8();
    if (static_cast<std::size_t>(message.size()) > longestMessage)
        message = verb;
    const auto address = socketAddress(m_socketPath);
    const int fd = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (!address || fd < 0)
        return false;
    // The running instance may still be starting and not yet listening.
    bool sent = false;
    const QDeadlineTimer deadline(answerTimeoutMs);
    while (!sent && !deadline.hasExpired()) {
        sent = ::sendto(fd, message.constData(), static_cast<std::size_t>(message.size()),
                        MSG_DONTWAIT, reinterpret_cast<const sockaddr *>(&*address),
                        sizeof *address) == static_cast<ssize_t>(message.size());
        if (!sent)
            QThread::msleep(retryDelayMs);
    }
    ::close(fd);
    return sent;
}
