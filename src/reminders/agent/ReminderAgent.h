// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <ReminderAgentChange.h>

#include <QDBusConnection>
#include <QDBusContext>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>
#include <functional>

class AgentSyncOnDemand;
class LocalNotificationCenter;

// The notification service offered on the session bus as org.plimsa.Reminders
// (interface org.plimsa.Reminders1, described in org.plimsa.Reminders1.xml and
// exported through the adaptor generated from it), so that reminders are
// delivered while no Plimsa window is open. Owning the name makes it the one
// deliverer of the session.
//
// It stays while requests are pending or `busy` says so, and otherwise exits
// once no call has come for `linger`. Before it exits it lets go of the name and
// answers calls already on their way with reminderAgent::exitingError.
class ReminderAgent final : public QObject, protected QDBusContext {
    Q_OBJECT

public:
    explicit ReminderAgent(std::chrono::milliseconds linger, QObject *parent = nullptr);

    // Exports the service and claims the name; false when another agent has it.
    // Calls are handled from the next turn of the event loop: `serve` must come
    // first. Losing the connection later ends the agent.
    bool publish(QDBusConnection connection);
    void serve(LocalNotificationCenter &center, std::function<bool()> busy);
    // Sync while no window is open, which SyncNow and ReleaseSync reach.
    void serveSync(AgentSyncOnDemand &sync) { m_sync = &sync; }

    // The interface's methods, called by its adaptor; each answers on the bus
    // later, once its change is on disk, or with reminderAgent::notStoredError
    // when it could not be written.
    void Add(const QString &identifier, const QString &title, const QString &body,
             bool defaultSound, double time);
    void RemovePending(const QStringList &identifiers);
    void RestoreRemoved(const QStringList &identifiers);
    QList<uint> ApplyChanges(const QList<ReminderAgentChange> &changes);
    bool RequestAuthorization(int options, QString &error);
    void SyncNow();
    void ReleaseSync();

signals:
    // The name is released and every call that reached this agent is answered,
    // or the bus is gone with the session.
    void finished();

private slots:
    void onDisconnected();

private:
    bool refuseWhileExiting();
    void replyOnceWritten(const QVariantList &answer = {});
    void exitWhenIdle();

    QDBusConnection m_connection{QString()};
    LocalNotificationCenter *m_center = nullptr;
    AgentSyncOnDemand *m_sync = nullptr;
    std::function<bool()> m_busy;
    std::chrono::milliseconds m_linger;
    QElapsedTimer m_sinceLastCall;
    QTimer m_idleCheck;
    bool m_exiting = false;
};
