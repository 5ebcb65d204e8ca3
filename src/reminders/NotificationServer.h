#pragma once

#include "NotificationRequest.h"

#include <functional>
#include <optional>

// Whatever puts a notification on the user's screen.
class NotificationServer {
public:
    using ProbeAnswer = std::function<void(bool available, std::optional<QString> error)>;

    virtual ~NotificationServer() = default;

    // Shows the content as written (plain text). Returns at once; failures are dropped.
    virtual void show(const NotificationContent &content) = 0;
    // Answers later whether a server is there to show notifications.
    virtual void probe(ProbeAnswer answer) = 0;
};
