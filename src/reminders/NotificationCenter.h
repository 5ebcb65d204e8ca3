// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"
#include "PendingChange.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

// Options a permission request asks for; they combine as bits.
enum AuthorizationOption : int {
    authorizationBadge = 1,
    authorizationSound = 2,
    authorizationAlert = 4,
};

// The local-notification service: keeps pending requests and shows each one at
// its time. Calls return at once and never block on the service.
class NotificationCenter {
public:
    using AuthorizationCompletion = std::function<void(bool granted, std::optional<QString> error)>;

    virtual ~NotificationCenter() = default;

    // The user's own service as the app reaches it, made on first use on the UI
    // thread: the agent on the session bus (defined by reminders/client, which
    // only the app links).
    static NotificationCenter &current();

    // Answers later through `completion`.
    virtual void requestAuthorization(int options, AuthorizationCompletion completion) = 0;
    // A request with the identifier of a pending one replaces it.
    virtual void add(const NotificationRequest &request) = 0;
    // Identifiers that are not pending are ignored.
    virtual void removePendingRequests(const QStringList &identifiers) = 0;
    // Brings back, exactly as they were, the requests that removals of these
    // identifiers withdrew within the last minute: a snoozed one at its new
    // time, one due and waiting for a server due at once. Others are ignored.
    virtual void restoreRemovedRequests(const QStringList &identifiers) = 0;
    // The changes in order, as the calls above would make them one by one; a
    // service that keeps its requests on disk writes them there once for all.
    virtual void applyChanges(const std::vector<PendingChange> &changes)
    {
        for (const PendingChange &change : changes) {
            switch (change.kind) {
            case PendingChange::Kind::add:
                add(change.request);
                break;
            case PendingChange::Kind::remove:
                removePendingRequests(change.identifiers);
                break;
            case PendingChange::Kind::restore:
                restoreRemovedRequests(change.identifiers);
                break;
            }
        }
    }
};
