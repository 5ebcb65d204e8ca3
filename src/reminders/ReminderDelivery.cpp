#include "ReminderDelivery.h"

#include "PlimsaLauncher.h"
#include "SystemResumeWatcher.h"

#include <XdgDirectories.h>

ReminderDelivery::ReminderDelivery(QDBusConnection sessionBus, QObject *parent)
    : QObject(parent), m_server(std::move(sessionBus)),
      m_center(PendingRequestsFile(XdgDirectories::dataHome() +
                                   QStringLiteral("/plimsa/pending-notifications.json")),
               m_server, m_clock, &LocalCalendar::current)
{
    auto *resumeWatcher = new SystemResumeWatcher(this);
    connect(resumeWatcher, &SystemResumeWatcher::resumed, &m_center,
            &LocalNotificationCenter::deliverDue);
    connect(&m_server, &FreedesktopNotificationServer::defaultActionInvoked, this,
            &openPlimsaWindow);
}
