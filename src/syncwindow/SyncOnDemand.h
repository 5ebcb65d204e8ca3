// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <QLibrary>

class Clock;
class ContentView;

// What the sync module exports: the sync of `view`'s list, with its files in
// `folder`, owned by `parent`.
using CreateSyncService = SyncService *(ContentView &view, const Clock &clock,
                                        const QString &folder, QObject *parent);
extern "C" CreateSyncService plimsaCreateSyncService;

// Sync that loads its machinery (the sync module, and with it the network,
// calendar and keyring libraries) only once there is an account or the user
// sets one up: a start without an account loads none of it, and one with an
// account loads it after the first frame (`start`). Until then it is the state
// of no account.
class SyncOnDemand : public SyncService {
    Q_OBJECT
public:
    SyncOnDemand(ContentView &view, const Clock &clock, QString modulePath,
                 QString folder = standardSyncFolder(), QObject *parent = nullptr);

    // Where the module is installed, relative to the program.
    static QString standardModulePath();
    bool isLoaded() const { return m_sync != nullptr; }

    void start() override;
    const std::optional<SyncAccount> &account() const override;
    State state() const override;
    Attention attention() const override;
    std::pair<int, int> progress() const override;
    Attention unseenAttention() const override;
    void attentionSeen() override;
    int heldRemovals() const override;
    bool removalsHeldHere() const override;
    const std::optional<RefusedChange> &refusedChange() const override;
    void syncNow() override;
    void confirmRemoval() override;
    void keepHeldTodos() override;
    void retryRefused() override;
    void connectAccount(const QUrl &server, const QString &user, const QString &password,
                        SetupReply done) override;
    void chooseTaskList(const QUrl &list, SetupReply done) override;
    void createTaskList(SetupReply done) override;
    void startFirstSync(SetupReply done) override;
    void cancelSetup() override;
    void stopSyncing(std::function<void()> done) override;
    void findUntrustedCertificate(const QUrl &server, QObject *context,
                                  std::function<void(std::optional<QString>)> done) override;

private:
    // None when the module cannot be loaded, which stderr then explains once.
    SyncService *loaded();

    ContentView &m_view;
    const Clock &m_clock;
    QLibrary m_module;
    QString m_folder;
    SyncService *m_sync = nullptr;
    bool m_failed = false;
};
