// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <CalendarServer.h>

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

// The sync set-up: "Server", "User name" and "Password" (each label its
// field's accessible name) and "Connect". It forwards the connection and
// says plainly how it went; it closes once connected.
class SyncSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit SyncSetupDialog(QWidget *parent = nullptr);

    QLineEdit *serverField() const { return m_server; }
    QLineEdit *userField() const { return m_user; }
    QLineEdit *passwordField() const { return m_password; }
    QPushButton *connectButton() const { return m_connect; }
    QLabel *message() const { return m_message; }

    // How the connection went: closes on success, else says what went wrong,
    // naming the certificate the server showed when it is not trusted.
    void showOutcome(ServerError error, const QString &untrustedFingerprint = {});

signals:
    void connectRequested(const QUrl &server, const QString &user, const QString &password);

private:
    void connectToServer();
    void setBusy(bool busy);

    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QPushButton *m_connect;
    QLabel *m_message;
};
