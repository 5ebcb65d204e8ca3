// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <NotificationCenter.h>
#include <vector>

// A notification service that only records what it is asked, in order.
class RecordingNotificationCenter final : public NotificationCenter {
public:
    struct AuthorizationRequest {
        int options;
        AuthorizationCompletion completion;
    };

    void requestAuthorization(int options, AuthorizationCompletion completion) override
    {
        authorizationRequests.push_back({options, std::move(completion)});
        calls.push_back(QStringLiteral("requestAuthorization"));
    }
    void add(const NotificationRequest &request) override
    {
        added.push_back(request);
        calls.push_back(QStringLiteral("add"));
    }
    void removePendingRequests(const QStringList &identifiers) override
    {
        removed.push_back(identifiers);
        calls.push_back(QStringLiteral("removePendingRequests"));
    }
    void restoreRemovedRequests(const QStringList &identifiers) override
    {
        restored.push_back(identifiers);
        calls.push_back(QStringLiteral("restoreRemovedRequests"));
    }

    std::vector<AuthorizationRequest> authorizationRequests;
    std::vector<NotificationRequest> added;
    std::vector<QStringList> removed;
    std::vector<QStringList> restored;
    QStringList calls;
};
