// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DayButton.h"

#include "DayPicker.h"
#include "RepeatField.h"
#include "Symbols.h"

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
        m_picker = new DayPicker(this, m_offersRepeat);
        connect(m_picker, &DayPicker::dayPicked, this, &DayButton::dayPicked);
        connect(m_picker, &DayPicker::todayPicked, this, &DayButton::todayPicked);
        if (RepeatField *repeat = m_picker->repeatField())
            connect(repeat, &RepeatField::choiceChanged, this, &DayButton::repeatPicked);
    }
    return m_picker;
}

void DayButton::showDay(const QString &text, QDate shown, QDate first)
{
    setText(text);
    m_shown = shown;
    m_first = first;
    renderName();
}

void DayButton::showRepeat(const RepeatChoice &choice, const QString &words)
{
    m_repeat = choice;
    if (words == m_repeatWords)
        return;
    m_repeatWords = words;
    if (words.isEmpty()) {
        setIcon(QIcon());
        setToolButtonStyle(Qt::ToolButtonTextOnly);
    } else {
        setIcon(QIcon(tintedSymbol(Symbol::repeat, palette().color(QPalette::ButtonText), 16,
                                   devicePixelRatioF())));
        setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    setToolTip(words);
    renderName();
}

void DayButton::renderName()
{
    setAccessibleName(
        m_repeatWords.isEmpty() ? text() : QStringLiteral("%1, %2").arg(text(), m_repeatWords));
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
    if (RepeatField *repeat = picker()->repeatField())
        repeat->showChoice(m_repeat);
    picker()->popUp(m_shown, m_first, this);
}
