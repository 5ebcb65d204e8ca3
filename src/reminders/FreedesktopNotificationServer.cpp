// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FreedesktopNotificationServer.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <chrono>

namespace {

const QString service = QStringLiteral("org.freedesktop.Notifications");
const QString path = QStringLiteral("/org/freedesktop/Notifications");
const QString interface = QStringLiteral("org.freedesktop.Notifications");

constexpr int defaultExpiry = -1;
// A server that never answers must not keep calls waiting for long.
constexpr int callTimeoutMs = 10000;
constexpr auto clickableFor = std::chrono::hours(1);

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
    : NotificationServer(parent), m_connection(std::move(connection))
{
    // Only from the server's current owner: any client may send look-alikes.
    m_connection.connect(service, path, interface, QStringLiteral("ActivationToken"), this,
                         SLOT(onActivationToken(uint, QString)));
    m_connection.connect(service, path, interface, QStringLiteral("ActionInvoked"), this,
                         SLOT(onActionInvoked(uint, QString)));
    m_connection.connect(service, path, interface, QStringLiteral("NotificationClosed"), this,
                         SLOT(onNotificationClosed(uint, uint)));
    auto *watcher = new QDBusServiceWatcher(service, m_connection,
                                            QDBusServiceWatcher::WatchForOwnerChange, this);
    connect(watcher, &QDBusServiceWatcher::serviceOwnerChanged, this,
            [this](const QString &, const QString &, const QString &newOwner) {
                // A new server numbers its notifications from 1 again.
                m_shown.clear();
                if (!newOwner.isEmpty())
                    emit serverAppeared();
            });
}

void FreedesktopNotificationServer::show(const NotificationRequest &request,
                                         StillWanted stillWanted, ShowAnswer answer)
{
    // Asked anew for every notification: the server may have changed since.
    const auto message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("GetCapabilities"));
    ++m_callsInFlight;
    whenAnswered(this, m_connection.asyncCall(message, callTimeoutMs),
                 [this, request, stillWanted = std::move(stillWanted),
                  answer = std::move(answer)](QDBusPendingCallWatcher &call) {
                     const QDBusPendingReply<QStringList> reply = call;
                     // A slow or just-starting server can take seconds to answer.
                     if (reply.isError() || !stillWanted()) {
                         --m_callsInFlight;
                         answer(std::nullopt);
                         return;
                     }
                     notify(request, reply.value(), answer);
                 });
}

void FreedesktopNotificationServer::notify(const NotificationRequest &request,
                                           const QStringList &capabilities, ShowAnswer answer)
{
    const NotificationContent &content = request.content;
    const bool bodyMarkup = capabilities.contains(QLatin1String("body-markup"));
    const bool clickable = capabilities.contains(QLatin1String("actions"));
    auto message =
        QDBusMessage::createMethodCall(service, path, interface, QStringLiteral("Notify"));
    QVariantMap hints;
    hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("org.plimsa.Plimsa"));
    // Many servers play a sound only when one is named.
    if (content.defaultSound)
        hints.insert(QStringLiteral("sound-name"), QStringLiteral("alarm-clock-elapsed"));
    else
        hints.insert(QStringLiteral("suppress-sound"), true);
    const QStringList actions = clickable ? QStringList{openAction, QStringLiteral("Open"),
                                                        snoozeAction, QStringLiteral("Snooze")}
                                          : QStringList();
    message << QStringLiteral("Plimsa") << 0u << QString() << content.title
            << (bodyMarkup ? escapedForMarkup(content.body) : content.body) << actions << hints
            << defaultExpiry;
    whenAnswered(this, m_connection.asyncCall(message, callTimeoutMs),
                 [this, request, clickable, answer](QDBusPendingCallWatcher &call) {
                     --m_callsInFlight;
                     const QDBusPendingReply<uint> reply = call;
                     if (reply.isError()) {
                         answer(std::nullopt);
                         return;
                     }
                     if (clickable)
                         m_shown.insert(reply.value(), {request, QDeadlineTimer(clickableFor), {}});
                     answer(reply.value());
                 });
}

bool FreedesktopNotificationServer::isBusy()
{
    m_shown.removeIf([](const auto &shown) { return shown.value().clickable.hasExpired(); });
    return m_callsInFlight > 0 || !m_shown.isEmpty();
}

void FreedesktopNotificationServer::onActivationToken(uint id, const QString &token)
{
    // Sent just before ActionInvoked, to every client: only our own ids count.
    if (const auto shown = m_shown.find(id); shown != m_shown.end())
        shown->activationToken = token;
}

void FreedesktopNotificationServer::onActionInvoked(uint id, const QString &actionKey)
{
    const auto shown = m_shown.constFind(id);
    if (shown != m_shown.cend())
        emit actionInvoked(shown->request, actionKey, shown->activationToken);
}

void FreedesktopNotificationServer::onNotificationClosed(uint id, uint)
{
    m_shown.remove(id);
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
