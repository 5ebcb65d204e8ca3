#pragma once

#include "Preferences.h"

// Preferences kept as one file per key, named after the key, in one directory.
// Each file holds exactly the value's bytes and is readable by the user only.
// A write goes to a temporary file that is flushed to disk and then renamed over
// the old one, so a crash or power cut leaves the old value or the new one, never
// a mix. Not safe against two processes writing the same key at once.
class FilePreferences final : public Preferences {
public:
    explicit FilePreferences(QString directory);

    const QString &directory() const { return m_directory; }

    std::optional<QByteArray> data(const QString &key) const override;
    bool setData(const QString &key, QByteArrayView value) override;

private:
    std::optional<QString> pathFor(const QString &key) const;

    QString m_directory;
};
