// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ReminderAgent.h"

#include "AgentSyncOnDemand.h"
#include "ReminderAgentAdaptor.h"

#include <LocalNotificationCenter.h>
#include <PendingRequestsFile.h>
#include <ReminderAgentProtocol.h>

#include <QCoreApplication>
#include <QDBusConnectionInterface>
#include <QDBusMessage>

ReminderAgent::ReminderAgent(std::chrono::milliseconds linger, QObject *parent)
    : QObject(parent), m_linger(linger)
{
    reminderAgent::registerChangeType();
    new ReminderAgentAdaptor(this);
    m_sinceLastCall.start();
    m_idleCheck.setInterval(m_linger);
    connect(&m_idleCheck, &QTimer::timeout, this, &ReminderAgent::exitWhenIdle);
}

bool ReminderAgent::publish(QDBusConnection connection)
{
    m_connection = std::move(connection);
    // The object goes first: calls queued by bus activation are routed the
    // moment the name is ours.
    if (!m_connection.registerObject(reminderAgent::path, this, QDBusConnection::ExportAdaptors))
        return false;
    if (!m_connection.registerService(reminderAgent::service)) {
        m_connection.unregisterObject(reminderAgent::path);
        return false;
    }
    // The session is over: staying would leave an agent holding the pending
    // file beside the next session's.
    m_connection.connect(QString(), QStringLiteral("/org/freedesktop/DBus/Local"),
                         QStringLiteral("org.freedesktop.DBus.Local"),
                         QStringLiteral("Disconnected"), this, SLOT(onDisconnected()));
    return true;
}

void ReminderAgent::onDisconnected()
{
    m_idleCheck.stop();
    m_exiting = true;
    emit finished();
}

void ReminderAgent::serve(LocalNotificationCenter &center, std::function<bool()> busy)
{
    m_center = &center;
    m_busy = std::move(busy);
    m_idleCheck.start();
}

void ReminderAgent::Add(const QString &identifier, const QString &title, const QString &body,
                        bool defaultSound, double time)
{
    if (refuseWhileExiting())
        return;
    // Only what the pending file can hold and read back is taken.
    if (!isStorableTime(time)) {
        sendErrorReply(reminderAgent::invalidRequestError,
                       QStringLiteral("The time is out of range."));
        return;
    }
    m_center->add({identifier, {title, body, defaultSound}, {time, false}});
    replyOnceWritten();
}

void ReminderAgent::RemovePending(const QStringList &identifiers)
{
    if (refuseWhileExiting())
        return;
    m_center->removePendingRequests(identifiers);
    replyOnceWritten();
}

void ReminderAgent::RestoreRemoved(const QStringList &identifiers)
{
    if (refuseWhileExiting())
        return;
    m_center->restoreRemovedRequests(identifiers);
    replyOnceWritten();
}

QList<uint> ReminderAgent::ApplyChanges(const QList<ReminderAgentChange> &changes)
{
    if (refuseWhileExiting())
        return {};
    QList<uint> refused;
    m_center->applyChanges(reminderAgent::fromAgentChanges(changes, refused));
    replyOnceWritten({QVariant::fromValue(refused)});
    return {};
}

void ReminderAgent::replyOnceWritten(const QVariantList &answer)
{
    // The caller may forget a change once it is answered: it must be on disk
    // by then, or a kill right after would lose it.
    setDelayedReply(true);
    m_center->afterWrite([connection = connection(), call = message(), answer](bool written) {
        connection.send(written ? call.createReply(answer)
                                : call.createErrorReply(reminderAgent::notStoredError,
                                                        QStringLiteral("The reminders could not "
                                                                       "be written to disk.")));
    });
}

bool ReminderAgent::RequestAuthorization(int options, QString &)
{
    if (refuseWhileExiting())
        return false;
    setDelayedReply(true);
    m_center->requestAuthorization(options, [connection = connection(), call = message()](
                                                bool granted, std::optional<QString> error) {
        connection.send(call.createReply({granted, error.value_or(QString())}));
    });
    return false;
}

void ReminderAgent::SyncNow()
{
    if (refuseWhileExiting())
        return;
    if (m_sync)
        m_sync->syncNow();
}

void ReminderAgent::ReleaseSync()
{
    // Also while exiting: a window must not wait for an agent that holds on.
    m_sinceLastCall.restart();
    if (m_sync)
        m_sync->release();
}

bool ReminderAgent::refuseWhileExiting()
{
    m_sinceLastCall.restart();
    if (!m_exiting)
        return false;
    sendErrorReply(reminderAgent::exitingError, QStringLiteral("This agent is exiting."));
    return true;
}

void ReminderAgent::exitWhenIdle()
{
    if (m_center->hasPendingRequests() || m_busy() ||
        std::chrono::milliseconds(m_sinceLastCall.elapsed()) < m_linger)
        return;
    m_idleCheck.stop();
    m_exiting = true;
    m_connection.unregisterService(reminderAgent::service);
    // Calls routed here before the release are queued on this thread: refuse
    // them now so that their callers retry with the next agent.
    QCoreApplication::processEvents();
    // A round trip to the bus: every refusal above is on the wire before we go.
    m_connection.interface()->call(QStringLiteral("GetId"));
    emit finished();
}
