// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncSetupDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int serverFieldCharacters = 36;

QLineEdit *labelledField(QFormLayout *form, const QString &label, QWidget *parent)
{
    auto *field = new QLineEdit(parent);
    field->setAccessibleName(label);
    form->addRow(label, field);
    return field;
}

} // namespace

SyncSetupDialog::SyncSetupDialog(QWidget *parent)
    : QDialog(parent), m_connect(new QPushButton(tr("Connect"), this)), m_message(new QLabel(this))
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

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, this);
    buttons->addButton(m_connect, QDialogButtonBox::AcceptRole);
    m_connect->setDefault(true);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_connect, &QPushButton::clicked, this, &SyncSetupDialog::connectToServer);

    auto *column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(m_message);
    column->addWidget(buttons);
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

void SyncSetupDialog::showOutcome(ServerError error, const QString &untrustedFingerprint)
{
    setBusy(false);
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
        accept();
        return;
    case ServerError::network:
        m_message->setText(tr("The server cannot be reached, or it refused a secure "
                              "connection. Check the address and the network."));
        return;
    case ServerError::unauthorized:
        m_message->setText(tr("The user name or password is wrong."));
        return;
    case ServerError::preconditionFailed:
    case ServerError::notFound:
    case ServerError::invalidSyncToken:
    case ServerError::badAnswer:
    case ServerError::server:
        m_message->setText(tr("This address is not a CalDAV server with task lists."));
        return;
    }
}

void SyncSetupDialog::setBusy(bool busy)
{
    for (QWidget *widget : {static_cast<QWidget *>(m_server), static_cast<QWidget *>(m_user),
                            static_cast<QWidget *>(m_password), static_cast<QWidget *>(m_connect)})
        widget->setEnabled(!busy);
}
