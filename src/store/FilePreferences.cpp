#include "FilePreferences.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace {

bool isUsableKey(const QString &key)
{
    return !key.isEmpty() && key != QLatin1String(".") && key != QLatin1String("..") &&
           !key.contains(QLatin1Char('/')) && !key.contains(QChar(0));
}

// Where the file system has no unnamed temporary files (O_TMPFILE), a write cut
// short by a kill leaves "<key>.XXXXXX" behind; the next write of the key clears it.
void removeStaleTemporaryFiles(const QString &directory, const QString &key)
{
    QDir folder(directory);
    const QString pattern = key + QStringLiteral(".??????");
    for (const QString &name : folder.entryList({pattern}, QDir::Files | QDir::Hidden))
        folder.remove(name);
}

bool ensurePrivateDirectory(const QString &directory)
{
    if (QFileInfo(directory).isDir())
        return true;
    if (!QDir().mkpath(directory))
        return false;
    return QFile::setPermissions(directory, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ExeOwner);
}

} // namespace

FilePreferences::FilePreferences(QString directory) : m_directory(std::move(directory)) {}

std::optional<QString> FilePreferences::pathFor(const QString &key) const
{
    if (!isUsableKey(key))
        return std::nullopt;
    return m_directory + QLatin1Char('/') + key;
}

std::optional<QByteArray> FilePreferences::data(const QString &key) const
{
    const auto path = pathFor(key);
    if (!path || !QFileInfo(*path).isFile())
        return std::nullopt;
    QFile file(*path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return std::nullopt;
    return bytes;
}

bool FilePreferences::setData(const QString &key, QByteArrayView value)
{
    const auto path = pathFor(key);
    if (!path || !ensurePrivateDirectory(m_directory))
        return false;
    removeStaleTemporaryFiles(m_directory, key);
    QSaveFile file(*path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    if (file.write(value.data(), value.size()) != value.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}
