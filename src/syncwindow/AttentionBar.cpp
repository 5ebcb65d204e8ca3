// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AttentionBar.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

AttentionBar::AttentionBar(const SyncService &sync, QWidget *parent)
    : QFrame(parent), m_sync(sync), m_message(new QLabel(this)), m_action(new QPushButton(this)),
      m_dismiss(new QPushButton(this))
{
    setFrameShape(QFrame::StyledPanel);
    setBackgroundRole(QPalette::AlternateBase);
    setAutoFillBackground(true);
    m_message->setTextFormat(Qt::PlainText);
    m_message->setWordWrap(true);
    m_dismiss->setFlat(true);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(m_message, 1);
    layout->addWidget(m_action);
    layout->addWidget(m_dismiss);

    connect(m_action, &QPushButton::clicked, this,
            [this] { emit actionRequested(m_sync.unseenAttention()); });
    connect(m_dismiss, &QPushButton::clicked, this, [this] {
        if (m_sync.unseenAttention() == SyncService::Attention::confirmRemoval)
            emit keepRequested();
        else
            emit dismissed();
    });
    connect(&sync, &SyncService::stateChanged, this, &AttentionBar::render);
    render();
}

void AttentionBar::render()
{
    using Attention = SyncService::Attention;
    m_dismiss->setText(tr("Dismiss"));
    switch (m_sync.unseenAttention()) {
    case Attention::none:
        hide();
        return;
    case Attention::signIn:
        m_message->setText(tr("Sync cannot sign in: the password may have changed."));
        m_action->setText(tr("Sign In…"));
        break;
    case Attention::serverGone:
        m_message->setText(tr("The sync server has not answered for a day. Your changes "
                              "are kept and sent once it does."));
        m_action->setText(tr("Show"));
        break;
    case Attention::confirmRemoval:
        m_message->setText(tr("The server would remove %n to-dos from this list.", nullptr,
                              m_sync.heldRemovals()));
        m_action->setText(tr("Apply"));
        m_dismiss->setText(tr("Keep"));
        break;
    case Attention::files:
        m_message->setText(tr("Sync cannot write its files. Free some disk space."));
        m_action->setText(tr("Try Again"));
        break;
    }
    setAccessibleName(m_message->text());
    show();
}
