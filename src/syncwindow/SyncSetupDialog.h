// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncSetupStep.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

// The sync set-up: "Server", "User name" and "Password" (each label its
// field's accessible name) and "Connect". It forwards each step and says
// plainly how it went: the task list to choose, the list Plimsa may make, or
// what a first sync moves each way; it closes once connected. Editing a field
// goes back to "Connect".
class SyncSetupDialog : public QDialog {
    Q_OBJECT

public:
    explicit SyncSetupDialog(QWidget *parent = nullptr);

    QLineEdit *serverField() const { return m_server; }
    QLineEdit *userField() const { return m_user; }
    QLineEdit *passwordField() const { return m_password; }
    QPushButton *connectButton() const { return m_connect; }
    QListWidget *taskLists() const { return m_lists; }
    QPushButton *useListButton() const { return m_useList; }
    QPushButton *createListButton() const { return m_createList; }
    QPushButton *startButton() const { return m_start; }
    QLabel *message() const { return m_message; }
    // Where the password goes, once the account is found.
    QLabel *passwordHosts() const { return m_hosts; }

    // Where the set-up stands; a failure names the certificate the server
    // showed when it is not trusted.
    void showStep(const SyncSetupStep &step, const QString &untrustedFingerprint = {});

signals:
    void connectRequested(const QUrl &server, const QString &user, const QString &password);
    void listChosen(const QUrl &list);
    void createListRequested();
    void startRequested();

private:
    void connectToServer();
    void showNext(const SyncSetupStep &step, const QString &untrustedFingerprint);
    void showError(ServerError error, const QString &serverMessage,
                   const QString &untrustedFingerprint);
    // By name, "Plimsa" chosen when there is one.
    void showLists(std::vector<TaskList> lists);
    // The one action the dialog offers now, the default button; none while busy.
    void offer(QPushButton *action);
    void setBusy(bool busy);

    QLineEdit *m_server;
    QLineEdit *m_user;
    QLineEdit *m_password;
    QPushButton *m_connect;
    QPushButton *m_useList;
    QPushButton *m_createList;
    QPushButton *m_start;
    QListWidget *m_lists;
    QLabel *m_message;
    QLabel *m_hosts;
};
