// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentNotificationCenter.h"

#include <ReminderAgentProtocol.h>

#include <QDBusPendingCallWatcher>
#include <QTimer>
#include <algorithm>
#include <cstdio>

namespace {

// Long enough for the bus to start the agent.
constexpr int callTimeoutMs = 10000;
constexpr int mostAttempts = 5;
// A batch of about 4 to 12 MB on the bus (UTF-8): far below the bus's limits,
// and taken by the agent well within the call's timeout.
constexpr qsizetype largestBatchCharacters = qsizetype(4) << 20;

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

qsizetype charactersOf(const PendingChange &change)
{
    // Room for the rest of an item, however the bus lays it out.
    constexpr qsizetype perItem = 32;
    if (change.kind == PendingChange::Kind::add) {
        const NotificationRequest &request = change.request;
        return perItem + request.identifier.size() + request.content.title.size() +
               request.content.body.size();
    }
    qsizetype characters = 0;
    for (const QString &identifier : change.identifiers)
        characters += perItem + identifier.size();
    return characters;
}

} // namespace

AgentNotificationCenter::AgentNotificationCenter(QDBusConnection sessionBus,
                                                 LocalCenterFactory makeLocalCenter,
                                                 QObject *parent)
    : QObject(parent), m_bus(std::move(sessionBus)),
      m_agent(reminderAgent::service, reminderAgent::path, m_bus),
      m_makeLocalCenter(std::move(makeLocalCenter)),
      m_agentWatcher(reminderAgent::service, m_bus, QDBusServiceWatcher::WatchForOwnerChange)
{
    reminderAgent::registerChangeType();
    m_agent.setTimeout(callTimeoutMs);
    connect(&m_agentWatcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this] { m_agentTakesBatches = true; });
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
    call.kind = Call::Kind::authorization;
    call.authorizationOptions = options;
    call.completion = std::move(completion);
    submit(std::move(call));
}

void AgentNotificationCenter::add(const NotificationRequest &request)
{
    change({PendingChange::Kind::add, request, {}});
}

void AgentNotificationCenter::removePendingRequests(const QStringList &identifiers)
{
    change({PendingChange::Kind::remove, {}, identifiers});
}

void AgentNotificationCenter::restoreRemovedRequests(const QStringList &identifiers)
{
    change({PendingChange::Kind::restore, {}, identifiers});
}

void AgentNotificationCenter::applyChanges(const std::vector<PendingChange> &changes)
{
    for (const PendingChange &each : changes)
        change(each);
}

void AgentNotificationCenter::change(const PendingChange &change)
{
    if (m_local) {
        m_local->applyChanges({change});
        return;
    }
    if (!m_agentTakesBatches) {
        Call call;
        call.kind = Call::Kind::oneChange;
        call.changes = {change};
        submit(std::move(call));
        return;
    }
    if (m_calls.empty() || !m_calls.back().open ||
        m_calls.back().characters >= largestBatchCharacters) {
        Call batch;
        batch.open = true;
        submit(std::move(batch));
        QTimer::singleShot(0, this, &AgentNotificationCenter::closeBatch);
    }
    Call &batch = m_calls.back();
    batch.changes.push_back(change);
    batch.characters += charactersOf(change);
}

void AgentNotificationCenter::closeBatch()
{
    if (m_calls.empty() || !m_calls.back().open)
        return;
    m_calls.back().open = false;
    if (m_agentConfirmed || m_calls.size() == 1)
        send(m_calls.back());
}

void AgentNotificationCenter::submit(Call call)
{
    if (m_local) {
        applyLocally(call);
        return;
    }
    // The changes made before this call go first.
    closeBatch();
    call.sequence = m_nextSequence++;
    m_calls.push_back(std::move(call));
    if (!m_calls.back().open && (m_agentConfirmed || m_calls.size() == 1))
        send(m_calls.back());
}

QDBusPendingCall AgentNotificationCenter::callAgent(const Call &call)
{
    if (call.kind == Call::Kind::authorization)
        return m_agent.RequestAuthorization(call.authorizationOptions);
    if (call.kind == Call::Kind::batch)
        return m_agent.ApplyChanges(reminderAgent::toAgentChanges(call.changes));
    const PendingChange &change = call.changes.front();
    switch (change.kind) {
    case PendingChange::Kind::add: {
        const NotificationRequest &request = change.request;
        return m_agent.Add(request.identifier, request.content.title, request.content.body,
                           request.content.defaultSound, request.trigger.time);
    }
    case PendingChange::Kind::remove:
        return m_agent.RemovePending(change.identifiers);
    case PendingChange::Kind::restore:
        break;
    }
    return m_agent.RestoreRemoved(change.identifiers);
}

void AgentNotificationCenter::applyLocally(const Call &call)
{
    if (call.kind == Call::Kind::authorization)
        m_local->requestAuthorization(call.authorizationOptions, call.completion);
    else
        m_local->applyChanges(call.changes);
}

void AgentNotificationCenter::send(Call &call)
{
    ++call.attempt;
    call.pending = callAgent(call);
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
        if (call->kind == Call::Kind::batch &&
            reply.errorName() == QLatin1String("org.freedesktop.DBus.Error.UnknownMethod")) {
            sendChangesOneByOne();
            return;
        }
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
        const QString what = call->kind == Call::Kind::authorization
                                 ? QStringLiteral("a call")
                                 : QStringLiteral("%1 change(s)").arg(call->changes.size());
        std::fprintf(stderr, "plimsa: the reminder agent did not take %s (try %d): %s\n",
                     qPrintable(what), call->attempt, qPrintable(reply.errorMessage()));
        if (call->completion)
            call->completion(false, reply.errorMessage());
        m_calls.erase(call);
        // No agent answered it: the next call finds out whether one is there.
        if (!m_agentConfirmed && !m_calls.empty() && !m_calls.front().open)
            send(m_calls.front());
        return;
    }
    const QList<QVariant> answer = reply.arguments();
    if (call->completion) {
        const QString error = answer.value(1).toString();
        call->completion(answer.value(0).toBool(),
                         error.isEmpty() ? std::nullopt : std::optional<QString>(error));
    }
    if (call->kind == Call::Kind::batch)
        reportRefused(*call, qdbus_cast<QList<uint>>(answer.value(0)));
    m_calls.erase(call);

    if (!m_agentConfirmed) {
        m_agentConfirmed = true;
        for (Call &waiting : m_calls) {
            if (!waiting.open)
                send(waiting);
        }
        emit agentReached();
    }
}

void AgentNotificationCenter::reportRefused(const Call &call, const QList<uint> &refused)
{
    if (refused.isEmpty())
        return;
    const QList<ReminderAgentChange> items = reminderAgent::toAgentChanges(call.changes);
    const ReminderAgentChange first = items.value(refused.front());
    std::fprintf(stderr,
                 "plimsa: the reminder agent cannot keep %lld of %lld change(s), "
                 "the first: %s of \"%s\"\n",
                 static_cast<long long>(refused.size()), static_cast<long long>(items.size()),
                 qPrintable(first.kind), qPrintable(first.identifier));
}

void AgentNotificationCenter::sendChangesOneByOne()
{
    // An agent from before batches answers every batch so: each change goes
    // as the older call of its kind, in the same order.
    m_agentTakesBatches = false;
    std::deque<Call> calls;
    for (Call &call : m_calls) {
        if (call.kind != Call::Kind::batch) {
            calls.push_back(std::move(call));
            continue;
        }
        for (const PendingChange &change : call.changes) {
            Call single;
            single.kind = Call::Kind::oneChange;
            single.sequence = m_nextSequence++;
            single.changes = {change};
            calls.push_back(std::move(single));
        }
    }
    m_calls = std::move(calls);
    resendFrom(m_calls.begin());
}

void AgentNotificationCenter::resendFrom(std::deque<Call>::iterator first)
{
    // Before the agent is confirmed, the later calls were never sent.
    const auto end = m_agentConfirmed ? m_calls.end() : std::next(first);
    for (auto call = first; call != end; ++call) {
        if (!call->open)
            send(*call);
    }
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
    for (const Call &call : calls)
        applyLocally(call);
}

void AgentNotificationCenter::finishCalls()
{
    closeBatch();
    while (!m_calls.empty() && !m_local) {
        // The first call waiting is always the one on the wire.
        Call &call = m_calls.front();
        QDBusPendingCall pending = *call.pending;
        pending.waitForFinished();
        onAnswered(call.sequence, call.attempt, pending.reply());
    }
}
