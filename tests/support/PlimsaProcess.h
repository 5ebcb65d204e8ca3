// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "PrivateHome.h"

#include <QProcess>
#include <sys/types.h>

// The real Plimsa as the process tests run it: in a private home, on a bus of
// the test's own (or in a wrapper that starts it, such as a shell).
class PlimsaProcess {
public:
    // The app itself, with the home's environment and `extra` over it.
    PlimsaProcess(const PrivateHome &home, const QString &busAddress,
                  const QProcessEnvironment &extra = {});

    // Starts `program` (the app unless told) and returns once the app owns the
    // session: its instance socket is there, and with it every way out is
    // wired. False when it ended first or took more than ten seconds. A socket
    // left by a killed app counts: remove it first.
    bool start(const QString &program = binary(), const QStringList &arguments = {});
    // Starts it without waiting; `waitUntilRunning` waits.
    void launch(const QString &program = binary(), const QStringList &arguments = {});
    bool waitUntilRunning(int timeoutMs = 10000);

    QProcess &process() { return m_process; }
    pid_t pid() const { return static_cast<pid_t>(m_process.processId()); }
    void signal(int signalNumber) const;
    // Waits for the end; true when it exited normally, with status 0.
    bool exitsNormally(int timeoutMs = 10000);

    static QString binary();

private:
    QString m_socket;
    QProcess m_process;
};
