// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "NotificationRequest.h"

#include <LocalCalendar.h>
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
    // decode is set aside before anything can overwrite it. Entries in the
    // older form (a local minute) are placed in `zone` and written back at once
    // as instants.
    std::optional<std::vector<NotificationRequest>> read(const LocalCalendar &zone);
    // False when it could not be written; the earlier file then stays.
    bool write(const std::vector<NotificationRequest> &requests);

private:
    StoredFile m_file;
};

// Whether the file holds a request due at `time` and reads it back.
bool isStorableTime(double time);
QByteArray encodePendingRequests(const std::vector<NotificationRequest> &requests);
// Strict: any malformed member fails the whole list, never a partial one.
// Entries without "time" are in the older form: their local minute is placed
// in `zone`, and `olderForm` tells that one was.
std::optional<std::vector<NotificationRequest>>
decodePendingRequests(const QByteArray &json, const LocalCalendar &zone, bool *olderForm = nullptr);
