// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "EntryRow.h"

#include "DateFormatter.h"
#include "DayButton.h"
#include "FormControls.h"
#include "MenuPicker.h"
#include "RoundAddButton.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStyle>

namespace {

constexpr int minimumNameChars = 24;

} // namespace

EntryRow::EntryRow(ContentView &view, QWidget *parent)
    : QWidget(parent), m_view(view), m_repeatWords(view), m_nameField(new QLineEdit(this)),
      m_dayButton(new DayButton(this)), m_hourMenu(makeHourMenu(this)),
      m_minuteMenu(makeMinuteMenu(this)), m_amPmMenu(makeAmPmMenu(this)),
      m_addButton(new RoundAddButton(this))
{
    const int padding = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);

    m_nameField->setPlaceholderText(tr("Add Todo"));
    m_nameField->setMinimumWidth(m_nameField->fontMetrics().averageCharWidth() * minimumNameChars);
    m_nameField->setAccessibleName(tr("Add Todo"));
    m_addButton->setAccessibleName(tr("Add"));

    auto *timeGroup = new QHBoxLayout;
    timeGroup->setContentsMargins(padding, padding, padding, padding);
    timeGroup->addWidget(m_hourMenu);
    timeGroup->addWidget(new QLabel(tr(":"), this));
    timeGroup->addWidget(m_minuteMenu);

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_nameField, 1);
    layout->addWidget(m_dayButton);
    layout->addLayout(timeGroup);
    layout->addWidget(m_amPmMenu);
    layout->addSpacing(padding);
    layout->addWidget(m_addButton);
    layout->addSpacing(padding);

    // Every change counts, also text a screen reader or voice control sets;
    // the view writing the field back changes nothing, so this ends there.
    connect(m_nameField, &QLineEdit::textChanged, &m_view, &ContentView::setNewTodoName);
    connect(m_hourMenu, &MenuPicker::activated, this,
            [this](int index) { m_view.setSelectedHour(m_hourMenu->itemData(index).toInt()); });
    connect(m_minuteMenu, &MenuPicker::activated, this,
            [this](int index) { m_view.setSelectedMinute(m_minuteMenu->itemData(index).toInt()); });
    connect(m_amPmMenu, &MenuPicker::activated, this,
            [this](int index) { m_view.setIsAM(m_amPmMenu->itemData(index).toBool()); });
    connect(m_addButton, &QAbstractButton::clicked, &m_view, &ContentView::addTodo);
    connect(&m_view, &ContentView::formChanged, this, &EntryRow::render);
    connect(m_dayButton, &DayButton::dayPicked, &m_view, &ContentView::pickDay);
    connect(m_dayButton, &DayButton::todayPicked, &m_view, &ContentView::pickToday);
    m_dayButton->offerRepeat();
    connect(m_dayButton, &DayButton::repeatPicked, &m_view, &ContentView::setNewTodoRepeat);
    // A new today is a change of the shown day too.
    connect(&m_view, &ContentView::shownDayChanged, this, &EntryRow::renderDate);
    render();
    renderDate();
}

void EntryRow::renderDate()
{
    m_dayButton->showDay(dayText(m_view.shownDate(), m_view.showsToday()), m_view.shownDay(),
                         m_view.today());
}

void EntryRow::render()
{
    if (m_nameField->text() != m_view.newTodoName())
        m_nameField->setText(m_view.newTodoName());
    m_hourMenu->showValue(m_view.selectedHour());
    m_minuteMenu->showValue(m_view.selectedMinute());
    m_amPmMenu->showValue(m_view.isAM());
    const RepeatChoice &repeat = m_view.newTodoRepeat();
    m_dayButton->showRepeat(repeat, m_repeatWords.of(repeat, {}));
}
