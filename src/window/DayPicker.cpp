// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DayPicker.h"

#include "DateFormatter.h"
#include "MenuPicker.h"
#include "RepeatField.h"

#include <QCalendarWidget>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTextCharFormat>
#include <QVBoxLayout>
#include <algorithm>

DayPicker::DayPicker(QWidget *parent, bool offersRepeat)
    : QFrame(parent, Qt::Popup), m_calendar(new QCalendarWidget(this)),
      m_todayButton(new QPushButton(tr("Today"), this))
{
    setFrameShape(QFrame::StyledPanel);
    setAccessibleName(tr("Choose a day"));
    // Month and weekday names in the language of the date texts.
    m_calendar->setLocale(QLocale(QString::fromLatin1(userTimeLocaleName())));
    m_calendar->setFirstDayOfWeek(static_cast<Qt::DayOfWeek>(userFirstWeekday()));
    m_calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    // Typed digits would open a date field of its own inside the popup.
    m_calendar->setDateEditEnabled(false);
    m_calendar->setAccessibleName(tr("Calendar"));

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_calendar);
    if (offersRepeat) {
        m_repeatField = new RepeatField(this, RepeatField::Label::shown);
        layout->addWidget(m_repeatField);
        // Tab goes as the eye does: calendar, repeat, "Today".
        setTabOrder(m_calendar, m_repeatField->frequencyMenu());
        setTabOrder(m_repeatField->countBox(), m_todayButton);
    }
    layout->addWidget(m_todayButton, 0, Qt::AlignRight);

    const auto pick = [this](QDate day) {
        close();
        emit dayPicked(day);
    };
    connect(m_calendar, &QCalendarWidget::activated, this, pick);
    connect(m_calendar, &QCalendarWidget::clicked, this, pick);
    connect(m_todayButton, &QPushButton::clicked, this, [this] {
        close();
        emit todayPicked();
    });
}

void DayPicker::popUp(QDate shown, QDate first, const QWidget *anchor)
{
    m_calendar->setMinimumDate(first);
    m_calendar->setSelectedDate(shown);
    // The calendar shows the days before the first one like any other:
    // greyed, they do not look as if they could be chosen.
    m_calendar->setDateTextFormat(QDate(), QTextCharFormat());
    const QColor text = m_calendar->palette().color(QPalette::Text);
    const QColor base = m_calendar->palette().color(QPalette::Base);
    QTextCharFormat past;
    past.setForeground(QColor::fromRgbF((text.redF() + base.redF()) / 2,
                                        (text.greenF() + base.greenF()) / 2,
                                        (text.blueF() + base.blueF()) / 2));
    for (QDate day = first.addDays(-31); day < first; day = day.addDays(1))
        m_calendar->setDateTextFormat(day, past);
    adjustSize();
    // Below the anchor when there is room, else above it (the entry row is at
    // the window's bottom edge), always on its screen.
    const QRect screen = anchor->screen()->availableGeometry();
    QPoint at = anchor->mapToGlobal(QPoint(0, anchor->height()));
    if (at.y() + height() > screen.bottom())
        at.setY(anchor->mapToGlobal(QPoint(0, 0)).y() - height());
    at.setX(std::clamp(at.x(), screen.left(), std::max(screen.left(), screen.right() - width())));
    at.setY(std::max(at.y(), screen.top()));
    move(at);
    show();
    m_calendar->setFocus(Qt::PopupFocusReason);
}
