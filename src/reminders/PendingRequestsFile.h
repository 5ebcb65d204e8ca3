#pragma once

#include "NotificationRequest.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

// The pending notification requests as a compact JSON array, kept in one file
// that is replaced atomically (temporary file, fsync, rename) and readable by
// the user only.
class PendingRequestsFile {
public:
    explicit PendingRequestsFile(QString path);

    const QString &path() const { return m_path; }

    // None when the file is missing or does not decode.
    std::optional<std::vector<NotificationRequest>> read() const;
    // False when it could not be written; the earlier file then stays.
    bool write(const std::vector<NotificationRequest> &requests) const;

private:
    QString m_path;
};

QByteArray encodePendingRequests(const std::vector<NotificationRequest> &requests);
// Strict: any malformed member fails the whole list, never a partial one.
std::optional<std::vector<NotificationRequest>> decodePendingRequests(const QByteArray &json);
