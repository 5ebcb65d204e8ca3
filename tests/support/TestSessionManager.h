// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>
#include <functional>
#include <memory>

// A minimal X session manager (XSMP, libSM/libICE) that a test drives by
// hand: it accepts one client and asks it to save (for a checkpoint or a
// shutdown), cancels a shutdown, or asks it to die.
class TestSessionManager {
public:
    TestSessionManager();
    ~TestSessionManager();

    // What clients find in $SESSION_MANAGER; empty when listening failed.
    const QString &address() const { return m_address; }

    // Handles the client's messages until `done` holds or `timeoutMs` pass.
    bool waitFor(const std::function<bool()> &done, int timeoutMs = 10000);
    // The logout: SaveYourself of both session state and user data, for a
    // shutdown, without interaction (Qt commits data only for global saves).
    void requestShutdownSave();
    // A save while the session goes on: SaveYourself without shutdown.
    void requestCheckpoint();
    // Another client refused the logout.
    void cancelShutdown();
    void requestDie();

    bool clientRegistered() const;
    // How many saves the client has reported done.
    int savesDone() const;
    bool clientGone() const;

    struct State;

private:
    std::unique_ptr<State> m_state;
    QString m_address;
};
