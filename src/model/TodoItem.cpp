// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItem.h"

#include "UnicodeText.h"

namespace {

const TodoExtras noExtras;

} // namespace

const TodoExtras &TodoItem::ExtrasHolder::none()
{
    return noExtras;
}

std::string TodoItem::uid() const
{
    const std::string &kept = extras().uid;
    return kept.empty() ? m_id.uuidString() : kept;
}

std::optional<double> TodoItem::reminderAt() const
{
    const TodoExtras &kept = extras();
    if (kept.completed)
        return std::nullopt;
    if (kept.alarm)
        return m_time + *kept.alarm;
    if (kept.wholeDay)
        return std::nullopt;
    return m_time;
}

bool operator==(const TodoItem &a, const TodoItem &b)
{
    return a.m_id == b.m_id && canonicallyEqual(a.m_name, b.m_name) && a.m_time == b.m_time &&
           a.m_priority == b.m_priority && a.extras() == b.extras();
}
