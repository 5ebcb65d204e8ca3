// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <functional>
#include <optional>

// One file of the user's data, read whole and replaced whole.
//
// A write goes to a temporary file of its own in the target's folder, is
// flushed to disk and renamed over the file, so a crash or power cut leaves the
// old content or the new, never a mix. Writers of one file, in this process or
// another (a home shared over NFS), take turns through a lock file in its
// folder, ".plimsa-lock"; the last complete write wins. A file that is a
// symbolic link is written through to its target, so the link stays. The
// file is readable by the user only, and a folder it has to make is private.
//
// Only a missing file is "nothing stored". A file that exists but cannot be
// read (permissions, I/O errors, a size past `sizeLimit`) is held back: every
// write is refused until it reads again, so it is never overwritten unseen.
// The same goes for content that does not decode: the reader sets it aside
// with `keepUnreadable` before anything can overwrite it.
//
// Not thread-safe: one thread at a time per object. Every call blocks on file
// I/O; `read` and `revision` touch no Qt object, so they may run before the
// application object exists.
class StoredFile {
public:
    explicit StoredFile(QString path);

    const QString &path() const { return m_path; }

    // Allocated room after what `read` returns. Readers that look up to this
    // far past the end of their input (the JSON reader does) need no copy of it.
    static constexpr qsizetype roomAfterContent = 64;
    // Far above a million to-dos; a larger file is taken as unreadable rather
    // than exhausting memory at every start.
    static constexpr qint64 sizeLimit = qint64(1) << 30;

    // The content, with `roomAfterContent` of capacity after it; none when there
    // is no file, or when it cannot be read (and is then held back).
    std::optional<QByteArray> read();
    // Whether the last `read` found a file it could not read.
    bool isHeldBack() const { return m_unreadable || m_holdingUnreadable; }
    // Changes whenever the file is replaced, written or removed, so that content
    // read earlier can be known to be current. Empty when there is no file.
    QByteArray revision() const;
    // Replaces the content. False when that fails, and the earlier content
    // stays; also while the file is held back.
    bool write(QByteArrayView bytes);
    // For `content` just read from the file that does not decode: copies it
    // beside the file as "<name>.unreadable-<UTC time>" and returns that path.
    // When the copy fails, the file stays as it is and every write is refused
    // until a later copy succeeds, so that the only copy is never overwritten.
    std::optional<QString> keepUnreadable(QByteArrayView content);

    // Makes every open for reading fail with the error the function returns
    // for a path (0 for none), as a root-owned or damaged file does for a user.
    using ReadFault = std::function<int(const QString &path)>;
    static void setReadFaultForTesting(ReadFault fault);

private:
    QString m_path;
    bool m_unreadable = false;
    bool m_holdingUnreadable = false;
};
