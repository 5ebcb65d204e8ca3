// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationCenter.h"

#include <functional>
#include <vector>

// A notification service that keeps the calls made to it until `open` hands
// it the real one, then passes them on in order, and every later call at once.
// Lets the app reach the session bus once its window is on screen.
class DeferredNotificationCenter final : public NotificationCenter {
public:
    void open(NotificationCenter &center);

    void requestAuthorization(int options, AuthorizationCompletion completion) override;
    void add(const NotificationRequest &request) override;
    void removePendingRequests(const QStringList &identifiers) override;
    void restoreRemovedRequests(const QStringList &identifiers) override;

private:
    void pass(std::function<void(NotificationCenter &)> call);

    NotificationCenter *m_center = nullptr;
    std::vector<std::function<void(NotificationCenter &)>> m_waiting;
};
