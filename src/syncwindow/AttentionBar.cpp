// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AttentionBar.h"

#include "StopSyncAlert.h"

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
        switch (m_sync.unseenAttention()) {
        case SyncService::Attention::confirmRemoval:
            return emit keepRequested();
        case SyncService::Attention::listGone:
            openStopSyncAlert(window(), [this] { emit stopRequested(); });
            return;
        default:
            return emit dismissed();
        }
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
        m_message->setText(
            m_sync.removalsHeldHere()
                ? tr("%n to-dos removed here would be removed on every other device too.",
                     nullptr, m_sync.heldRemovals())
                : tr("The server would remove %n to-dos from this list.", nullptr,
                     m_sync.heldRemovals()));
        m_action->setText(tr("Apply"));
        m_dismiss->setText(tr("Keep"));
        break;
    case Attention::files:
        m_message->setText(tr("Sync cannot write its files. Free some disk space."));
        m_action->setText(tr("Try Again"));
        break;
    case Attention::refused: {
        const auto &refused = m_sync.refusedChange();
        const QString name = refused ? refused->name : QString();
        m_message->setText(refused && !refused->message.isEmpty()
                               ? tr("The server would not take “%1”: %2")
                                     .arg(name, refused->message)
                               : tr("The server would not take “%1”. It stays here.").arg(name));
        m_action->setText(tr("Try Again"));
        break;
    }
    case Attention::listGone:
        m_message->setText(tr("The task list is gone from the server. Your to-dos are kept "
                              "here."));
        m_action->setText(tr("Choose a List…"));
        m_dismiss->setText(tr("Stop Syncing"));
        break;
    }
    setAccessibleName(m_message->text());
    show();
}
