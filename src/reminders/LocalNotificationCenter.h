// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationCenter.h"
#include "NotificationServer.h"
#include "PendingInbox.h"
#include "PendingRequests.h"
#include "PendingRequestsFile.h"

#include <Clock.h>
#include <LocalCalendar.h>
#include <QFileSystemWatcher>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <functional>
#include <vector>

// The notification service of this machine's user. Pending requests are kept in
// a file, so they survive restarts. Each is shown at second 0 of the minute of
// its instant, whatever the time zone does meanwhile; one whose minute passed
// while nothing was running is shown late, at the next start. A request whose
// minute has already passed when it is added never shows. `currentCalendar`
// places entries of the file's older form, which hold a local minute.
//
// A request stays pending until the server has taken it: while no server is
// there, or it fails or does not answer, the request is tried again when a
// server appears and at least once a minute. A request withdrawn meanwhile is
// never shown. The user may snooze a shown reminder: it comes again, once, ten
// minutes later, as a pending request under the same identifier. What a
// removal withdrew can be restored, exactly as it was, for a minute.
//
// Waiting follows the wall clock: it checks again at least once a minute and
// whenever `deliverDue` is called (after the machine resumes), so suspend and
// clock changes neither lose nor repeat a reminder. Lives on the UI thread.
//
// One process delivers and writes the file: the one holding an flock on
// "<name>.lock" beside it, taken for as long as it delivers (the agent, or the
// app delivering itself). A lock needs no bus, so it also holds when the app
// cannot reach the agent's, and the kernel lets go of it however the holder
// ends. Any other center on the file only hands over: it writes the changes of
// each turn of the event loop as one file into the folder "<name>.inbox" and
// shows nothing. The holder applies those in order when the folder changes,
// when it takes the lock, and at each check; it removes them once the file
// holds them. A holder that ends between its write and the removal leaves them
// to the next, which applies them again: they are idempotent, and at worst undo
// a later change to the same reminder that went into that write.
// A center that hands over tries to take the lock at each check, at least once
// a minute, and then reads the file and the inbox itself.
class LocalNotificationCenter final : public QObject, public NotificationCenter {
    Q_OBJECT

public:
    LocalNotificationCenter(PendingRequestsFile file, NotificationServer &server,
                            const Clock &clock, const CalendarSource &currentCalendar,
                            QObject *parent = nullptr);
    // Writes changes that are not on disk yet.
    ~LocalNotificationCenter() override;

    void requestAuthorization(int options, AuthorizationCompletion completion) override;
    void add(const NotificationRequest &request) override;
    void removePendingRequests(const QStringList &identifiers) override;
    void restoreRemovedRequests(const QStringList &identifiers) override;
    // Costs as many steps as there are changes; the writes of a turn of the
    // event loop are one write of the file.
    void applyChanges(const std::vector<PendingChange> &changes) override;

    // While handing over, only the changes made here.
    std::vector<NotificationRequest> pendingRequests() const { return m_pending.list(); }
    bool hasPendingRequests() const { return !m_pending.empty(); }
    bool isDelivering() const { return m_delivering; }
    // Shows every pending request whose minute has come and that is not on its
    // way to the server already; each is forgotten once the server has it.
    // Takes the lock first when it is free.
    void deliverDue();
    // Runs `done` with whether every change made so far is on disk: at once
    // when it is, else after the write at the end of this turn of the event
    // loop. After a failed write the next call writes again.
    void afterWrite(std::function<void(bool written)> done);
    // How long until the next check (after the current turn of the event loop);
    // negative when none is armed.
    int millisecondsUntilNextCheckForTesting() const;

private:
    static double dueInstant(const NotificationRequest &request);
    bool apply(const PendingChange &change);
    bool takeDelivery();
    void pickUpInbox();
    void onShown(const NotificationRequest &request, bool taken);
    void snooze(const NotificationRequest &request);
    void settleSoon();
    void forgetOldWithdrawals();
    void writeNow();
    void armTimer();

    PendingRequestsFile m_file;
    NotificationServer &m_server;
    const Clock &m_clock;
    CalendarSource m_currentCalendar;
    QString m_lockPath;
    int m_lockFd = -1;
    bool m_delivering = false;
    PendingInbox m_inbox;
    QFileSystemWatcher m_inboxWatcher;
    // Changes not in the inbox yet, while handing over.
    std::vector<PendingChange> m_handOver;
    // Inbox files applied, removed once the file holds them.
    QStringList m_takenFromInbox;
    PendingRequests m_pending;
    // Withdrawn requests by identifier, with when, while they can be restored.
    QHash<QString, std::pair<NotificationRequest, double>> m_withdrawn;
    // Identifiers of the requests on their way to the server.
    QSet<QString> m_onTheirWay;
    QTimer m_checkTimer;
    bool m_writeScheduled = false;
    bool m_lastWriteFailed = false;
    std::vector<std::function<void(bool)>> m_afterWrite;
};
