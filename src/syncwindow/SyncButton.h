// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <QToolButton>

class QAction;

// The "Sync" button at the right end of the priority row: its symbol shows the
// state (synced, syncing, offline, needs attention), a ring around it a long
// upload's progress, and its tooltip the words and figures. Before there is an
// account it asks for the set-up; afterwards it opens the menu "Sync Now",
// "Sync Settings…", "Stop Syncing" (which asks first). Its size stays the same
// in every state, so nothing moves.
class SyncButton : public QToolButton {
    Q_OBJECT

public:
    explicit SyncButton(const SyncService &sync, QWidget *parent = nullptr);

    QAction *syncNowAction() const { return m_syncNow; }
    QAction *stopAction() const { return m_stop; }
    // The state in words, as the tooltip and screen readers give it.
    QString stateText() const;
    // Draws the state again, as after the app's symbols change.
    void render();

signals:
    void setupRequested();
    void syncNowRequested();
    // The user confirmed "Stop Syncing".
    void stopRequested();

protected:
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    // A long upload runs: the ring around the symbol fills with it.
    bool showsProgress() const;

    const SyncService &m_sync;
    QMenu *m_menu;
    QAction *m_syncNow;
    QAction *m_stop;
};
