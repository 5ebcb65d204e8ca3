#include "AgentNotificationCenter.h"
#include "ReminderDelivery.h"

#include <QCoreApplication>
#include <QPointer>

NotificationCenter &NotificationCenter::current()
{
    static QPointer<AgentNotificationCenter> center;
    if (!center) {
        const QDBusConnection bus = QDBusConnection::sessionBus();
        center = new AgentNotificationCenter(
            bus,
            [bus] { return std::make_unique<ReminderDelivery>(bus); },
            QCoreApplication::instance());
        // Changes made just before quitting still reach the agent.
        QObject::connect(QCoreApplication::instance(), &QCoreApplication::aboutToQuit, center,
                         [c = center.data()] { c->finishCalls(); });
    }
    return *center;
}
