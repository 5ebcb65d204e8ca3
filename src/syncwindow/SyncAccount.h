// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

#include <optional>

// The account sync uses: where and as whom, and which task list. Its password
// is kept elsewhere (`PasswordStore`), never in this file.
struct SyncAccount {
    QUrl server;
    QString user;
    QUrl collection;
    // The HTTPS origins of the account's other hosts, which its password may go
    // to as well (the typed one's always may).
    QStringList passwordOrigins{};

    // Names the password in the Secret Service.
    QString passwordKey() const;
};

// $XDG_DATA_HOME/plimsa/sync: the account and the sync engine's files, beside
// the list and never inside it.
QString standardSyncFolder();
// The lock file in that folder held by sync's one owner, the window or the
// reminder agent (`OwnerLock`).
inline const QString syncOwnerLockName = QStringLiteral("owner.lock");
// The lock file in that folder held by whoever changes the stored list while
// the agent may be syncing: the agent, and a window that has not yet taken over.
inline const QString listLockName = QStringLiteral("list.lock");

// In `folder`, beside the engine's files; none when there is no account or the
// file cannot be read.
std::optional<SyncAccount> readSyncAccount(const QString &folder);
bool writeSyncAccount(const QString &folder, const SyncAccount &account);
