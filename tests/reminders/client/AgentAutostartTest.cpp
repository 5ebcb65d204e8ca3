// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <AgentAutostart.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>

namespace {

void writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
}

// Runs systemd's xdg-autostart-generator, as a systemd login session does, on
// the autostart folders of `temporary`.
bool generatorMakesAUnit(const QTemporaryDir &temporary)
{
    const QString generator =
        QStringLiteral("/usr/lib/systemd/user-generators/systemd-xdg-autostart-generator");
    EXPECT_TRUE(QFileInfo(generator).isExecutable()) << "Debian's systemd package has it";
    const QString units = temporary.filePath(QStringLiteral("units"));
    QDir().mkpath(units);
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(generator, {units, units, units});
    if (!run.waitForFinished() || run.exitCode() != 0)
        return false;
    return QFileInfo::exists(units + QStringLiteral("/app-org.plimsa.Reminders@autostart.service"));
}

} // namespace

TEST(AgentAutostart, WritesAUserEntryOnlyWhereNoSessionWouldStartTheAgent)
{
    const QByteArray hidden = "[Desktop Entry]\nType=Application\nHidden=true\n";
    const struct {
        const char *what;
        const char *userEntry;   // already in ~/.config/autostart, if any
        const char *systemEntry; // already in $XDG_CONFIG_DIRS, if any
        bool agentInstalled;
        bool written;
    } cases[] = {
        {"nothing starts it yet: the user's own entry names the agent", nullptr, nullptr, true,
         true},
        {"the user's own entry is never overwritten", "hidden", nullptr, true, false},
        {"nor the user's link to an entry that is gone", "dangling", nullptr, true, false},
        {"a system entry starts it already", nullptr, "system", true, false},
        {"no agent to name", nullptr, nullptr, false, false},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        QTemporaryDir temporary;
        const QString agent =
            temporary.filePath(QStringLiteral("prefix with space and $HOME/bin/plimsa-reminders"));
        if (c.agentInstalled) {
            writeFile(agent, "#!/bin/sh\n");
            QFile::setPermissions(agent, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        }
        const QString userEntry = temporary.filePath(QStringLiteral("config/autostart/org.plimsa.Reminders.desktop"));
        if (c.userEntry && QByteArray(c.userEntry) == "dangling") {
            QDir().mkpath(QFileInfo(userEntry).absolutePath());
            QFile::link(temporary.filePath(QStringLiteral("gone.desktop")), userEntry);
        } else if (c.userEntry) {
            writeFile(userEntry, hidden);
        }
        if (c.systemEntry)
            writeFile(temporary.filePath(QStringLiteral("xdg/autostart/org.plimsa.Reminders.desktop")), "x");
        ::setenv("XDG_CONFIG_HOME", qPrintable(temporary.filePath(QStringLiteral("config"))), 1);
        ::setenv("XDG_CONFIG_DIRS",
                 qPrintable(temporary.filePath(QStringLiteral("elsewhere")) + QLatin1Char(':') +
                            temporary.filePath(QStringLiteral("xdg"))),
                 1);

        const auto written = ensureAgentAutostart(agent);
        EXPECT_EQ(written.has_value(), c.written);
        QFile entry(userEntry);
        if (c.written) {
            EXPECT_EQ(written, userEntry);
            ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
            const QString text = QString::fromUtf8(entry.readAll());
            // Quoted, `$` escaped for the Exec line, then that backslash doubled.
            EXPECT_TRUE(
                text.contains(QStringLiteral("\nExec=\"") +
                              QString(agent).replace(QLatin1Char('$'), QLatin1String("\\\\$")) +
                              QStringLiteral("\"\n")))
                << text.toStdString();
            EXPECT_TRUE(text.contains(QStringLiteral("\nTryExec=") + agent + QLatin1Char('\n')));
            EXPECT_TRUE(generatorMakesAUnit(temporary))
                << "the entry is valid for systemd sessions";
        } else if (c.userEntry && QByteArray(c.userEntry) == "dangling") {
            EXPECT_TRUE(entry.symLinkTarget().endsWith(QStringLiteral("gone.desktop")));
        } else if (c.userEntry) {
            ASSERT_TRUE(entry.open(QIODevice::ReadOnly));
            EXPECT_EQ(entry.readAll(), hidden);
        } else {
            EXPECT_FALSE(entry.exists());
        }
    }
    ::unsetenv("XDG_CONFIG_HOME");
    ::unsetenv("XDG_CONFIG_DIRS");
}

TEST(AgentAutostart, TheAgentIsNamedByTheFileItsProcessRuns)
{
    QProcess sleeper;
    sleeper.start(QStringLiteral("/bin/sleep"), {QStringLiteral("30")});
    ASSERT_TRUE(sleeper.waitForStarted());
    const auto pid = static_cast<uint>(sleeper.processId());
    EXPECT_EQ(executableOf(pid), QFileInfo(QStringLiteral("/bin/sleep")).canonicalFilePath());
    sleeper.kill();
    ASSERT_TRUE(sleeper.waitForFinished());
    EXPECT_EQ(executableOf(pid), QString()) << "no such process any more";
}
