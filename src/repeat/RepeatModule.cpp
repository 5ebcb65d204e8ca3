// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// The repeat module's entry, which the window resolves on first need.

#include "RecurrenceOccurrences.h"

extern "C" __attribute__((visibility("default"))) const Occurrences *plimsaOccurrences()
{
    static const RecurrenceOccurrences occurrences;
    return &occurrences;
}
