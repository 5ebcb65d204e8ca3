// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The sync module's one entry, which the program finds by name once it needs sync.

#include "SyncController.h"
#include "SyncOnDemand.h"

#include <PasswordStore.h>

extern "C" Q_DECL_EXPORT SyncService *plimsaCreateSyncService(ContentView &view, const Clock &clock,
                                                              const QString &folder, QObject *parent)
{
    auto *passwords = new PasswordStore;
    auto *sync = new SyncController(view, *passwords, clock, folder, parent);
    // Its children go after its members, so the engine never outlives the store.
    passwords->setParent(sync);
    return sync;
}
