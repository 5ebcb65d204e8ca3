// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QString>

// Counts the times a file is put in place in a folder (created, or renamed
// over it, as every whole-file write does), seen through inotify from the
// moment it is made. The folder must exist.
class FilePlacementCounter {
public:
    FilePlacementCounter(const QString &folder, QByteArray name);
    ~FilePlacementCounter();
    FilePlacementCounter(const FilePlacementCounter &) = delete;
    FilePlacementCounter &operator=(const FilePlacementCounter &) = delete;

    bool isWatching() const { return m_watch >= 0; }
    // Placements so far; -1 once the kernel dropped events (a full queue).
    int count();

private:
    QByteArray m_name;
    int m_fd = -1;
    int m_watch = -1;
    int m_count = 0;
};
