// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// Figures the kernel keeps about this process.

#include <QByteArray>
#include <QFile>
#include <QString>

// The number of a "Field: value" line of /proc/self/<file> ("status", "io"):
// kilobytes for status's "VmRSS" and "VmHWM", bytes for io's "write_bytes";
// -1 if there is none.
inline long long procFigure(const QString &file, const QByteArray &field)
{
    QFile figures(QStringLiteral("/proc/self/") + file);
    if (!figures.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : figures.readAll().split('\n')) {
        if (line.startsWith(field + ':'))
            return line.mid(field.size() + 1).trimmed().split(' ').constFirst().toLongLong();
    }
    return -1;
}
