// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentNotificationCenter.h"

#include <ReminderAgentProtocol.h>

#include <QDBusPendingCallWatcher>
#include <algorithm>
#include <cstdio>

namespace {

// Long enough for the bus to start the agent.
constexpr int callTimeoutMs = 10000;
constexpr int mostAttempts = 5;

// Answers after which a change may not have been kept: the agent crashed, was
// killed or stopped with calls queued, is exiting, or could not write it. Sent again, they reach
// (or start) the next agent.
bool meansSendAgain(const QString &errorName)
{
    return errorName == reminderAgent::exitingError || errorName == reminderAgent::notStoredError ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.NoReply") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.Timeout");
}

// Answers meaning no agent can be had on this bus.
bool meansNoAgent(const QString &errorName)
{
    return errorName == QLatin1String("org.freedesktop.DBus.Error.ServiceUnknown") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.NameHasNoOwner") ||
           errorName == QLatin1String("org.freedesktop.DBus.Error.Disconnected") ||
           errorName.startsWith(QLatin1String("org.freedesktop.DBus.Error.Spawn."));
}

} // namespace

AgentNotificationCenter::AgentNotificationCenter(QDBusConnection sessionBus,
                                                 LocalCenterFactory makeLocalCenter,
                                                 QObject *parent)
    : QObject(parent), m_bus(std::move(sessionBus)),
      m_agent(reminderAgent::service, reminderAgent::path, m_bus),
      m_makeLocalCenter(std::move(makeLocalCenter))
{
    m_agent.setTimeout(callTimeoutMs);
    if (!m_bus.isConnected())
        m_local = m_makeLocalCenter();
}

AgentNotificationCenter::~AgentNotificationCenter()
{
    finishCalls();
}

void AgentNotificationCenter::requestAuthorization(int options, AuthorizationCompletion completion)
{
    Call call;
    call.callAgent = [options](ReminderAgentProxy &agent) {
        return agent.RequestAuthorization(options);
    };
    call.completion = std::move(completion);
    call.applyLocally = [options, completion = call.completion](NotificationCenter &local) {
        local.requestAuthorization(options, completion);
    };
    submit(std::move(call));
}

void AgentNotificationCenter::add(const NotificationRequest &request)
{
    Call call;
    call.callAgent = [request](ReminderAgentProxy &agent) {
        return agent.Add(request.identifier, request.content.title, request.content.body,
                         request.content.defaultSound, request.trigger.time);
    };
    call.applyLocally = [request](NotificationCenter &local) { local.add(request); };
    submit(std::move(call));
}

void AgentNotificationCenter::removePendingRequests(const QStringList &identifiers)
{
    Call call;
    call.callAgent = [identifiers](ReminderAgentProxy &agent) {
        return agent.RemovePending(identifiers);
    };
    call.applyLocally = [identifiers](NotificationCenter &local) {
        local.removePendingRequests(identifiers);
    };
    submit(std::move(call));
}

void AgentNotificationCenter::restoreRemovedRequests(const QStringList &identifiers)
{
    Call call;
    call.callAgent = [identifiers](ReminderAgentProxy &agent) {
        return agent.RestoreRemoved(identifiers);
    };
    call.applyLocally = [identifiers](NotificationCenter &local) {
        local.restoreRemovedRequests(identifiers);
    };
    submit(std::move(call));
}

void AgentNotificationCenter::submit(Call call)
{
    if (m_local) {
        call.applyLocally(*m_local);
        return;
    }
    call.sequence = m_nextSequence++;
    m_calls.push_back(std::move(call));
    if (m_agentConfirmed || m_calls.size() == 1)
        send(m_calls.back());
}

void AgentNotificationCenter::send(Call &call)
{
    ++call.attempt;
    call.pending = call.callAgent(m_agent);
    auto *watcher = new QDBusPendingCallWatcher(*call.pending, this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this,
            [this, sequence = call.sequence, attempt = call.attempt](QDBusPendingCallWatcher *w) {
                w->deleteLater();
                onAnswered(sequence, attempt, w->reply());
            });
}

void AgentNotificationCenter::onAnswered(quint64 sequence, int attempt, const QDBusMessage &reply)
{
    const auto call = std::find_if(m_calls.begin(), m_calls.end(),
                                   [&](const Call &c) { return c.sequence == sequence; });
    // Already settled, or sent again since.
    if (call == m_calls.end() || call->attempt != attempt)
        return;

    if (reply.type() == QDBusMessage::ErrorMessage) {
        // From the first call still unanswered: every call is idempotent, and
        // any of them may have been lost with the agent.
        if (meansSendAgain(reply.errorName()) && call->attempt < mostAttempts) {
            resendFrom(m_calls.begin());
            return;
        }
        if (meansNoAgent(reply.errorName())) {
            deliverLocallyFrom(m_calls.begin());
            return;
        }
        std::fprintf(stderr, "plimsa: the reminder agent did not take a change (try %d): %s\n",
                     call->attempt, qPrintable(reply.errorMessage()));
        if (call->completion)
            call->completion(false, reply.errorMessage());
        m_calls.erase(call);
        // No agent answered it: the next call finds out whether one is there.
        if (!m_agentConfirmed && !m_calls.empty())
            send(m_calls.front());
        return;
    }
    if (call->completion) {
        const QList<QVariant> answer = reply.arguments();
        const QString error = answer.value(1).toString();
        call->completion(answer.value(0).toBool(),
                         error.isEmpty() ? std::nullopt : std::optional<QString>(error));
    }
    m_calls.erase(call);

    if (!m_agentConfirmed) {
        m_agentConfirmed = true;
        for (Call &waiting : m_calls)
            send(waiting);
        emit agentReached();
    }
}

void AgentNotificationCenter::resendFrom(std::deque<Call>::iterator first)
{
    // Before the agent is confirmed, the later calls were never sent.
    const auto end = m_agentConfirmed ? m_calls.end() : std::next(first);
    for (auto call = first; call != end; ++call)
        send(*call);
}

void AgentNotificationCenter::deliverLocallyFrom(std::deque<Call>::iterator first)
{
    // Holding the name keeps an agent from starting beside us. When the name
    // is taken, an agent has just appeared: it gets the calls instead.
    if (m_bus.isConnected() && !m_bus.registerService(reminderAgent::service)) {
        resendFrom(first);
        return;
    }
    std::deque<Call> calls(std::make_move_iterator(first), std::make_move_iterator(m_calls.end()));
    m_calls.clear();
    m_local = m_makeLocalCenter();
    for (Call &call : calls)
        call.applyLocally(*m_local);
}

void AgentNotificationCenter::finishCalls()
{
    while (!m_calls.empty() && !m_local) {
        // The first call waiting is always the one on the wire.
        Call &call = m_calls.front();
        QDBusPendingCall pending = *call.pending;
        pending.waitForFinished();
        onAnswered(call.sequence, call.attempt, pending.reply());
    }
}
