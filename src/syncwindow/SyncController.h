// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <CalDavClient.h>
#include <Clock.h>
#include <PasswordStore.h>
#include <SyncScheduler.h>
#include <SyncWorker.h>

#include <functional>
#include <memory>
#include <optional>

class ContentView;

// Sync of the view's list with the account's task list, while there is an
// account: each local change goes to the engine's journal and brings a sync
// closer, and each sync's changes go into the view. Without an account nothing
// of sync runs. Owns the engine's worker and the scheduler; lives on the UI
// thread and never waits for the network or the engine's database.
class SyncController : public SyncService {
    Q_OBJECT
public:
    SyncController(ContentView &view, PasswordStore &passwords, const Clock &clock,
                   QString folder = standardSyncFolder(), QObject *parent = nullptr);
    ~SyncController() override;

    void start() override;
    const std::optional<SyncAccount> &account() const override { return m_account; }

    State state() const override { return m_state; }
    Attention attention() const override { return m_attention; }
    std::pair<int, int> progress() const override { return m_progress; }
    Attention unseenAttention() const override
    {
        return m_attentionSeen ? Attention::none : m_attention;
    }
    void attentionSeen() override;
    int heldRemovals() const override { return static_cast<int>(m_heldRemovals.size()); }
    bool removalsHeldHere() const override { return m_removalsHeldHere; }
    const std::optional<RefusedChange> &refusedChange() const override { return m_refused; }

    void syncNow() override;
    bool hasUnsentChanges() const override { return m_unsent || m_syncing; }
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
    void run(const QString &password);
    void runSync();
    void finished(SyncOutcome outcome);
    void apply(const ListChanges &changes);
    void markStoredPulls();
    void setState(State state, Attention attention = Attention::none);
    // What the agent's syncs left while the window was closed.
    void takeAgentReport();
    void tearDown();
    bool isSetUpBy(const CalDavClient *client) const;
    template <typename T> void failSetup(const ServerResult<T> &result, const SetupReply &done);
    // The step, saying where the password goes.
    SyncSetupStep withHosts(SyncSetupStep step) const;
    void adopt(SetupReply done);

    ContentView &m_view;
    PasswordStore &m_passwords;
    const Clock &m_clock;
    QString m_folder;
    std::optional<SyncAccount> m_account;
    std::unique_ptr<SyncWorker> m_worker;
    std::unique_ptr<SyncScheduler> m_scheduler;
    bool m_syncing = false;
    // Local changes since the last sync began, and those that sync sends.
    bool m_unsent = false;
    bool m_sending = false;
    State m_state = State::noAccount;
    Attention m_attention = Attention::none;
    bool m_attentionSeen = false;
    std::pair<int, int> m_progress;
    std::vector<Uuid> m_heldRemovals;
    bool m_removalsHeldHere = false;
    std::optional<RefusedChange> m_refused;
    bool m_allowMassRemoval = false;
    // When the server was last reached, for "gone for a day".
    std::optional<double> m_lastReached;
    std::function<void()> m_afterSync;
    // Pulls the list takes once its generation is stored, by their marks.
    std::vector<std::pair<quint64, qint64>> m_storedPulls;
    quint64 m_storedGeneration = 0;
    // What the set-up under way has learned; its client is deleted later,
    // since a step may end inside one of its answers.
    struct PendingSetup {
        QUrl server;
        QString user;
        QString password;
        CalDavClient *client = nullptr;
        QUrl home;
        QUrl list;
        QStringList passwordOrigins;
    };
    std::optional<PendingSetup> m_setup;
};
