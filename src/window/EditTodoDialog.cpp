// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "EditTodoDialog.h"

#include "DateFormatter.h"
#include "DayButton.h"
#include "FormControls.h"
#include "MenuPicker.h"
#include "RepeatField.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

EditTodoDialog::EditTodoDialog(ContentView &view, int offset, QWidget *parent)
    : QDialog(parent), m_view(view), m_opened(view.todoList().at(std::size_t(offset))),
      m_draft(view.draftOf(offset)), m_notice(new QLabel(this)),
      m_priorityMenu(makePriorityMenu(this)), m_nameField(new QLineEdit(this)),
      m_dayButton(new DayButton(this)), m_hourMenu(makeHourMenu(this)),
      m_minuteMenu(makeMinuteMenu(this)), m_amPmMenu(makeAmPmMenu(this)),
      m_repeatField(new RepeatField(this)), m_saveButton(new QPushButton(tr("Save"), this))
{
    setWindowTitle(tr("Edit To-do"));
    setAccessibleName(tr("Edit To-do"));
    setWindowModality(Qt::WindowModal);
    m_priorityMenu->setAccessibleName(tr("Priority"));
    m_nameField->setAccessibleName(tr("Name"));
    m_dayButton->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);

    auto *time = new QHBoxLayout;
    time->addWidget(m_hourMenu);
    time->addWidget(new QLabel(tr(":"), this));
    time->addWidget(m_minuteMenu);
    time->addWidget(m_amPmMenu);
    time->addStretch();

    auto *buttons = new QDialogButtonBox(this);
    buttons->addButton(m_saveButton, QDialogButtonBox::AcceptRole);
    buttons->addButton(QDialogButtonBox::Cancel);
    m_saveButton->setDefault(true);

    auto *form = new QFormLayout(this);
    form->addRow(tr("Priority"), m_priorityMenu);
    form->addRow(tr("Name"), m_nameField);
    form->addRow(tr("Day"), m_dayButton);
    form->addRow(tr("Time"), time);
    form->addRow(tr("Repeat"), m_repeatField);
    m_notice->setWordWrap(true);
    m_notice->setTextFormat(Qt::PlainText);
    m_notice->hide();
    form->addRow(m_notice);
    form->addRow(buttons);

    connect(m_priorityMenu, &MenuPicker::activated, this, [this](int index) {
        m_draft.priority = static_cast<TodoPriority>(m_priorityMenu->itemData(index).toInt());
    });
    connect(m_nameField, &QLineEdit::textChanged, this,
            [this](const QString &name) { m_draft.name = name; });
    connect(m_dayButton, &DayButton::dayPicked, this, [this](QDate day) {
        m_draft.day = day;
        render();
    });
    connect(m_dayButton, &DayButton::todayPicked, this, [this] {
        m_draft.day = m_view.today();
        render();
    });
    connect(m_hourMenu, &MenuPicker::activated, this,
            [this](int index) { m_draft.hour = m_hourMenu->itemData(index).toInt(); });
    connect(m_minuteMenu, &MenuPicker::activated, this,
            [this](int index) { m_draft.minute = m_minuteMenu->itemData(index).toInt(); });
    connect(m_amPmMenu, &MenuPicker::activated, this,
            [this](int index) { m_draft.isAM = m_amPmMenu->itemData(index).toBool(); });
    connect(m_repeatField, &RepeatField::choiceChanged, this, [this](const RepeatChoice &choice) {
        const std::string &opened = m_opened.extras().rrule;
        m_draft.rrule = choice.frequency == RepeatChoice::Frequency::custom
                            ? opened
                            : m_view.repeatRule(choice, m_opened.extras().wholeDay);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, &EditTodoDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &EditTodoDialog::reject);

    m_nameField->setText(m_draft.name);
    m_repeatField->showChoice(m_view.shownRepeat(m_draft.rrule),
                              QString::fromStdString(m_draft.rrule));
    render();
}

void EditTodoDialog::render()
{
    m_priorityMenu->showValue(static_cast<int>(m_draft.priority));
    m_dayButton->showDay(dayText(m_view.noonOn(m_draft.day), m_draft.day == m_view.today()),
                         m_draft.day, m_view.today());
    m_hourMenu->showValue(m_draft.hour);
    m_minuteMenu->showValue(m_draft.minute);
    m_amPmMenu->showValue(m_draft.isAM);
}

void EditTodoDialog::accept()
{
    switch (m_view.saveEdit(m_opened, m_draft, m_overrule)) {
    case ContentView::EditOutcome::saved:
        return QDialog::accept();
    case ContentView::EditOutcome::refused:
        return;
    case ContentView::EditOutcome::changedElsewhere:
        m_notice->setText(tr("This to-do was changed on another device while you edited it."));
        break;
    case ContentView::EditOutcome::removedElsewhere:
        m_notice->setText(tr("This to-do was removed on another device while you edited it."));
        break;
    }
    m_overrule = true;
    m_notice->show();
    m_saveButton->setText(tr("Keep My Version"));
    m_notice->setAccessibleName(m_notice->text());
}
