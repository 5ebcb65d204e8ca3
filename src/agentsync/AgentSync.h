// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "AgentSyncPolicy.h"
#include "AgentTodoList.h"

#include <AgentSyncReport.h>
#include <AgentSyncService.h>
#include <Clock.h>
#include <OwnerLock.h>
#include <PasswordStore.h>
#include <SyncWorker.h>

#include <QObject>
#include <QTimer>

#include <memory>

class NotificationCenter;
struct SyncAccount;

// The reminder agent's sync while no window is open. Each sync is a turn of
// its own: it takes the owner's claim (none while a window holds it), reads
// the account, the password (only from an unlocked Secret Service), the list
// on disk, then loads the engine, reconciles as at any start, syncs, applies
// what came to the list and the reminders, leaves a report for the window and
// lets go of everything. Between turns only a coarse timer runs.
class AgentSync final : public QObject, public AgentSyncService {
    Q_OBJECT
public:
    AgentSync(NotificationCenter &reminders, QString folder, QObject *parent = nullptr);
    ~AgentSync() override;

    void syncNow() override { turn(); }
    void release() override;
    bool hasAccount() const override;

private:
    AgentSyncPolicy::Network network() const;
    void turn();
    void run(const SyncAccount &account, const QString &password);
    void apply(const ListChanges &changes);
    void finished(const SyncOutcome &outcome);
    // Ends the turn, with or without a sync that got through.
    void end(std::optional<bool> succeeded);

    NotificationCenter &m_reminders;
    QString m_folder;
    SystemClock m_clock;
    OwnerLock m_owner;
    AgentSyncPolicy m_policy;
    AgentTodoList m_list;
    PasswordStore m_passwords;
    QTimer m_period;
    std::unique_ptr<SyncWorker> m_worker;
    AgentSyncReport m_report;
    bool m_inTurn = false;
    bool m_again = false;
    // Counts turns, so that a password read for one released is dropped.
    quint64 m_turns = 0;
};
