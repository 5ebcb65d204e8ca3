// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItem.h"

#include "UnicodeText.h"

bool operator==(const TodoItem &a, const TodoItem &b)
{
    return a.m_id == b.m_id && canonicallyEqual(a.m_name, b.m_name) && a.m_time == b.m_time &&
           a.m_priority == b.m_priority;
}
