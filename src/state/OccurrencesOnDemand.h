// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "Occurrences.h"

#include <QLibrary>
#include <QString>

// The repeat module's occurrences, loaded the first time one is asked for, so
// that a start loads no calendar library. Without the module every answer is
// `unavailable`, which stderr explains once. Lives on the UI thread.
class OccurrencesOnDemand final : public Occurrences {
public:
    explicit OccurrencesOnDemand(QString modulePath = standardModulePath());

    // Where the module is installed, relative to the program.
    static QString standardModulePath();
    bool isLoaded() const { return m_occurrences != nullptr; }

    NextOccurrence after(std::string_view rrule, double current, bool wholeDay, double now,
                         const LocalCalendar &calendar) const override;

private:
    const Occurrences *loaded() const;

    mutable QLibrary m_module;
    mutable const Occurrences *m_occurrences = nullptr;
    mutable bool m_failed = false;
};
