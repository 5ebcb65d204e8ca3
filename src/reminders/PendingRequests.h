// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <QHash>
#include <list>
#include <optional>
#include <vector>

// The pending requests in the order they were put, at most one for each
// identifier: one put under the identifier of a pending one replaces it and
// goes last. Putting, finding and taking one cost the same however many are
// pending, so that a batch of changes costs as many steps as it has changes.
class PendingRequests {
public:
    PendingRequests() = default;
    // Of two with one identifier, the later stays.
    explicit PendingRequests(const std::vector<NotificationRequest> &requests);
    PendingRequests(PendingRequests &&) = default;
    PendingRequests &operator=(PendingRequests &&) = default;

    bool empty() const { return m_order.empty(); }
    auto begin() const { return m_order.cbegin(); }
    auto end() const { return m_order.cend(); }
    std::vector<NotificationRequest> list() const { return {m_order.begin(), m_order.end()}; }

    // Whether this very request is pending, not only one with its identifier.
    bool contains(const NotificationRequest &request) const;
    void put(const NotificationRequest &request);
    std::optional<NotificationRequest> take(const QString &identifier);
    // Takes the request only when it is pending as it is; false otherwise.
    bool remove(const NotificationRequest &request);

private:
    std::list<NotificationRequest> m_order;
    // std::list keeps its iterators through every other insertion and removal.
    QHash<QString, std::list<NotificationRequest>::iterator> m_byIdentifier;
};
