// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "PendingChange.h"

#include <QString>
#include <vector>

// A folder of changes, one file for each batch, written whole (StoredFile) so
// that the reader never sees half of one. Names are unique and sort in the
// order this process made the batches.
class PendingInbox {
public:
    explicit PendingInbox(QString folder);

    const QString &folder() const { return m_folder; }

    // The changes in one file, applied in order. False when it could not be
    // written.
    bool put(const std::vector<PendingChange> &changes);

    struct Entry {
        QString name;
        std::vector<PendingChange> changes;
    };
    // Oldest first. A file that does not decode is set aside and left out.
    std::vector<Entry> read() const;
    void remove(const QString &name) const;

private:
    QString m_folder;
};
