#include "FreedesktopNotificationServer.h"
#include "LocalNotificationCenter.h"
#include "SystemResumeWatcher.h"

#include <QCoreApplication>
#include <QPointer>
#include <QStandardPaths>

NotificationCenter &NotificationCenter::current()
{
    static SystemClock clock;
    static QPointer<LocalNotificationCenter> center;
    if (!center) {
        auto *server = new FreedesktopNotificationServer(QDBusConnection::sessionBus());
        center = new LocalNotificationCenter(
            PendingRequestsFile(
                QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                QStringLiteral("/plimsa/pending-notifications.json")),
            *server, clock, &LocalCalendar::current, QCoreApplication::instance());
        // The server outlives every call the center makes on it.
        server->setParent(center);
        auto *resumeWatcher = new SystemResumeWatcher(center);
        QObject::connect(resumeWatcher, &SystemResumeWatcher::resumed, center,
                         &LocalNotificationCenter::deliverDue);
    }
    return *center;
}
