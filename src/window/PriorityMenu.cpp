// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PriorityMenu.h"

#include "FormControls.h"
#include "MenuPicker.h"

#include <QHBoxLayout>
#include <QLabel>

PriorityMenu::PriorityMenu(ContentView &view, QWidget *parent)
    : QWidget(parent), m_view(view), m_combo(makePriorityMenu(this))
{
    auto *label = new QLabel(tr("Priority"), this);
    label->setBuddy(m_combo);
    m_combo->setAccessibleName(tr("Priority"));

    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(label);
    layout->addWidget(m_combo, 1);

    connect(m_combo, &MenuPicker::activated, this, [this](int index) {
        m_view.setSelectedPriority(static_cast<TodoPriority>(m_combo->itemData(index).toInt()));
    });
    connect(&m_view, &ContentView::formChanged, this, &PriorityMenu::render);
    render();
}

void PriorityMenu::addTrailing(QWidget *widget)
{
    layout()->addWidget(widget);
}

void PriorityMenu::render()
{
    m_combo->showValue(static_cast<int>(m_view.selectedPriority()));
}
