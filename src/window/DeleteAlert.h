// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QObject>

#include <functional>

class QMessageBox;
class QWidget;

// The confirmation before a trash-button delete, shown while the view's
// `deleteAlertShown` is true: window-modal, a destructive "Delete" button and the
// standard Cancel button (also on Escape). Either button dismisses it. For a
// repeating to-do, "Skip This One" beside them moves it to its next occurrence
// instead. The same for deleting every done to-do, with their count.
class DeleteAlert : public QObject {
    Q_OBJECT

public:
    DeleteAlert(ContentView &view, QWidget *window);

    // The box while it is shown, else null.
    QMessageBox *box() const { return m_box; }

    // Asks before deleting the `count` done to-dos; "Delete" deletes every done one.
    void askToDeleteCompleted(int count);

private:
    void show();
    // A window-modal box with "Delete", an action named `actionText` when
    // given, and Cancel, the default; told whether "Delete" dismissed it.
    QMessageBox *open(const QString &text, const QString &informativeText,
                      std::function<void(bool deleted)> finished,
                      const QString &actionText = QString());

    ContentView &m_view;
    QWidget *m_window;
    QMessageBox *m_box = nullptr;
};
