// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <QObject>
#include <functional>
#include <optional>

// Whatever puts a notification on the user's screen.
class NotificationServer : public QObject {
    Q_OBJECT

public:
    // The server's id for the notification once it has taken it; none when it
    // did not (no server, an error, no answer in time).
    using ShowAnswer = std::function<void(std::optional<uint> id)>;
    using ProbeAnswer = std::function<void(bool available, std::optional<QString> error)>;
    // Asked at the last moment before the notification goes out.
    using StillWanted = std::function<bool()>;

    // The actions a notification offers where the server shows actions.
    static inline const QString openAction = QStringLiteral("default");
    static inline const QString snoozeAction = QStringLiteral("snooze");

    using QObject::QObject;

    // Shows the request's content as written (plain text), unless `stillWanted`
    // says no just before it goes out (its to-do was deleted meanwhile): then
    // the answer is none. Returns at once and answers later, exactly once.
    virtual void show(const NotificationRequest &request, StillWanted stillWanted,
                      ShowAnswer answer) = 0;
    // Answers later whether a server is there to show notifications.
    virtual void probe(ProbeAnswer answer) = 0;

signals:
    // A server has come (back) to show notifications.
    void serverAppeared();
    // The user chose `action` on the notification shown for `request`. The
    // token, when the server gave one, lets the window it opens take focus.
    void actionInvoked(const NotificationRequest &request, const QString &action,
                       const QString &activationToken);
};
