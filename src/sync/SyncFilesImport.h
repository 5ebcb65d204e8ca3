// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncJournal.h"
#include "SyncState.h"

#include <QString>

// Brings the journal and the state of Plimsa 0.1 (journal.json and state.json
// in `folder`) into a new database, so that no change waiting there is lost,
// and removes them once the database holds them. A file that does not read is
// set aside beside itself, as an unreadable list is; the server and the list
// then fill the database again. False when the database could not take them.
bool importSyncFiles(const QString &folder, SyncDatabase &database, SyncJournal &journal,
                     SyncState &state);
