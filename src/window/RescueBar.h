// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QFrame>

class QLabel;
class QPushButton;

// Tells, below the list, of a rescue file newer than the stored list (the last
// run could not save where it should) and offers to restore it.
class RescueBar : public QFrame {
    Q_OBJECT

public:
    explicit RescueBar(ContentView &view, QWidget *parent = nullptr);

    QLabel *message() const { return m_message; }
    QPushButton *restoreButton() const { return m_restoreButton; }
    QPushButton *dismissButton() const { return m_dismissButton; }

private:
    void render();

    ContentView &m_view;
    QLabel *m_message;
    QPushButton *m_restoreButton;
    QPushButton *m_dismissButton;
};
