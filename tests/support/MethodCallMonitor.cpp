// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "MethodCallMonitor.h"

#include <QFile>
#include <QTest>

MethodCallMonitor::MethodCallMonitor(const QString &busAddress, const QString &interface)
    : m_output(m_directory.filePath(QStringLiteral("calls.tsv")))
{
    // Into a file, so that a test blocked on a call never stalls the monitor.
    m_monitor.setStandardOutputFile(m_output);
    m_monitor.start(QStringLiteral("dbus-monitor"),
                    {QStringLiteral("--address"), busAddress, QStringLiteral("--profile"),
                     QStringLiteral("type='method_call',interface='%1'").arg(interface)});
    // Once it is a monitor, the bus takes its unique name back, and it says so.
    m_ready = m_monitor.waitForStarted(5000) && QTest::qWaitFor([this] {
                  QFile output(m_output);
                  return output.open(QIODevice::ReadOnly) && output.readAll().contains("NameLost");
              });
}

MethodCallMonitor::~MethodCallMonitor()
{
    m_monitor.terminate();
    m_monitor.waitForFinished(5000);
}

QStringList MethodCallMonitor::members() const
{
    QStringList members;
    QFile output(m_output);
    if (!output.open(QIODevice::ReadOnly))
        return members;
    // "mc", time, serial, sender, destination, path, interface, member.
    while (!output.atEnd()) {
        const QList<QByteArray> fields = output.readLine().trimmed().split('\t');
        if (fields.size() == 8 && fields.front() == "mc")
            members.append(QString::fromUtf8(fields.back()));
    }
    return members;
}
