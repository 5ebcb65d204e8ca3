// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "LocalNotificationCenter.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>
#include <utility>

namespace {

constexpr double longestWaitSeconds = 60.0;
constexpr double snoozeSeconds = 10 * 60.0;
// Longer than the app offers to undo a deletion.
constexpr double restorableSeconds = 60.0;

// Every zone in use is offset from UTC by whole minutes: a minute starts at
// the same instant everywhere.
double minuteStart(double instant)
{
    return std::floor(instant / 60.0) * 60.0;
}

// As the pending file's own writer makes its folder: the user's reminders are
// theirs alone.
bool makeOwnerOnlyFolder(const QString &folder)
{
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder) &&
           QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                             QFileDevice::ExeOwner);
}

QString besidePendingFile(const QString &path, const QString &suffix)
{
    const QFileInfo file(path);
    return file.path() + QLatin1Char('/') + file.completeBaseName() + suffix;
}

} // namespace

LocalNotificationCenter::LocalNotificationCenter(PendingRequestsFile file,
                                                 NotificationServer &server, const Clock &clock,
                                                 const CalendarSource &currentCalendar,
                                                 QObject *parent)
    : QObject(parent), m_file(std::move(file)), m_server(server), m_clock(clock),
      m_currentCalendar(currentCalendar),
      m_lockPath(besidePendingFile(m_file.path(), QStringLiteral(".lock"))),
      m_inbox(besidePendingFile(m_file.path(), QStringLiteral(".inbox")))
{
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_checkTimer, &QTimer::timeout, this, &LocalNotificationCenter::deliverDue);
    connect(&m_server, &NotificationServer::serverAppeared, this,
            &LocalNotificationCenter::deliverDue);
    connect(&m_server, &NotificationServer::actionInvoked, this,
            [this](const NotificationRequest &request, const QString &action) {
                if (action == NotificationServer::snoozeAction)
                    snooze(request);
            });
    connect(&m_inboxWatcher, &QFileSystemWatcher::directoryChanged, this,
            &LocalNotificationCenter::deliverDue);
    deliverDue();
}

LocalNotificationCenter::~LocalNotificationCenter()
{
    if (m_writeScheduled)
        writeNow();
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

bool LocalNotificationCenter::takeDelivery()
{
    if (m_delivering)
        return true;
    if (m_lockFd < 0 && makeOwnerOnlyFolder(QFileInfo(m_lockPath).path()) &&
        makeOwnerOnlyFolder(m_inbox.folder())) {
        const QByteArray lockPath = QFile::encodeName(m_lockPath);
        m_lockFd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
        // A lock file that cannot be written (a read-only home) still locks.
        if (m_lockFd < 0)
            m_lockFd = ::open(lockPath.constData(), O_RDONLY | O_CLOEXEC);
    }
    if (m_lockFd < 0 || ::flock(m_lockFd, LOCK_EX | LOCK_NB) != 0)
        return false;
    m_delivering = true;
    // What was made here while handing over is newer than anything in the inbox.
    const std::vector<PendingChange> notHandedOver = std::exchange(m_handOver, {});
    m_pending = PendingRequests(
        m_file.read(m_currentCalendar()).value_or(std::vector<NotificationRequest>{}));
    pickUpInbox();
    for (const PendingChange &change : notHandedOver)
        apply(change);
    m_inboxWatcher.addPath(m_inbox.folder());
    if (!notHandedOver.empty())
        settleSoon();
    return true;
}

void LocalNotificationCenter::pickUpInbox()
{
    bool picked = false;
    for (const PendingInbox::Entry &entry : m_inbox.read()) {
        if (m_takenFromInbox.contains(entry.name))
            continue;
        m_takenFromInbox.append(entry.name);
        for (const PendingChange &change : entry.changes)
            apply(change);
        picked = true;
    }
    if (picked)
        settleSoon();
}

void LocalNotificationCenter::requestAuthorization(int, AuthorizationCompletion completion)
{
    m_server.probe(std::move(completion));
}

void LocalNotificationCenter::add(const NotificationRequest &request)
{
    applyChanges({{PendingChange::Kind::add, request, {}}});
}

void LocalNotificationCenter::removePendingRequests(const QStringList &identifiers)
{
    applyChanges({{PendingChange::Kind::remove, {}, identifiers}});
}

void LocalNotificationCenter::restoreRemovedRequests(const QStringList &identifiers)
{
    applyChanges({{PendingChange::Kind::restore, {}, identifiers}});
}

void LocalNotificationCenter::applyChanges(const std::vector<PendingChange> &changes)
{
    // Kept here as well, so that it is known when this center takes over.
    if (!m_delivering) {
        m_handOver.insert(m_handOver.end(), changes.begin(), changes.end());
        settleSoon();
    }
    bool changed = false;
    for (const PendingChange &change : changes)
        changed = apply(change) || changed;
    if (changed)
        settleSoon();
    // A restored reminder that is due already waits for no check.
    if (std::ranges::any_of(changes, [](const PendingChange &change) {
            return change.kind == PendingChange::Kind::restore;
        }))
        deliverDue();
}

bool LocalNotificationCenter::apply(const PendingChange &change)
{
    const double now = m_clock.now();
    switch (change.kind) {
    case PendingChange::Kind::add:
        if (dueInstant(change.request) >= now)
            m_pending.put(change.request);
        else
            m_pending.take(change.request.identifier);
        return true;
    case PendingChange::Kind::remove: {
        bool removed = false;
        for (const QString &identifier : change.identifiers) {
            if (auto pending = m_pending.take(identifier)) {
                m_withdrawn.insert(identifier, {std::move(*pending), now});
                removed = true;
            }
        }
        return removed;
    }
    case PendingChange::Kind::restore: {
        bool restored = false;
        for (const QString &identifier : change.identifiers) {
            const auto withdrawn = m_withdrawn.find(identifier);
            if (withdrawn == m_withdrawn.end())
                continue;
            if (std::abs(now - withdrawn->second) <= restorableSeconds) {
                m_pending.put(withdrawn->first);
                restored = true;
            }
            m_withdrawn.erase(withdrawn);
        }
        return restored;
    }
    }
    return false;
}

double LocalNotificationCenter::dueInstant(const NotificationRequest &request)
{
    return minuteStart(request.trigger.time);
}

void LocalNotificationCenter::deliverDue()
{
    if (!takeDelivery()) {
        armTimer();
        return;
    }
    pickUpInbox();
    const double now = m_clock.now();
    std::vector<NotificationRequest> due;
    for (const NotificationRequest &request : m_pending) {
        if (dueInstant(request) <= now && !m_onTheirWay.contains(request.identifier))
            due.push_back(request);
    }
    for (const NotificationRequest &request : due) {
        m_onTheirWay.insert(request.identifier);
        const QPointer<LocalNotificationCenter> center(this);
        m_server.show(
            request, [center, request] { return center && center->m_pending.contains(request); },
            [center, request](std::optional<uint> id) {
                if (center)
                    center->onShown(request, id.has_value());
            });
    }
    armTimer();
}

void LocalNotificationCenter::onShown(const NotificationRequest &request, bool taken)
{
    m_onTheirWay.remove(request.identifier);
    // Not taken: it stays pending and is tried again by the next check.
    if (!taken)
        return;
    // Forgotten once the server has it. A crash between the server's answer and
    // this write shows it a second time at the next start: at least once.
    // A request added again meanwhile under the same identifier stays.
    if (m_pending.remove(request))
        settleSoon();
}

void LocalNotificationCenter::snooze(const NotificationRequest &request)
{
    // Reminders fall on whole minutes: the first at least ten minutes away, as
    // an instant, so a daylight-saving change meanwhile does not stretch it.
    NotificationRequest again = request;
    again.trigger.time = std::ceil((m_clock.now() + snoozeSeconds) / 60.0) * 60.0;
    add(again);
}

void LocalNotificationCenter::settleSoon()
{
    // Many changes in one turn of the event loop (deleting many to-dos) make one
    // write and one pass over the pending requests.
    if (m_writeScheduled)
        return;
    m_writeScheduled = true;
    QTimer::singleShot(0, this, [this] {
        forgetOldWithdrawals();
        if (m_writeScheduled)
            writeNow();
        armTimer();
    });
}

void LocalNotificationCenter::forgetOldWithdrawals()
{
    // Once a turn rather than at each removal: a batch of many costs one pass.
    const double now = m_clock.now();
    m_withdrawn.removeIf([&](const auto &withdrawn) {
        return std::abs(now - withdrawn.value().second) > restorableSeconds;
    });
}

void LocalNotificationCenter::afterWrite(std::function<void(bool)> done)
{
    if (!m_writeScheduled && !m_lastWriteFailed) {
        done(true);
        return;
    }
    m_afterWrite.push_back(std::move(done));
    settleSoon();
}

void LocalNotificationCenter::writeNow()
{
    // Before the flag goes down: taking the lock now is written by this write.
    const bool delivering = takeDelivery();
    m_writeScheduled = false;
    if (delivering) {
        // A full or read-only disk, or a file held back as unreadable.
        m_lastWriteFailed = !m_file.write(m_pending.list());
        if (!m_lastWriteFailed) {
            for (const QString &name : std::exchange(m_takenFromInbox, {}))
                m_inbox.remove(name);
        }
    } else {
        m_lastWriteFailed = !m_handOver.empty() && !m_inbox.put(m_handOver);
        if (!m_lastWriteFailed)
            m_handOver.clear();
    }
    for (const auto &done : std::exchange(m_afterWrite, {}))
        done(!m_lastWriteFailed);
}

void LocalNotificationCenter::armTimer()
{
    // Handing over, it checks for a free lock at least once a minute; holding
    // it, for handed-over changes when the folder cannot be watched.
    if (m_pending.empty() && m_delivering && !m_inboxWatcher.directories().isEmpty()) {
        m_checkTimer.stop();
        return;
    }
    const double now = m_clock.now();
    double wait = longestWaitSeconds;
    // Requests already due wait for a server: tried again within the longest wait.
    for (const NotificationRequest &request : m_pending) {
        if (const double at = dueInstant(request); at > now)
            wait = std::min(wait, at - now);
    }
    m_checkTimer.start(static_cast<int>(std::ceil(wait * 1000.0)));
}

int LocalNotificationCenter::millisecondsUntilNextCheckForTesting() const
{
    return m_checkTimer.isActive() ? m_checkTimer.interval() : -1;
}
