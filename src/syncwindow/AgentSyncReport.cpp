// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentSyncReport.h"

#include <StoredFile.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QString reportPath(const QString &folder)
{
    return QDir(folder).filePath(QStringLiteral("agent-report.json"));
}

} // namespace

std::optional<AgentSyncReport> readAgentSyncReport(const QString &folder)
{
    StoredFile file(reportPath(folder));
    const std::optional<QByteArray> bytes = file.read();
    if (!bytes)
        return std::nullopt;
    const QJsonObject object = QJsonDocument::fromJson(*bytes).object();
    const int problem = object.value(QLatin1String("problem")).toInt(-1);
    if (problem < 0 || problem > static_cast<int>(AgentSyncReport::Problem::listGone))
        return std::nullopt;
    AgentSyncReport report;
    report.problem = static_cast<AgentSyncReport::Problem>(problem);
    if (const QJsonValue reached = object.value(QLatin1String("lastReached")); reached.isDouble())
        report.lastReached = reached.toDouble();
    return report;
}

bool writeAgentSyncReport(const QString &folder, const AgentSyncReport &report)
{
    QJsonObject object{{QLatin1String("problem"), static_cast<int>(report.problem)}};
    if (report.lastReached)
        object.insert(QLatin1String("lastReached"), *report.lastReached);
    StoredFile file(reportPath(folder));
    return file.write(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

void removeAgentSyncReport(const QString &folder)
{
    QFile::remove(reportPath(folder));
}
