// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FilePreferences.h"

namespace {

bool isUsableKey(const QString &key)
{
    return !key.isEmpty() && key != QLatin1String(".") && key != QLatin1String("..") &&
           !key.contains(QLatin1Char('/')) && !key.contains(QChar(0));
}

} // namespace

FilePreferences::FilePreferences(QString directory) : m_directory(std::move(directory)) {}

StoredFile *FilePreferences::fileFor(const QString &key) const
{
    if (!isUsableKey(key))
        return nullptr;
    auto found = m_files.find(key);
    if (found == m_files.end())
        found = m_files.emplace(key, StoredFile(m_directory + QLatin1Char('/') + key)).first;
    return &found->second;
}

std::optional<QByteArray> FilePreferences::data(const QString &key) const
{
    const std::lock_guard lock(m_mutex);
    StoredFile *file = fileFor(key);
    return file ? file->read() : std::nullopt;
}

QByteArray FilePreferences::revision(const QString &key) const
{
    if (!isUsableKey(key))
        return {};
    return StoredFile(m_directory + QLatin1Char('/') + key).revision();
}

bool FilePreferences::setData(const QString &key, QByteArrayView value)
{
    const std::lock_guard lock(m_mutex);
    StoredFile *file = fileFor(key);
    return file && file->write(value);
}

bool FilePreferences::keepUnreadable(const QString &key, QByteArrayView value)
{
    const std::lock_guard lock(m_mutex);
    StoredFile *file = fileFor(key);
    return file && file->keepUnreadable(value).has_value();
}
