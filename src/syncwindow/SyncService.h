// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncAccount.h"
#include "SyncSetupStep.h"

#include <CalendarServer.h>

#include <QObject>

#include <functional>
#include <optional>
#include <utility>

// Sync as the window sees it: its state, and what the user can ask of it. The
// window holds only this, so that what does the syncing (the network, the
// calendar format, the keyring) can load once there is an account to sync.
class SyncService : public QObject {
    Q_OBJECT
public:
    enum class State { noAccount, synced, syncing, offline, needsAttention };
    enum class Attention {
        none,
        // The server refused the password, or there is none this session.
        signIn,
        // Unreachable for a day.
        serverGone,
        // Sync would remove most of the list, removed on the server or here
        // (`confirmRemoval`, `keepHeldTodos`).
        confirmRemoval,
        // The sync files cannot be read or written.
        files,
        // The server refused a change for good (`refusedChange`, `retryRefused`).
        refused,
        // The task list is gone from the server.
        listGone,
    };
    // A change the server would not take, and its words for why.
    struct RefusedChange {
        QString name;
        QString message;
    };

    using QObject::QObject;

    // Reads the account and its password, then syncs; nothing without one.
    virtual void start() = 0;
    virtual const std::optional<SyncAccount> &account() const = 0;
    bool hasAccount() const { return account().has_value(); }

    virtual State state() const = 0;
    virtual Attention attention() const = 0;
    // Local changes the server has taken and still waits for, while syncing.
    virtual std::pair<int, int> progress() const = 0;
    // The attention its line has not yet shown and had dismissed: each is
    // shown once.
    virtual Attention unseenAttention() const = 0;
    virtual void attentionSeen() = 0;
    // To-dos sync would remove once confirmed, and whether they were
    // removed here (else on the server).
    virtual int heldRemovals() const = 0;
    virtual bool removalsHeldHere() const = 0;
    virtual const std::optional<RefusedChange> &refusedChange() const = 0;

    virtual void syncNow() = 0;
    // Local changes the server has not yet taken: left for the reminder agent
    // to send once the window has closed.
    virtual bool hasUnsentChanges() const = 0;
    // Applies the removals the last sync held back.
    virtual void confirmRemoval() = 0;
    // Keeps the to-dos instead: they go back to the server as this list's.
    virtual void keepHeldTodos() = 0;
    // Sends the changes the server refused again.
    virtual void retryRefused() = 0;

    // The set-up, a step at a time, each answering where it stands; nothing
    // is kept before a step answers `connected`. Connecting finds the task
    // lists: one is used, signing in again keeps the list synced so far, else
    // the user chooses one or has Plimsa make one. A list is used at once
    // unless both it and the view's list hold to-dos: then the counts wait
    // for `startFirstSync`.
    using SetupReply = std::function<void(SyncSetupStep)>;
    virtual void connectAccount(const QUrl &server, const QString &user, const QString &password,
                                SetupReply done) = 0;
    virtual void chooseTaskList(const QUrl &list, SetupReply done) = 0;
    // Makes a "Plimsa" list in the account and uses it.
    virtual void createTaskList(SetupReply done) = 0;
    virtual void startFirstSync(SetupReply done) = 0;
    // Forgets the set-up under way; its pending answers never come.
    virtual void cancelSetup() = 0;
    // Forgets the password and the sync state; every to-do stays in the list.
    virtual void stopSyncing(std::function<void()> done) = 0;

    // The SHA-256 fingerprint of the certificate an HTTPS server shows that is
    // not trusted; none when it is trusted or not reached. Never accepts it.
    // `done` is called once, unless `context` goes.
    virtual void findUntrustedCertificate(const QUrl &server, QObject *context,
                                          std::function<void(std::optional<QString>)> done) = 0;

signals:
    void stateChanged();
    // A sync ended, whatever its outcome (the state may stay the same).
    void syncEnded();
};
