// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <PrivateSessionBus.h>

#include <QProcess>
#include <QTemporaryDir>

// gnome-keyring-daemon's Secret Service on the test's own bus, with a login
// keyring of its own, unlocked.
class TestKeyring {
public:
    explicit TestKeyring(const PrivateSessionBus &bus);
    ~TestKeyring();
    bool isRunning() const { return m_daemon.state() == QProcess::Running; }

private:
    QTemporaryDir m_home;
    QProcess m_daemon;
};
