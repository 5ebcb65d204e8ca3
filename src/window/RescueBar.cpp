// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RescueBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

RescueBar::RescueBar(ContentView &view, QWidget *parent)
    : QFrame(parent), m_view(view), m_message(new QLabel(this)),
      m_restoreButton(new QPushButton(tr("Restore"), this)),
      m_dismissButton(new QPushButton(tr("Dismiss"), this))
{
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::AlternateBase);
    setAutoFillBackground(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_restoreButton);
    layout->addWidget(m_dismissButton);

    connect(m_restoreButton, &QPushButton::clicked, &view, &ContentView::restoreRescue);
    connect(m_dismissButton, &QPushButton::clicked, &view, &ContentView::dismissRescue);
    connect(&view, &ContentView::newerRescueChanged, this, &RescueBar::render);
    render();
}

void RescueBar::render()
{
    const std::optional<QString> &path = m_view.newerRescue();
    setVisible(path.has_value());
    if (!path)
        return;
    m_message->setText(tr("A newer copy of your to-do list was kept in %1.").arg(*path));
    setAccessibleName(m_message->text());
}
