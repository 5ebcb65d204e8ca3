// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncSetupDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int serverFieldCharacters = 36;
constexpr int visibleTaskLists = 5;

QLineEdit *labelledField(QFormLayout *form, const QString &label, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setAccessibleName(label);
    form->addRow(label, field);
    return field;
}

} // namespace

SyncSetupDialog::SyncSetupDialog(QWidget *parent)
    : QDialog(parent), m_connect(new QPushButton(tr("Connect"), this)),
      m_useList(new QPushButton(tr("Use This List"), this)),
      m_createList(new QPushButton(tr("Create “Plimsa” List"), this)),
      m_start(new QPushButton(tr("Start Sync"), this)), m_lists(new QListWidget(this)),
      m_message(new QLabel(this)), m_hosts(new QLabel(this))
{
    setWindowTitle(tr("Sync Settings"));
    auto *form = new QFormLayout;
    m_server = labelledField(form, tr("Server"), this);
    m_server->setPlaceholderText(QStringLiteral("https://cloud.example.org"));
    // Room for a whole address, so that the user sees what they typed.
    m_server->setMinimumWidth(m_server->fontMetrics().averageCharWidth() * serverFieldCharacters);
    m_user = labelledField(form, tr("User name"), this);
    m_password = labelledField(form, tr("Password"), this);
    m_password->setEchoMode(QLineEdit::Password);
    m_message->setWordWrap(true);
    m_message->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_message->setTextFormat(Qt::PlainText);
    m_hosts->setWordWrap(true);
    m_hosts->setTextFormat(Qt::PlainText);
    m_hosts->hide();
    m_lists->setAccessibleName(tr("Task lists"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    for (QPushButton *action : {m_connect, m_useList, m_createList, m_start})
        buttons->addButton(action, QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_connect, &QPushButton::clicked, this, &SyncSetupDialog::connectToServer);
    connect(m_useList, &QPushButton::clicked, this, [this] {
        if (QListWidgetItem *item = m_lists->currentItem()) {
            setBusy(true);
            emit listChosen(item->data(Qt::UserRole).toUrl());
        }
    });
    connect(m_lists, &QListWidget::doubleClicked, m_useList, &QPushButton::click);
    connect(m_createList, &QPushButton::clicked, this, [this] {
        setBusy(true);
        emit createListRequested();
    });
    connect(m_start, &QPushButton::clicked, this, [this] {
        setBusy(true);
        emit startRequested();
    });
    for (QLineEdit *field : {m_server, m_user, m_password})
        connect(field, &QLineEdit::textEdited, this, [this] {
            if (!m_connect->isVisible())
                m_message->clear();
            offer(m_connect);
        });

    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_message);
    column->addWidget(m_hosts);
    column->addWidget(m_lists);
    column->addWidget(buttons);
    offer(m_connect);
}

void SyncSetupDialog::connectToServer()
{
    const QUrl server = QUrl::fromUserInput(m_server->text().trimmed());
    if (!server.isValid() || m_user->text().trimmed().isEmpty()) {
        m_message->setText(tr("Fill in the server's address and your user name."));
        return;
    }
    setBusy(true);
    m_message->setText(tr("Connecting…"));
    emit connectRequested(server, m_user->text().trimmed(), m_password->text());
}

void SyncSetupDialog::showStep(const SyncSetupStep &step, const QString &untrustedFingerprint)
{
    setBusy(false);
    showNext(step, untrustedFingerprint);
    // Tall enough for the whole message and the list, however they wrap.
    adjustSize();
}

void SyncSetupDialog::showNext(const SyncSetupStep &step, const QString &untrustedFingerprint)
{
    m_hosts->setVisible(!step.passwordHosts.isEmpty());
    m_hosts->setText(tr("Your password goes only to: %1").arg(step.passwordHosts.join(u", ")));
    switch (step.kind) {
    case SyncSetupStep::Kind::failed:
        offer(m_connect);
        return showError(step.error, step.message, untrustedFingerprint);
    case SyncSetupStep::Kind::chooseList:
        m_message->setText(tr("This account has several task lists. Choose the one to keep "
                              "in step with Plimsa's list."));
        showLists(step.lists);
        offer(m_useList);
        return;
    case SyncSetupStep::Kind::offerList:
        m_message->setText(tr("This account has no task list yet. Plimsa can make one named "
                              "“Plimsa” on the server."));
        offer(m_createList);
        return;
    case SyncSetupStep::Kind::confirm:
        m_message->setText(tr("Both Plimsa's list and the server's list hold to-dos. The first "
                              "sync puts them together and removes none.") +
                           QStringLiteral("\n\n") + tr("From the server: %1").arg(step.fromServer) +
                           u'\n' + tr("To the server: %1").arg(step.toServer));
        offer(m_start);
        return;
    case SyncSetupStep::Kind::connected:
        m_message->clear();
        accept();
        return;
    }
}

void SyncSetupDialog::showError(ServerError error, const QString &serverMessage,
                                const QString &untrustedFingerprint)
{
    if (!untrustedFingerprint.isEmpty()) {
        m_message->setText(tr("The server's certificate is not trusted by this system, so "
                              "Plimsa did not connect. Its SHA-256 fingerprint is %1. Ask the "
                              "server's administrator whether it is theirs.")
                               .arg(untrustedFingerprint));
        return;
    }
    switch (error) {
    case ServerError::none:
        m_message->clear();
        return;
    case ServerError::network:
        m_message->setText(tr("The server cannot be reached, or it refused a secure "
                              "connection. Check the address and the network."));
        return;
    case ServerError::unauthorized:
        m_message->setText(tr("The user name or password is wrong."));
        return;
    case ServerError::preconditionFailed:
    case ServerError::refused:
        if (!serverMessage.isEmpty()) {
            m_message->setText(tr("The server refused: %1").arg(serverMessage));
            return;
        }
        [[fallthrough]];
    case ServerError::notFound:
    case ServerError::listGone:
    case ServerError::invalidSyncToken:
    case ServerError::badAnswer:
    case ServerError::server:
        m_message->setText(tr("This address is not a CalDAV server with task lists."));
        return;
    }
}

void SyncSetupDialog::showLists(std::vector<TaskList> lists)
{
    std::ranges::sort(lists, [](const TaskList &a, const TaskList &b) {
        return QString::localeAwareCompare(a.name, b.name) < 0;
    });
    m_lists->clear();
    for (const TaskList &list : lists) {
        // A list without a name is known by its address.
        auto *item = new QListWidgetItem(
            list.name.isEmpty() ? list.url.toDisplayString() : list.name, m_lists);
        item->setData(Qt::UserRole, list.url);
        if (list.name == u"Plimsa" || !m_lists->currentItem())
            m_lists->setCurrentItem(item);
    }
    const int rows = std::min(static_cast<int>(lists.size()), visibleTaskLists);
    m_lists->setFixedHeight(m_lists->sizeHintForRow(0) * rows + 2 * m_lists->frameWidth());
}

void SyncSetupDialog::offer(QPushButton *action)
{
    for (QPushButton *button : {m_connect, m_useList, m_createList, m_start}) {
        button->setVisible(button == action);
        button->setDefault(button == action);
    }
    m_lists->setVisible(action == m_useList);
    // Return goes on; the fields keep the focus while they are what to fill in.
    if (action == m_useList)
        m_lists->setFocus();
    else if (action != m_connect)
        action->setFocus();
}

void SyncSetupDialog::setBusy(bool busy)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_server), static_cast<QWidget *>(m_user),
                            static_cast<QWidget *>(m_password), static_cast<QWidget *>(m_lists),
                            static_cast<QWidget *>(m_connect), static_cast<QWidget *>(m_useList),
                            static_cast<QWidget *>(m_createList), static_cast<QWidget *>(m_start)})
        widget->setEnabled(!busy);
}
