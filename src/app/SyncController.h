// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncAccount.h"
#include "SyncSetupStep.h"

#include <CalDavClient.h>
#include <Clock.h>
#include <PasswordStore.h>
#include <SyncEngine.h>
#include <SyncScheduler.h>

#include <QObject>

#include <functional>
#include <memory>
#include <optional>

class ContentView;

// Sync of the view's list with the account's task list, while there is an
// account: each local change goes to the engine's journal and brings a sync
// closer, and each sync's changes go into the view. Without an account nothing
// of sync runs. Owns the engine, its CalDAV client, the scheduler and the
// password store; lives on the UI thread and never blocks on the network.
class SyncController : public QObject {
    Q_OBJECT
public:
    enum class State { noAccount, synced, syncing, offline, needsAttention };
    enum class Attention {
        none,
        // The server refused the password, or there is none this session.
        signIn,
        // Unreachable for a day.
        serverGone,
        // The server would remove most of the list (`confirmRemoval`).
        confirmRemoval,
        // The sync files cannot be read or written.
        files,
    };

    SyncController(ContentView &view, PasswordStore &passwords, const Clock &clock,
                   QString folder = SyncEngine::standardFolder(), QObject *parent = nullptr);
    ~SyncController() override;

    // Reads the account and its password, then syncs; nothing without one.
    void start();
    bool hasAccount() const { return m_account.has_value(); }
    const std::optional<SyncAccount> &account() const { return m_account; }

    State state() const { return m_state; }
    Attention attention() const { return m_attention; }
    // Local changes the server has taken and still waits for, while syncing.
    std::pair<int, int> progress() const { return m_progress; }
    // The attention its line has not yet shown and had dismissed: each is
    // shown once.
    Attention unseenAttention() const { return m_attentionSeen ? Attention::none : m_attention; }
    void attentionSeen();
    // To-dos the server would remove once confirmed.
    int heldRemovals() const { return m_heldRemovals; }

    void syncNow();
    // Applies the removals the last sync held back.
    void confirmRemoval();

    // The set-up, a step at a time, each answering where it stands; nothing
    // is kept before a step answers `connected`. Connecting finds the task
    // lists: one is used, signing in again keeps the list synced so far, else
    // the user chooses one or has Plimsa make one. A list is used at once
    // unless both it and the view's list hold to-dos: then the counts wait
    // for `startFirstSync`.
    using SetupReply = std::function<void(SyncSetupStep)>;
    void connectAccount(const QUrl &server, const QString &user, const QString &password,
                        SetupReply done);
    void chooseTaskList(const QUrl &list, SetupReply done);
    // Makes a "Plimsa" list in the account and uses it.
    void createTaskList(SetupReply done);
    void startFirstSync(SetupReply done);
    // Forgets the set-up under way; its pending answers never come.
    void cancelSetup();
    // Forgets the password and the sync state; every to-do stays in the list.
    void stopSyncing(std::function<void()> done);

signals:
    void stateChanged();
    // A sync ended, whatever its outcome (the state may stay the same).
    void syncEnded();

private:
    void run(const QString &password);
    void runSync();
    void finished(SyncOutcome outcome);
    void setState(State state, Attention attention = Attention::none);
    void tearDown();
    bool isSetUpBy(const CalDavClient *client) const;
    void failSetup(ServerError error, const SetupReply &done);
    void adopt(SetupReply done);

    ContentView &m_view;
    PasswordStore &m_passwords;
    const Clock &m_clock;
    QString m_folder;
    std::optional<SyncAccount> m_account;
    std::unique_ptr<CalDavClient> m_client;
    std::unique_ptr<SyncEngine> m_engine;
    std::unique_ptr<SyncScheduler> m_scheduler;
    State m_state = State::noAccount;
    Attention m_attention = Attention::none;
    bool m_attentionSeen = false;
    std::pair<int, int> m_progress;
    int m_heldRemovals = 0;
    bool m_allowMassRemoval = false;
    // When the server was last reached, for "gone for a day".
    std::optional<double> m_lastReached;
    std::function<void()> m_afterSync;
    // What the set-up under way has learned; its client is deleted later,
    // since a step may end inside one of its answers.
    struct PendingSetup {
        QUrl server;
        QString user;
        QString password;
        CalDavClient *client = nullptr;
        QUrl home;
        QUrl list;
    };
    std::optional<PendingSetup> m_setup;
};
