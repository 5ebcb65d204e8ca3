// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "DateFormatter.h"

#include <ContentView.h>

#include <QCoreApplication>
#include <QString>

#include <optional>
#include <string>

// A repeat in words, for screen readers and tooltips: "repeats every week",
// "repeats every 2 days until Dec 31", "repeats every month, 3 times left";
// a rule the forms cannot show is given as its text.
class RepeatWords {
    Q_DECLARE_TR_FUNCTIONS(RepeatWords)

public:
    explicit RepeatWords(const ContentView &view) : m_view(view) {}

    // Empty for a to-do that does not repeat.
    QString of(const std::string &rrule) const;
    QString of(const RepeatChoice &choice, const std::string &rrule) const;

private:
    const ContentView &m_view;
    // Made on first use: a list without repeating to-dos needs none.
    mutable std::optional<DateFormatter> m_dayFormatter;
};
