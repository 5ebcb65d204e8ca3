// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "Preferences.h"

#include <StoredFile.h>

#include <map>
#include <mutex>

// Preferences kept as one file per key, named after the key, in one directory.
// Each file holds exactly the value's bytes and is written as a StoredFile:
// atomically, readable by the user only. A value that does not decode is copied
// aside as "<key>.unreadable-<UTC time>"; one that cannot be read is held back.
// Safe to call from several threads.
class FilePreferences final : public Preferences {
public:
    explicit FilePreferences(QString directory);

    const QString &directory() const { return m_directory; }

    std::optional<QByteArray> data(const QString &key) const override;
    QByteArray revision(const QString &key) const override;
    bool setData(const QString &key, QByteArrayView value) override;
    bool keepUnreadable(const QString &key, QByteArrayView value) override;

private:
    StoredFile *fileFor(const QString &key) const;

    QString m_directory;
    mutable std::mutex m_mutex;
    // One per key used, so that a value held back stays held.
    mutable std::map<QString, StoredFile> m_files;
};
