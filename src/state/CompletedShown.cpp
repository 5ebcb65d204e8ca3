// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "CompletedShown.h"

namespace {

const QByteArray shownValue = QByteArrayLiteral("true");
const QByteArray hiddenValue = QByteArrayLiteral("false");

} // namespace

bool CompletedShown::isShown() const
{
    if (!m_shown)
        m_shown = m_preferences.data(completedShownKey) == shownValue;
    return *m_shown;
}

void CompletedShown::setShown(bool shown)
{
    if (shown == isShown())
        return;
    m_shown = shown;
    m_unsaved = true;
}

void CompletedShown::save()
{
    if (m_unsaved)
        m_unsaved = !m_preferences.setData(completedShownKey, *m_shown ? shownValue : hiddenValue);
}
