// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FilePlacementCounter.h"

#include <QFile>
#include <sys/inotify.h>
#include <unistd.h>

FilePlacementCounter::FilePlacementCounter(const QString &folder, QByteArray name)
    : m_name(std::move(name)), m_fd(inotify_init1(IN_NONBLOCK | IN_CLOEXEC))
{
    if (m_fd >= 0)
        m_watch =
            inotify_add_watch(m_fd, QFile::encodeName(folder).constData(), IN_CREATE | IN_MOVED_TO);
}

FilePlacementCounter::~FilePlacementCounter()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

int FilePlacementCounter::count()
{
    alignas(inotify_event) char buffer[4096];
    ssize_t length;
    while (m_count >= 0 && (length = ::read(m_fd, buffer, sizeof buffer)) > 0) {
        for (char *at = buffer; at < buffer + length;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            if (event->mask & IN_Q_OVERFLOW)
                m_count = -1;
            else if (m_count >= 0 && event->len > 0 && m_name == event->name)
                ++m_count;
            at += sizeof(inotify_event) + event->len;
        }
    }
    return m_count;
}
