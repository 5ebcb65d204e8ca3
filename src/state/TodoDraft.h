// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoPriority.h>

#include <QDate>
#include <QString>

// A to-do as a form shows it, on a 12-hour clock: what the edit form starts
// from and what it saves.
struct TodoDraft {
    QString name;
    TodoPriority priority = TodoPriority::medium;
    QDate day;
    int hour = 12; // 1 to 12
    int minute = 0;
    bool isAM = true;

    friend bool operator==(const TodoDraft &, const TodoDraft &) = default;
};
