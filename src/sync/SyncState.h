// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncFileWriter.h"

#include <StoredFile.h>

#include <QByteArray>
#include <QString>

#include <map>

// One to-do as last synced: where it lives on the server, its ETag there and
// the server's text of it, the common ground of a three-way merge.
struct SyncedCopy {
    // The to-do's id text (a UUID, also for UIDs that are not).
    QString id;
    QString etag;
    QByteArray text;
};

// What sync remembers between runs: the list's sync token and the last synced
// copy of each to-do, by href. Kept in one file, replaced whole (`StoredFile`).
//
// Not thread-safe; `load` and `save` block on the file, unless it is given a
// writer, which then writes in the background (a write's failure is then told
// by the writer).
class SyncState {
public:
    explicit SyncState(QString path);
    void setWriter(SyncFileWriter *writer) { m_writer = writer; }

    // False when the file exists but cannot be read (it is held back).
    bool load();
    bool save();

    QString syncToken;
    std::map<QString, SyncedCopy> copies;

    // The href of the to-do with this id text, or empty.
    QString hrefOf(const QString &id) const;

private:
    StoredFile m_file;
    SyncFileWriter *m_writer = nullptr;
};
