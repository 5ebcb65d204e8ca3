// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "SyncService.h"

#include <SyncPanel.h>

#include <QObject>

class AttentionBar;
class SyncButton;

// The window's sync panel over a `SyncService`: the Sync button and the
// attention line render its state, and their actions and the set-up dialog's
// steps go to it. Lives on the UI thread.
class SyncServicePanel : public QObject, public SyncPanel {
    Q_OBJECT

public:
    explicit SyncServicePanel(SyncService &sync, QObject *parent = nullptr);

    // None until made.
    SyncButton *button() const { return m_button; }
    AttentionBar *attentionBar() const { return m_attentionBar; }
    // Draws the button's symbol again, as after the app's symbols change.
    void renderButton();

    QWidget *makeButton(QWidget *parent) override;
    QWidget *makeAttentionLine(QWidget *parent) override;
    void openSetup(QWidget *window) override;

private:
    SyncService &m_sync;
    SyncButton *m_button = nullptr;
    AttentionBar *m_attentionBar = nullptr;
};
