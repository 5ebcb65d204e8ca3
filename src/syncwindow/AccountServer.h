// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncAccount.h"

#include <CalDavClient.h>
#include <SyncWorker.h>

#include <memory>

// How either sync owner, the window or the reminder agent, reaches the
// account's list: a client made on the sync worker's thread. For code that
// links sync only.
inline SyncWorker::ServerMaker accountServer(const SyncAccount &account, const QString &password)
{
    return [account, password] {
        auto client = std::make_unique<CalDavClient>(account.server, account.user, password);
        client->setCollection(account.collection);
        client->setPasswordOrigins(account.passwordOrigins);
        return client;
    };
}
