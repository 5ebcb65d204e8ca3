// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PlimsaLauncher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

void openPlimsaWindow(const QString &activationToken)
{
    const QString sibling = QCoreApplication::applicationDirPath() + QStringLiteral("/plimsa");
    QProcess process;
    process.setProgram(QFileInfo(sibling).isExecutable() ? sibling : QStringLiteral("plimsa"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_ACTIVATION_TOKEN"));
    if (!activationToken.isEmpty())
        environment.insert(QStringLiteral("XDG_ACTIVATION_TOKEN"), activationToken);
    process.setProcessEnvironment(environment);
    if (!process.startDetached())
        std::fprintf(stderr, "%s: could not start %s\n",
                     qPrintable(QCoreApplication::applicationName()),
                     qPrintable(process.program()));
}
