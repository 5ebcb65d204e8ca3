// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StoredFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool ensurePrivateFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder) &&
           QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
}

bool writeAll(int fd, QByteArrayView bytes)
{
    const char *next = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(fd, next, static_cast<std::size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        next += written;
        left -= written;
    }
    return true;
}

// Makes the rename itself durable. Its failure changes nothing the caller can act on.
void syncFolder(const QString &folder)
{
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

} // namespace

StoredFile::StoredFile(QString path) : m_path(std::move(path)) {}

std::optional<QByteArray> StoredFile::read() const
{
    if (!QFileInfo(m_path).isFile())
        return std::nullopt;
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const qint64 expected = file.size();
    QByteArray bytes(expected + roomAfterContent, Qt::Uninitialized);
    const qint64 length = file.read(bytes.data(), expected);
    if (length < 0)
        return std::nullopt;
    bytes.resize(length);
    // Edited in place by another program since the size was taken.
    if (!file.atEnd())
        bytes.append(file.readAll());
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

QByteArray StoredFile::revision() const
{
    struct stat status;
    if (::stat(QFile::encodeName(m_path).constData(), &status) != 0)
        return {};
    // A replacement is a new inode; a write in place moves the change time.
    const qint64 fields[] = {
        static_cast<qint64>(status.st_dev),          static_cast<qint64>(status.st_ino),
        static_cast<qint64>(status.st_size),         static_cast<qint64>(status.st_mtim.tv_sec),
        static_cast<qint64>(status.st_mtim.tv_nsec), static_cast<qint64>(status.st_ctim.tv_sec),
        static_cast<qint64>(status.st_ctim.tv_nsec),
    };
    return QByteArray(reinterpret_cast<const char *>(fields), sizeof fields);
}

bool StoredFile::write(QByteArrayView bytes)
{
    if (m_holdingUnreadable)
        return false;
    const QFileInfo info(m_path);
    const QString folder = info.absolutePath();
    if (!ensurePrivateFolder(folder))
        return false;
    const QByteArray target = QFile::encodeName(m_path);
    const QByteArray temporary = QFile::encodeName(folder + QStringLiteral("/.") + info.fileName() +
                                                   QStringLiteral(".plimsa-new"));
    // Left by a write cut short, or absent.
    ::unlink(temporary.constData());
    const int fd =
        ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target.constData()) != 0) {
        ::unlink(temporary.constData());
        return false;
    }
    syncFolder(folder);
    return true;
}

std::optional<QString> StoredFile::keepUnreadable(QByteArrayView content)
{
    const QString aside =
        m_path + QStringLiteral(".unreadable-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss.zzz'Z'"));
    m_holdingUnreadable = !StoredFile(aside).write(content);
    if (m_holdingUnreadable)
        return std::nullopt;
    return aside;
}
