// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QWidget>

class DeleteAlert;
class QVBoxLayout;
class EntryRow;
class PriorityMenu;
class RescueBar;
class SyncPanel;
class TodoListModel;
class TodoListView;
class TodoRowDelegate;
class UndoBar;

// The main window: renders a ContentView and forwards the user's actions to it.
// Coming on screen and leaving it (not minimising) run the view's hooks.
class ContentWindow : public QWidget {
    Q_OBJECT

public:
    explicit ContentWindow(ContentView &view, QWidget *parent = nullptr);

    PriorityMenu *priorityMenu() const { return m_priorityMenu; }
    TodoListView *listView() const { return m_listView; }
    TodoRowDelegate *rowDelegate() const { return m_rowDelegate; }
    EntryRow *entryRow() const { return m_entryRow; }
    DeleteAlert *deleteAlert() const { return m_deleteAlert; }
    UndoBar *undoBar() const { return m_undoBar; }
    RescueBar *rescueBar() const { return m_rescueBar; }

    // Puts `sync`'s button at the end of the priority row and its line below
    // the list.
    void showSync(SyncPanel &sync);
    // Opens the sync set-up, or brings it up when open.
    void openSyncSetup();

signals:
    // The window's first frame is on screen: what it does not show may come now.
    void firstFrameShown();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    // A close by the user waits until the list is kept somewhere; one by a
    // signal or the session's end never does.
    void closeEvent(QCloseEvent *event) override;

private:
    // Opens the row's to-do in the edit form.
    void editRow(const QModelIndex &index);
    // Undoes the last deletion or change and puts the keyboard on the rows it
    // brought back or changed, so that a screen reader reads the first of them.
    void undo();

    ContentView &m_view;
    TodoListModel *m_model;
    PriorityMenu *m_priorityMenu;
    TodoListView *m_listView;
    TodoRowDelegate *m_rowDelegate;
    EntryRow *m_entryRow;
    DeleteAlert *m_deleteAlert;
    UndoBar *m_undoBar;
    RescueBar *m_rescueBar;
    QVBoxLayout *m_listBox;
    SyncPanel *m_sync = nullptr;
    bool m_painted = false;
    bool m_closingByUser = false;
};
