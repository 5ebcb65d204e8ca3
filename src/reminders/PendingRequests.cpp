// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PendingRequests.h"

PendingRequests::PendingRequests(const std::vector<NotificationRequest> &requests)
{
    m_byIdentifier.reserve(static_cast<qsizetype>(requests.size()));
    for (const NotificationRequest &request : requests)
        put(request);
}

bool PendingRequests::contains(const NotificationRequest &request) const
{
    const auto found = m_byIdentifier.constFind(request.identifier);
    return found != m_byIdentifier.cend() && *found.value() == request;
}

void PendingRequests::put(const NotificationRequest &request)
{
    const auto placed = m_order.insert(m_order.end(), request);
    const auto found = m_byIdentifier.find(request.identifier);
    if (found == m_byIdentifier.end()) {
        m_byIdentifier.insert(request.identifier, placed);
        return;
    }
    m_order.erase(found.value());
    found.value() = placed;
}

std::optional<NotificationRequest> PendingRequests::take(const QString &identifier)
{
    const auto found = m_byIdentifier.find(identifier);
    if (found == m_byIdentifier.end())
        return std::nullopt;
    NotificationRequest request = std::move(*found.value());
    m_order.erase(found.value());
    m_byIdentifier.erase(found);
    return request;
}

bool PendingRequests::remove(const NotificationRequest &request)
{
    if (!contains(request))
        return false;
    take(request.identifier);
    return true;
}
