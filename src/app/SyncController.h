// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncAccount.h"

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
    int heldRemovals() const { return static_cast<int>(m_heldRemovals.size()); }

    void syncNow();
    // Applies the removals the last sync held back.
    void confirmRemoval();
    // Keeps the to-dos instead: they go back to the server as this list's.
    void keepHeldTodos();

    // Finds the account's task list and, when found, keeps the account and its
    // password and syncs the list with it. `done` gets the discovery's error.
    void connectAccount(const QUrl &server, const QString &user, const QString &password,
                        std::function<void(ServerError)> done);
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
    std::vector<Uuid> m_heldRemovals;
    bool m_allowMassRemoval = false;
    // When the server was last reached, for "gone for a day".
    std::optional<double> m_lastReached;
    std::function<void()> m_afterSync;
};
