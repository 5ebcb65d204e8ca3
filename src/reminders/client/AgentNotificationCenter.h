// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationCenter.h"
#include "ReminderAgentProxy.h"

#include <QDBusConnection>
#include <QDBusPendingCall>
#include <QDBusServiceWatcher>
#include <QObject>
#include <deque>
#include <memory>

// The notification service as the app sees it: calls go to plimsa-reminders on
// the session bus, which the bus starts when needed. When no agent can be had
// (no bus, or none installed), this process claims the agent's name and
// delivers itself while it runs, so there is never more than one deliverer.
//
// The changes made within one turn of the event loop go to the agent as one
// batch (ApplyChanges), so that a sync bringing thousands of reminders costs the
// agent one write of its file; a very large batch goes as a few.
// Calls reach the agent in the order they were made. Each is kept until the
// agent has taken it: when one is refused by an exiting agent or gets no answer
// (the agent crashed, was killed, or is stopped), every call not yet answered
// is sent again, in order, to the next agent (they are all idempotent). A call
// is given up after five tries, with a line on stderr, and so are the changes
// of a batch that the agent refused (it cannot keep them). An agent from before
// batches, still running after an upgrade, gets the changes one call each.
class AgentNotificationCenter final : public QObject, public NotificationCenter {
    Q_OBJECT

public:
    using LocalCenterFactory = std::function<std::unique_ptr<NotificationCenter>()>;

    AgentNotificationCenter(QDBusConnection sessionBus, LocalCenterFactory makeLocalCenter,
                            QObject *parent = nullptr);
    ~AgentNotificationCenter() override;

    void requestAuthorization(int options, AuthorizationCompletion completion) override;
    void add(const NotificationRequest &request) override;
    void removePendingRequests(const QStringList &identifiers) override;
    void restoreRemovedRequests(const QStringList &identifiers) override;
    void applyChanges(const std::vector<PendingChange> &changes) override;

    // Blocks until the agent has taken every call made so far (each call gives
    // up after a few seconds). For the end of the process.
    void finishCalls();
    bool isDeliveringLocally() const { return m_local != nullptr; }

signals:
    // The agent has taken a call for the first time.
    void agentReached();

private:
    struct Call {
        enum class Kind { batch, oneChange, authorization };
        Kind kind = Kind::batch;
        quint64 sequence = 0;
        // A batch's changes, in order, or the one change of an older call.
        std::vector<PendingChange> changes;
        // A batch that still takes the changes of this turn of the event loop.
        bool open = false;
        qsizetype characters = 0;
        int authorizationOptions = 0;
        AuthorizationCompletion completion;
        int attempt = 0;
        std::optional<QDBusPendingCall> pending;
    };

    void change(const PendingChange &change);
    void closeBatch();
    void submit(Call call);
    void send(Call &call);
    QDBusPendingCall callAgent(const Call &call);
    void applyLocally(const Call &call);
    void onAnswered(quint64 sequence, int attempt, const QDBusMessage &reply);
    void reportRefused(const Call &call, const QList<uint> &refused);
    void sendChangesOneByOne();
    void resendFrom(std::deque<Call>::iterator first);
    void deliverLocallyFrom(std::deque<Call>::iterator first);

    QDBusConnection m_bus;
    ReminderAgentProxy m_agent;
    LocalCenterFactory m_makeLocalCenter;
    std::unique_ptr<NotificationCenter> m_local;
    // Until the first answer, only the first call is sent: its answer tells
    // whether the agent is there.
    bool m_agentConfirmed = false;
    // Until an agent answers that it knows no ApplyChanges; again once another
    // takes the name.
    bool m_agentTakesBatches = true;
    QDBusServiceWatcher m_agentWatcher;
    quint64 m_nextSequence = 0;
    std::deque<Call> m_calls;
};
