// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <OwnerLock.h>

#include <QLibrary>
#include <QTimer>

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
//
// Sync has one owner per user at a time, who alone runs the engine and
// writes the list: while the window is open that is the window, else the
// reminder agent. With an account, the window takes over before it loads
// sync (the agent, asked, lets go), and until then holds the list's saves,
// so that it never writes over what the agent brought meanwhile. Closing
// the window hands over again: changes not yet sent go to the agent.
class SyncOnDemand : public SyncService {
    Q_OBJECT
public:
    SyncOnDemand(ContentView &view, const Clock &clock, QString modulePath,
                 QString folder = standardSyncFolder(), QObject *parent = nullptr);
    ~SyncOnDemand() override;

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
    bool hasUnsentChanges() const override;
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
    // Takes sync over from the agent, then catches up with the list on disk
    // and starts sync; tried again every second while another owner holds on.
    void takeOver();
    void tookOver();
    // The same, blocking, for a save that cannot wait: at most a few seconds.
    // False when the other owner holds on.
    bool takeOverNow();

    ContentView &m_view;
    const Clock &m_clock;
    QLibrary m_module;
    QString m_folder;
    SyncService *m_sync = nullptr;
    bool m_failed = false;
    OwnerLock m_owner;
    QTimer m_takeOverAgain;
};
