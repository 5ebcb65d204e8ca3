// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QFrame>

class QLabel;
class QPushButton;

// The offer to undo the last deletion, change or tick, shown below the list
// while the view makes it: "Deleted “Tea”", "Deleted 3 to-dos", "Changed “Tea”"
// (the name it had) or "Completed “Tea”", and an Undo button. Screen
// readers hear it as a notification when it appears. It never takes the
// keyboard focus, but Tab reaches its button.
class UndoBar : public QFrame {
    Q_OBJECT

public:
    explicit UndoBar(const ContentView &view, QWidget *parent = nullptr);

    QLabel *message() const { return m_message; }
    QPushButton *undoButton() const { return m_undoButton; }

signals:
    void undoRequested();

private:
    void render();

    const ContentView &m_view;
    QLabel *m_message;
    QPushButton *m_undoButton;
};
