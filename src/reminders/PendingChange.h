// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <QStringList>

// One change to the pending requests: what a call of the notification service
// asks, as batches carry it and as a process that does not deliver hands it to
// the one that does.
struct PendingChange {
    enum class Kind { add, remove, restore };
    Kind kind = Kind::add;
    // For an addition.
    NotificationRequest request;
    // For a removal or a restore.
    QStringList identifiers;

    friend bool operator==(const PendingChange &, const PendingChange &) = default;
};
