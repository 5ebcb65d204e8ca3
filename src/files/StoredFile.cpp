// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StoredFile.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <climits>
#include <new>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

StoredFile::ReadFault &readFault()
{
    static StoredFile::ReadFault fault;
    return fault;
}

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
void syncFolder(const QByteArray &folder)
{
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash <= 0 ? QByteArray(slash == 0 ? "/" : ".") : path.left(slash);
}

// Follows symbolic links to the file a write has to replace, dangling or not.
// None for a loop.
std::optional<QByteArray> writeTarget(QByteArray path)
{
    for (int hops = 0; hops < 40; ++hops) {
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.constData(), target, sizeof target);
        if (length < 0)
            return path;
        QByteArray next(target, length);
        path = next.startsWith('/') ? next : folderOf(path) + '/' + next;
    }
    return std::nullopt;
}

// Removes temporary files that writes cut short by a crash left. Only called
// with the lock held, when no other writer can be midway.
void removeLeftovers(const QByteArray &folder, const QByteArray &prefix)
{
    DIR *entries = ::opendir(folder.constData());
    if (!entries)
        return;
    while (const dirent *entry = ::readdir(entries)) {
        if (QByteArrayView(entry->d_name).startsWith(prefix))
            ::unlinkat(::dirfd(entries), entry->d_name, 0);
    }
    ::closedir(entries);
}

class WriteLock {
public:
    explicit WriteLock(const QByteArray &path)
        : m_fd(::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600))
    {
        if (m_fd < 0)
            return;
        int result;
        while ((result = ::flock(m_fd, LOCK_EX)) != 0 && errno == EINTR) {
        }
        // A file system without locks still gets the atomic replace.
        m_held = result == 0 || errno == ENOLCK;
    }
    ~WriteLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    WriteLock(const WriteLock &) = delete;
    WriteLock &operator=(const WriteLock &) = delete;

    bool isHeld() const { return m_held; }

private:
    int m_fd;
    bool m_held = false;
};

} // namespace

StoredFile::StoredFile(QString path) : m_path(std::move(path)) {}

void StoredFile::setReadFaultForTesting(ReadFault fault)
{
    readFault() = std::move(fault);
}

std::optional<QByteArray> StoredFile::read()
{
    const QByteArray path = QFile::encodeName(m_path);
    const int injected = readFault() ? readFault()(m_path) : 0;
    const int fd = injected ? -1 : ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    const int openError = injected ? injected : errno;
    if (fd < 0) {
        m_unreadable = openError != ENOENT && openError != ENOTDIR;
        return std::nullopt;
    }
    m_unreadable = true;
    struct stat status;
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || status.st_size > sizeLimit) {
        // A folder in its place is no value either, and nothing a write may replace.
        m_unreadable = !(S_ISDIR(status.st_mode));
        ::close(fd);
        return std::nullopt;
    }
    QByteArray bytes;
    qsizetype length = 0;
    bool failed = false;
    try {
        bytes.resize(static_cast<qsizetype>(status.st_size) + roomAfterContent);
    } catch (const std::bad_alloc &) {
        failed = true;
    }
    // Until end of file: it may grow while being read, if not past the limit.
    while (!failed) {
        if (bytes.size() - length < roomAfterContent + 1) {
            if (length >= sizeLimit)
                failed = true;
            else
                try {
                    bytes.resize(std::min<qsizetype>(bytes.size() * 2,
                                                     sizeLimit + roomAfterContent + 1));
                } catch (const std::bad_alloc &) {
                    failed = true;
                }
            continue;
        }
        const ssize_t got = ::read(fd, bytes.data() + length,
                                   static_cast<std::size_t>(bytes.size() - length - roomAfterContent));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            failed = true;
        else if (got == 0)
            break;
        else
            length += got;
    }
    ::close(fd);
    if (failed)
        return std::nullopt;
    m_unreadable = false;
    bytes.truncate(length);
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
    if (isHeldBack())
        return false;
    const std::optional<QByteArray> target = writeTarget(QFile::encodeName(m_path));
    if (!target)
        return false;
    const QByteArray folder = folderOf(*target);
    if (!ensurePrivateFolder(QFile::decodeName(folder)))
        return false;
    const QByteArray name = target->mid(folder.size() + 1);
    const WriteLock lock(folder + "/.plimsa-lock");
    if (!lock.isHeld())
        return false;
    const QByteArray temporaryPrefix = '.' + name + ".plimsa-new";
    removeLeftovers(folder, temporaryPrefix);
    QByteArray temporary = folder + '/' + temporaryPrefix + "-XXXXXX";
    const int fd = ::mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool written = writeAll(fd, bytes) && ::fsync(fd) == 0;
    const bool closed = ::close(fd) == 0;
    if (!written || !closed || ::rename(temporary.constData(), target->constData()) != 0) {
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
