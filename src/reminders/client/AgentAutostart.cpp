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
// The line is a string value too: `valueText` applies to it after this.
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

// A desktop entry string value: systemd's xdg-autostart-generator, which
// GNOME and Plasma sessions start login entries with, rejects a lone backslash.
QString valueText(QString value)
{
    return value.replace(QLatin1Char('\\'), QLatin1String("\\\\"))
        .replace(QLatin1Char('\n'), QLatin1String("\\n"))
        .replace(QLatin1Char('\t'), QLatin1String("\\t"))
        .replace(QLatin1Char('\r'), QLatin1String("\\r"));
}

// A dangling symbolic link of the user's is an entry too.
bool present(const QString &path)
{
    const QFileInfo file(path);
    return file.exists() || file.isSymLink();
}

} // namespace

std::optional<QString> ensureAgentAutostart(const QString &agent)
{
    const QFileInfo agentFile(agent);
    if (!agentFile.isFile() || !agentFile.isExecutable())
        return std::nullopt;
    const QString userEntry = XdgDirectories::configHome() + entryName;
    if (present(userEntry))
        return std::nullopt;
    for (const QString &directory : XdgDirectories::configDirectories()) {
        if (present(directory + entryName))
            return std::nullopt;
    }
    const QString exec = valueText(execArgument(agentFile.absoluteFilePath()));
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
                              .arg(valueText(agentFile.absoluteFilePath()), exec);
    if (!StoredFile(userEntry).write(entry.toUtf8()))
        return std::nullopt;
    return userEntry;
}

QString executableOf(uint pid)
{
    const QString target = QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).symLinkTarget();
    return QFileInfo(target).isFile() ? target : QString();
}
