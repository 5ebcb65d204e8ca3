// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// One file of the user's data, read whole and replaced whole.
//
// A write goes to a temporary file of the writer's own in the same folder
// (".<name>.plimsa-new"), is flushed to disk and renamed over the file, so a
// crash or power cut leaves the old content or the new, never a mix. A write
// cut short leaves only that temporary file, which the next write replaces; no
// other file is ever removed. The file is readable by the user only, and a
// folder it has to make is private.
//
// The rule for content that does not decode: the reader sets it aside with
// `keepUnreadable` before anything can overwrite it.
//
// Not safe against two processes writing one file at once. Every call blocks on
// file I/O.
class StoredFile {
public:
    explicit StoredFile(QString path);

    const QString &path() const { return m_path; }

    // Allocated room after what `read` returns. Readers that look up to this
    // far past the end of their input (the JSON reader does) need no copy of it.
    static constexpr qsizetype roomAfterContent = 64;

    // The content, with `roomAfterContent` of capacity after it; none when there
    // is no file or it cannot be read.
    std::optional<QByteArray> read() const;
    // Changes whenever the file is replaced, written or removed, so that content
    // read earlier can be known to be current. Empty when there is no file.
    QByteArray revision() const;
    // Replaces the content. False when that fails, and the earlier content
    // stays; also while unreadable content could not be set aside.
    bool write(QByteArrayView bytes);
    // For `content` just read from the file that does not decode: copies it
    // beside the file as "<name>.unreadable-<UTC time>" and returns that path.
    // When the copy fails, the file stays as it is and every write is refused
    // until a later copy succeeds, so that the only copy is never overwritten.
    std::optional<QString> keepUnreadable(QByteArrayView content);

private:
    QString m_path;
    bool m_holdingUnreadable = false;
};
