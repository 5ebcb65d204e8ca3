// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

// A claim that one process of the user holds at a time: an exclusive flock on
// a lock file, which the kernel lets go of when the holder ends, however it
// ends. Claims by two objects conflict also within one process.
//
// A lock file removed while it is held (its folder cleared) is no claim for a
// process that opened it before: taking one checks that the file it locked is
// still the one at its path.
//
// Not thread-safe: one thread per object.
class OwnerLock {
public:
    explicit OwnerLock(QString path);
    ~OwnerLock();
    OwnerLock(const OwnerLock &) = delete;
    OwnerLock &operator=(const OwnerLock &) = delete;

    const QString &path() const { return m_path; }
    // Takes the claim when no one holds it, making the file (and a private
    // folder for it) when missing; true also when this object holds it.
    bool tryTake();
    // The same, waiting while another holds it: for claims held only briefly.
    bool take();
    void release();
    bool isHeld() const { return m_fd >= 0; }

private:
    bool take(bool wait);

    QString m_path;
    int m_fd = -1;
};
