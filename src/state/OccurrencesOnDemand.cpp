// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "OccurrencesOnDemand.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

OccurrencesOnDemand::OccurrencesOnDemand(QString modulePath) : m_module(std::move(modulePath))
{
    // Unresolved names should fail the load, not a tick later.
    m_module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

QString OccurrencesOnDemand::standardModulePath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" PLIMSA_REPEAT_MODULE));
}

const Occurrences *OccurrencesOnDemand::loaded() const
{
    if (m_occurrences || m_failed)
        return m_occurrences;
    auto *occurrences =
        reinterpret_cast<OccurrencesOfModule *>(m_module.resolve("plimsaOccurrences"));
    if (!occurrences) {
        m_failed = true;
        std::fprintf(stderr, "plimsa: repeating to-dos stay as they are: %s\n",
                     qPrintable(m_module.errorString()));
        return nullptr;
    }
    m_occurrences = occurrences();
    return m_occurrences;
}

NextOccurrence OccurrencesOnDemand::after(std::string_view rrule, double current, bool wholeDay,
                                          double now, const LocalCalendar &calendar) const
{
    const Occurrences *occurrences = loaded();
    return occurrences ? occurrences->after(rrule, current, wholeDay, now, calendar)
                       : NextOccurrence{NextOccurrence::Kind::unavailable};
}
