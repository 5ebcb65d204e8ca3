// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoDraft.h"

TodoDraft draftOf(const TodoItem &item, const LocalCalendar &calendar)
{
    const DateComponents at = calendar.components(item.time());
    TodoDraft draft;
    draft.name = QString::fromStdString(item.name());
    draft.priority = item.priority();
    draft.day = QDate(at.year, at.month, at.day);
    draft.hour = at.hour % 12 == 0 ? 12 : at.hour % 12;
    draft.minute = at.minute;
    draft.isAM = at.hour < 12;
    draft.rrule = item.extras().rrule;
    return draft;
}

std::optional<TodoItem> withDraft(const TodoItem &item, const TodoDraft &draft, const ShownDay &day)
{
    const QString trimmed = draft.name.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    if (draft == draftOf(item, day.calendar()))
        return item;
    const std::optional<double> time = day.timeOn(draft.day, draft.hour, draft.minute, draft.isAM);
    if (!time)
        return std::nullopt;
    TodoExtras extras = item.extras();
    // A to-do due on a day that is given a time is due at that time.
    extras.wholeDay = extras.wholeDay && draft.hour == 12 && draft.minute == 0 && draft.isAM;
    extras.rrule = draft.rrule;
    return item.with(trimmed.toStdString(), *time, draft.priority).withExtras(std::move(extras));
}
