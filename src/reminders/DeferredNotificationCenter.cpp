// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DeferredNotificationCenter.h"

#include <utility>

void DeferredNotificationCenter::open(NotificationCenter &center)
{
    m_center = &center;
    for (const auto &call : std::exchange(m_waiting, {}))
        call(center);
}

void DeferredNotificationCenter::pass(std::function<void(NotificationCenter &)> call)
{
    if (m_center)
        call(*m_center);
    else
        m_waiting.push_back(std::move(call));
}

void DeferredNotificationCenter::requestAuthorization(int options,
                                                      AuthorizationCompletion completion)
{
    pass([options, completion = std::move(completion)](NotificationCenter &center) {
        center.requestAuthorization(options, completion);
    });
}

void DeferredNotificationCenter::add(const NotificationRequest &request)
{
    pass([request](NotificationCenter &center) { center.add(request); });
}

void DeferredNotificationCenter::removePendingRequests(const QStringList &identifiers)
{
    pass([identifiers](NotificationCenter &center) { center.removePendingRequests(identifiers); });
}

void DeferredNotificationCenter::restoreRemovedRequests(const QStringList &identifiers)
{
    pass([identifiers](NotificationCenter &center) { center.restoreRemovedRequests(identifiers); });
}
