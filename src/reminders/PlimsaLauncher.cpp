#include "PlimsaLauncher.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <cstdio>

void openPlimsaWindow()
{
    const QString sibling = QCoreApplication::applicationDirPath() + QStringLiteral("/plimsa");
    const QString program = QFileInfo(sibling).isExecutable() ? sibling : QStringLiteral("plimsa");
    if (!QProcess::startDetached(program, {}))
        std::fprintf(stderr, "%s: could not start %s\n",
                     qPrintable(QCoreApplication::applicationName()), qPrintable(program));
}
