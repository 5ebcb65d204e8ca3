// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QObject>

class QMessageBox;
class QWidget;

// The confirmation before a trash-button delete, shown while the view's
// `deleteAlertShown` is true: window-modal, a destructive "Delete" button and the
// standard Cancel button (also on Escape). Either button dismisses it.
class DeleteAlert : public QObject {
    Q_OBJECT

public:
    DeleteAlert(ContentView &view, QWidget *window);

    // The box while it is shown, else null.
    QMessageBox *box() const { return m_box; }

private:
    void show();

    ContentView &m_view;
    QWidget *m_window;
    QMessageBox *m_box = nullptr;
};
