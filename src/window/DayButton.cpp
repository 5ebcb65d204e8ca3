// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DayButton.h"

#include "DayPicker.h"

#include <QKeyEvent>

DayButton::DayButton(QWidget *parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setFocusPolicy(Qt::StrongFocus);
    setToolButtonStyle(Qt::ToolButtonTextOnly);
    connect(this, &QToolButton::clicked, this, &DayButton::openPicker);
}

DayPicker *DayButton::picker()
{
    if (!m_picker) {
        m_picker = new DayPicker(this);
        connect(m_picker, &DayPicker::dayPicked, this, &DayButton::dayPicked);
        connect(m_picker, &DayPicker::todayPicked, this, &DayButton::todayPicked);
    }
    return m_picker;
}

void DayButton::showDay(const QString &text, QDate shown, QDate first)
{
    setText(text);
    setAccessibleName(text);
    m_shown = shown;
    m_first = first;
}

void DayButton::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    const bool altDown = event->key() == Qt::Key_Down && event->modifiers() == Qt::AltModifier;
    if (enter || altDown) {
        openPicker();
        return;
    }
    QToolButton::keyPressEvent(event);
}

void DayButton::openPicker()
{
    picker()->popUp(m_shown, m_first, this);
}
