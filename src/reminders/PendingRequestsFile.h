// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <QByteArray>
#include <QString>
#include <StoredFile.h>
#include <optional>
#include <vector>

// The pending notification requests as a compact JSON array, kept in one
// StoredFile: replaced atomically and readable by the user only.
class PendingRequestsFile {
public:
    explicit PendingRequestsFile(QString path);

    const QString &path() const { return m_file.path(); }

    // None when the file is missing or does not decode. Content that does not
    // decode is set aside before anything can overwrite it.
    std::optional<std::vector<NotificationRequest>> read();
    // False when it could not be written; the earlier file then stays.
    bool write(const std::vector<NotificationRequest> &requests);

private:
    StoredFile m_file;
};

QByteArray encodePendingRequests(const std::vector<NotificationRequest> &requests);
// Strict: any malformed member fails the whole list, never a partial one.
std::optional<std::vector<NotificationRequest>> decodePendingRequests(const QByteArray &json);
