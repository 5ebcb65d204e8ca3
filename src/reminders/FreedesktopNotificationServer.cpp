#include "FreedesktopNotificationServer.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <chrono>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

constexpr int defaultExpiry = -1;
// A server that never answers must not keep calls waiting for long.
constexpr int callTimeoutMs = 10000;
constexpr auto clickableFor = std::chrono::hours(1);
const QString defaultAction = QStringLiteral("default");

// Runs `handle` with the reply once it arrives, unless `owner` is gone by then.
template <typename Handler>
void whenAnswered(QObject *owner, const QDBusPendingCall &call, Handler handle)
{
    auto *watcher = new QDBusPendingCallWatcher(call, owner);
    QObject::connect(watcher, &QDBusPendingCallWatcher::finished, watcher,
                     [handle = std::move(handle)](QDBusPendingCallWatcher *finished) {
                         handle(*finished);
                         finished->deleteLater();
                     });
}

} // namespace

QString escapedForMarkup(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size());
    for (const QChar c : text) {
        if (c == QLatin1Char('&'))
            escaped += QLatin1String("&amp;");
        else if (c == QLatin1Char('<'))
            escaped += QLatin1String("&lt;");
        else if (c == QLatin1Char('>'))
            escaped += QLatin1String("&gt;");
        else
            escaped += c;
    }
    return escaped;
}

FreedesktopNotificationServer::FreedesktopNotificationServer(QDBusConnection connection,
                                                             QObject *parent)
    : QObject(parent), m_connection(std::move(connection))
{
    m_connection.connect(QString(), path, interface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString)));
    m_connection.connect(QString(), path, interface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onNotificationClosed(uint, uint)));
}

void FreedesktopNotificationServer::show(const NotificationContent &content)
{
    // Asked anew for every notification: the server may have changed since.
    const auto message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetCapabilities"));
    ++m_callsInFlight;
    whenAnswered(this, m_connection.asyncCall(message, callTimeoutMs),
                 [this, content](QDBusPendingCallWatcher &call) {
                     const QDBusPendingReply<QStringList> reply = call;
                     if (reply.isError()) {
                         --m_callsInFlight;
                         return;
                     }
                     notify(content, reply.value());
                 });
}

void FreedesktopNotificationServer::notify(const NotificationContent &content,
                                           const QStringList &capabilities)
{
    const bool bodyMarkup = capabilities.contains(QLatin1String("body-markup"));
    const bool clickable = capabilities.contains(QLatin1String("actions"));
    auto message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.plimsa.Plimsa"));
    if (!content.defaultSound)
        hints.insert(QStringLiteral("suppress-sound"), true);
    message << QStringLiteral("Plimsa") << 0u << QString() << content.title
            << (bodyMarkup ? escapedForMarkup(content.body) : content.body)
            << (clickable ? QStringList{defaultAction, QStringLiteral("Open")} : QStringList())
            << hints << defaultExpiry;
    whenAnswered(this, m_connection.asyncCall(message, callTimeoutMs),
                 [this, clickable](QDBusPendingCallWatcher &call) {
                     --m_callsInFlight;
                     const QDBusPendingReply<uint> reply = call;
                     if (clickable && !reply.isError())
                         m_openNotifications.insert(reply.value(), QDeadlineTimer(clickableFor));
                 });
}

bool FreedesktopNotificationServer::isBusy()
{
    m_openNotifications.removeIf([](const auto &open) { return open.value().hasExpired(); });
    return m_callsInFlight > 0 || !m_openNotifications.isEmpty();
}

void FreedesktopNotificationServer::onActionInvoked(uint id, const QString &actionKey)
{
    // The signal goes to every client of the server; only our own ids count.
    if (actionKey == defaultAction && m_openNotifications.contains(id))
        emit defaultActionInvoked();
}

void FreedesktopNotificationServer::onNotificationClosed(uint id, uint)
{
    m_openNotifications.remove(id);
}

void FreedesktopNotificationServer::probe(ProbeAnswer answer)
{
    const auto message = QDBusMessage::createMethodCall(service, path, interface,
                                                        QStringLiteral("GetServerInformation"));
    whenAnswered(this, m_connection.asyncCall(message, callTimeoutMs),
                 [answer = std::move(answer)](QDBusPendingCallWatcher &call) {
                     if (call.isError())
                         answer(false, call.error().message());
                     else
                         answer(true, std::nullopt);
                 });
}
