// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentAutostart.h"

#include <QFileInfo>
#include <algorithm>
#include <StoredFile.h>
#include <XdgDirectories.h>

namespace {

const QString entryName = QStringLiteral("/autostart/org.plimsa.Reminders.desktop");

// A path as one argument of an Exec line, quoted as desktop entries require.
QString execArgument(QString path)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    if (std::none_of(path.cbegin(), path.cend(), [](QChar c) { return reserved.contains(c); }))
        return path.replace(QLatin1Char('%'), QLatin1String("%%"));
    for (const char *special : {"\\", "\"", "`", "$"})
        path.replace(QLatin1String(special), QLatin1String("\\") + QLatin1String(special));
    return QLatin1Char('"') + path.replace(QLatin1Char('%'), QLatin1String("%%")) +
           QLatin1Char('"');
}

} // namespace

std::optional<QString> ensureAgentAutostart(const QString &agent)
{
    const QFileInfo agentFile(agent);
    if (!agentFile.isFile() || !agentFile.isExecutable())
        return std::nullopt;
    const QString userEntry = XdgDirectories::configHome() + entryName;
    if (QFileInfo::exists(userEntry))
        return std::nullopt;
    for (const QString &directory : XdgDirectories::configDirectories()) {
        if (QFileInfo::exists(directory + entryName))
            return std::nullopt;
    }
    const QString exec = execArgument(agentFile.absoluteFilePath());
    const QString entry = QStringLiteral("[Desktop Entry]\n"
                                         "Type=Application\n"
                                         "Name=Plimsa Reminders\n"
                                         "Comment=Delivers Plimsa's reminders while no Plimsa "
                                         "window is open\n"
                                         "TryExec=%1\n"
                                         "Exec=%2\n"
                                         "Icon=org.plimsa.Plimsa\n"
                                         "Terminal=false\n"
                                         "NoDisplay=true\n"
                                         "X-GNOME-Autostart-enabled=true\n")
                              .arg(agentFile.absoluteFilePath(), exec);
    if (!StoredFile(userEntry).write(entry.toUtf8()))
        return std::nullopt;
    return userEntry;
}
