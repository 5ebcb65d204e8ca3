// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncServicePanel.h"

#include "AttentionBar.h"
#include "SyncButton.h"
#include "SyncSetupDialog.h"

#include <QLineEdit>
#include <QPointer>

SyncServicePanel::SyncServicePanel(SyncService &sync, QObject *parent)
    : QObject(parent), m_sync(sync)
{
}

void SyncServicePanel::renderButton()
{
    if (m_button)
        m_button->render();
}

QWidget *SyncServicePanel::makeButton(QWidget *parent)
{
    m_button = new SyncButton(m_sync, parent);
    connect(m_button, &SyncButton::setupRequested, this, [this] { openSetup(m_button->window()); });
    connect(m_button, &SyncButton::syncNowRequested, &m_sync, &SyncService::syncNow);
    connect(m_button, &SyncButton::stopRequested, &m_sync, [this] { m_sync.stopSyncing([] {}); });
    return m_button;
}

QWidget *SyncServicePanel::makeAttentionLine(QWidget *parent)
{
    m_attentionBar = new AttentionBar(m_sync, parent);
    connect(m_attentionBar, &AttentionBar::dismissed, &m_sync, &SyncService::attentionSeen);
    connect(m_attentionBar, &AttentionBar::keepRequested, &m_sync, &SyncService::keepHeldTodos);
    connect(m_attentionBar, &AttentionBar::stopRequested, &m_sync,
            [this] { m_sync.stopSyncing([] {}); });
    connect(m_attentionBar, &AttentionBar::actionRequested, this,
            [this](SyncService::Attention attention) {
                m_sync.attentionSeen();
                switch (attention) {
                case SyncService::Attention::signIn:
                case SyncService::Attention::serverGone:
                case SyncService::Attention::listGone:
                    openSetup(m_attentionBar->window());
                    break;
                case SyncService::Attention::refused:
                    m_sync.retryRefused();
                    break;
                case SyncService::Attention::confirmRemoval:
                    m_sync.confirmRemoval();
                    break;
                case SyncService::Attention::files:
                case SyncService::Attention::none:
                    m_sync.syncNow();
                    break;
                }
            });
    return m_attentionBar;
}

void SyncServicePanel::openSetup(QWidget *window)
{
    if (auto *open = window->findChild<SyncSetupDialog *>()) {
        open->raise();
        open->activateWindow();
        return;
    }
    auto *dialog = new SyncSetupDialog(window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    if (const auto &account = m_sync.account()) {
        dialog->serverField()->setText(account->server.toString());
        dialog->userField()->setText(account->user);
    }
    const QPointer<SyncSetupDialog> shown(dialog);
    auto show = [shown](const SyncSetupStep &step) {
        if (shown)
            shown->showStep(step);
    };
    connect(
        dialog, &SyncSetupDialog::connectRequested, this,
        [this, shown, show](const QUrl &server, const QString &user, const QString &password) {
            m_sync.connectAccount(server, user, password, [this, shown, show, server](auto step) {
                if (!shown || step.error != ServerError::network ||
                    server.scheme() != QLatin1String("https"))
                    return show(step);
                m_sync.findUntrustedCertificate(server, shown, [shown, step](auto fingerprint) {
                    shown->showStep(step, fingerprint.value_or(QString()));
                });
            });
        });
    connect(dialog, &SyncSetupDialog::listChosen, this,
            [this, show](const QUrl &list) { m_sync.chooseTaskList(list, show); });
    connect(dialog, &SyncSetupDialog::createListRequested, this,
            [this, show] { m_sync.createTaskList(show); });
    connect(dialog, &SyncSetupDialog::startRequested, this,
            [this, show] { m_sync.startFirstSync(show); });
    connect(dialog, &QDialog::rejected, &m_sync, &SyncService::cancelSetup);
    dialog->open();
}
