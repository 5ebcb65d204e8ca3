#include "LocalNotificationCenter.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double longestWaitSeconds = 60.0;

} // namespace

LocalNotificationCenter::LocalNotificationCenter(PendingRequestsFile file,
                                                 NotificationServer &server, const Clock &clock,
                                                 CalendarSource currentCalendar, QObject *parent)
    : QObject(parent), m_file(std::move(file)), m_server(server), m_clock(clock),
      m_currentCalendar(std::move(currentCalendar))
{
    m_checkTimer.setSingleShot(true);
    m_checkTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_checkTimer, &QTimer::timeout, this, &LocalNotificationCenter::deliverDue);
    m_pending = m_file.read().value_or(std::vector<NotificationRequest>{});
    deliverDue();
}

LocalNotificationCenter::~LocalNotificationCenter()
{
    if (m_writeScheduled)
        writeNow();
}

void LocalNotificationCenter::requestAuthorization(int, AuthorizationCompletion completion)
{
    m_server.probe(std::move(completion));
}

void LocalNotificationCenter::add(const NotificationRequest &request)
{
    std::erase_if(m_pending, [&](const NotificationRequest &pending) {
        return pending.identifier == request.identifier;
    });
    const auto due = dueInstant(request, m_currentCalendar());
    if (due && *due >= m_clock.now())
        m_pending.push_back(request);
    settleSoon();
}

void LocalNotificationCenter::removePendingRequests(const QStringList &identifiers)
{
    const auto removed = std::erase_if(m_pending, [&](const NotificationRequest &pending) {
        return identifiers.contains(pending.identifier);
    });
    if (removed == 0)
        return;
    settleSoon();
}

std::optional<double> LocalNotificationCenter::dueInstant(const NotificationRequest &request,
                                                          const LocalCalendar &calendar) const
{
    const DateComponents &at = request.trigger.dateMatching;
    return calendar.instant(at.year, at.month, at.day, at.hour, at.minute, 0);
}

void LocalNotificationCenter::deliverDue()
{
    const double now = m_clock.now();
    const LocalCalendar calendar = m_currentCalendar();
    std::vector<NotificationContent> due;
    std::erase_if(m_pending, [&](const NotificationRequest &request) {
        const auto at = dueInstant(request, calendar);
        if (at && *at > now)
            return false;
        if (at)
            due.push_back(request.content);
        return true;
    });
    if (!due.empty()) {
        // Forgotten on disk before it is shown: a crash in between loses one
        // reminder rather than showing it twice.
        writeNow();
        for (const NotificationContent &content : due)
            m_server.show(content);
    }
    armTimer();
}

void LocalNotificationCenter::settleSoon()
{
    // Many changes in one turn of the event loop (deleting many to-dos) make one
    // write and one pass over the pending requests.
    if (m_writeScheduled)
        return;
    m_writeScheduled = true;
    QTimer::singleShot(0, this, [this] {
        if (m_writeScheduled)
            writeNow();
        armTimer();
    });
}

void LocalNotificationCenter::afterWrite(std::function<void()> done)
{
    if (m_writeScheduled)
        m_afterWrite.push_back(std::move(done));
    else
        done();
}

void LocalNotificationCenter::writeNow()
{
    m_writeScheduled = false;
    m_file.write(m_pending);
    for (const auto &done : std::exchange(m_afterWrite, {}))
        done();
}

void LocalNotificationCenter::armTimer()
{
    if (m_pending.empty()) {
        m_checkTimer.stop();
        return;
    }
    const double now = m_clock.now();
    const LocalCalendar calendar = m_currentCalendar();
    double wait = longestWaitSeconds;
    for (const NotificationRequest &request : m_pending) {
        if (const auto at = dueInstant(request, calendar))
            wait = std::min(wait, std::max(0.0, *at - now));
    }
    m_checkTimer.start(static_cast<int>(std::ceil(wait * 1000.0)));
}

int LocalNotificationCenter::millisecondsUntilNextCheckForTesting() const
{
    return m_checkTimer.isActive() ? m_checkTimer.interval() : -1;
}
