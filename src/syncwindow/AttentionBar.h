// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <QFrame>

class QLabel;
class QPushButton;

// What sync needs from the user, once, as a line below the list like the undo
// bar's: a sign-in that stopped working, a server gone for a day, removals
// that wait for confirmation, files that cannot be written, a change the
// server refused, a task list gone from the server. One action, and a button
// to leave it (for held removals: keep the to-dos; for a gone list: stop).
class AttentionBar : public QFrame {
    Q_OBJECT

public:
    explicit AttentionBar(const SyncService &sync, QWidget *parent = nullptr);

    QLabel *message() const { return m_message; }
    QPushButton *actionButton() const { return m_action; }
    QPushButton *dismissButton() const { return m_dismiss; }

signals:
    void actionRequested(SyncService::Attention attention);
    void dismissed();
    // "Keep" on held removals: the to-dos stay, here and on the server.
    void keepRequested();
    // "Stop Syncing" on a gone list, once confirmed.
    void stopRequested();

private:
    void render();

    const SyncService &m_sync;
    QLabel *m_message;
    QPushButton *m_action;
    QPushButton *m_dismiss;
};
