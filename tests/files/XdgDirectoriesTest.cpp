// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <QDir>
#include <XdgDirectories.h>
#include <gtest/gtest.h>

#include <cstdlib>

TEST(XdgDirectories, UnsetEmptyOrRelativeMeansTheDefault)
{
    const QString home = QDir::homePath();
    const struct {
        const char *variable;
        QString (*directory)();
        QString fallback;
    } homes[] = {
        {"XDG_CONFIG_HOME", &XdgDirectories::configHome, home + QStringLiteral("/.config")},
        {"XDG_DATA_HOME", &XdgDirectories::dataHome, home + QStringLiteral("/.local/share")},
        {"XDG_STATE_HOME", &XdgDirectories::stateHome, home + QStringLiteral("/.local/state")},
    };
    for (const auto &h : homes) {
        ::unsetenv(h.variable);
        EXPECT_EQ(h.directory(), h.fallback) << h.variable << " unset";
        for (const char *useless : {"", "relative/folder"}) {
            ::setenv(h.variable, useless, 1);
            EXPECT_EQ(h.directory(), h.fallback) << h.variable << "='" << useless << "'";
        }
        ::setenv(h.variable, "/elsewhere/", 1);
        EXPECT_EQ(h.directory(), QStringLiteral("/elsewhere")) << h.variable;
        ::unsetenv(h.variable);
    }

    ::setenv("XDG_CONFIG_DIRS", "", 1);
    EXPECT_EQ(XdgDirectories::configDirectories(), QStringList{QStringLiteral("/etc/xdg")});
    ::setenv("XDG_CONFIG_DIRS", "/a::relative:/b/", 1);
    EXPECT_EQ(XdgDirectories::configDirectories(),
              (QStringList{QStringLiteral("/a"), QStringLiteral("/b")}));
    ::unsetenv("XDG_CONFIG_DIRS");
}
