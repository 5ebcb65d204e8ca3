// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "OwnerLock.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

OwnerLock::OwnerLock(QString path) : m_path(std::move(path)) {}

OwnerLock::~OwnerLock()
{
    release();
}

bool OwnerLock::tryTake()
{
    return take(false);
}

bool OwnerLock::take()
{
    return take(true);
}

bool OwnerLock::take(bool wait)
{
    if (isHeld())
        return true;
    const QString folder = QFileInfo(m_path).path();
    if (!QFileInfo(folder).isDir() &&
        !(QDir().mkpath(folder) &&
          QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                            QFileDevice::ExeOwner)))
        return false;
    const QByteArray path = QFile::encodeName(m_path);
    // A waiter may wake holding a file removed meanwhile: it locks the new one.
    for (int tries = 0; tries < 8; ++tries) {
        const int fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        if (fd < 0)
            return false;
        int locked;
        while ((locked = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB))) != 0 && errno == EINTR) {
        }
        struct stat held;
        struct stat named;
        if (locked == 0 && ::fstat(fd, &held) == 0 && ::stat(path.constData(), &named) == 0 &&
            held.st_ino == named.st_ino && held.st_dev == named.st_dev) {
            m_fd = fd;
            return true;
        }
        ::close(fd);
        if (locked != 0 || !wait)
            return false;
    }
    return false;
}

void OwnerLock::release()
{
    if (m_fd < 0)
        return;
    ::close(m_fd);
    m_fd = -1;
}
