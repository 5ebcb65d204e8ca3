// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PlimsaProcess.h"

#include <QFileInfo>
#include <QTest>
#include <csignal>

PlimsaProcess::PlimsaProcess(const PrivateHome &home, const QString &busAddress,
                             const QProcessEnvironment &extra)
    : m_socket(home.instanceSocket())
{
    QProcessEnvironment environment = home.processEnvironment(busAddress);
    environment.insert(extra);
    m_process.setProcessEnvironment(environment);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
}

QString PlimsaProcess::binary()
{
    return QStringLiteral(PLIMSA_BINARY);
}

bool PlimsaProcess::start(const QString &program, const QStringList &arguments)
{
    launch(program, arguments);
    return waitUntilRunning();
}

void PlimsaProcess::launch(const QString &program, const QStringList &arguments)
{
    m_process.start(program, arguments);
    m_process.waitForStarted();
}

bool PlimsaProcess::waitUntilRunning(int timeoutMs)
{
    return QTest::qWaitFor(
               [&] {
                   return QFileInfo::exists(m_socket) || m_process.state() != QProcess::Running;
               },
               timeoutMs) &&
           QFileInfo::exists(m_socket);
}

void PlimsaProcess::signal(int signalNumber) const
{
    // Once the process has ended its pid reads 0, and kill(0) would signal the
    // test's whole process group (ctest and the shell that runs it).
    if (const pid_t process = pid(); process > 0)
        ::kill(process, signalNumber);
}

bool PlimsaProcess::exitsNormally(int timeoutMs)
{
    // Qt reports no wait for a process that has already ended.
    const bool ended =
        m_process.state() == QProcess::NotRunning || m_process.waitForFinished(timeoutMs);
    return ended && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
}
