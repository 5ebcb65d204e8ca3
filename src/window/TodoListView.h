// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QTreeView>

// The plain list of to-do rows. Rows differ in height (names wrap), so it is a
// one-column tree view, which measures only the rows it shows and takes an
// appended row without laying out the others again: a list of a million rows
// opens and grows as fast as an empty one.
//
// F2 or a double-click edits a row's name in place (the row delegate's
// editor). Space or Enter ticks the current to-do off, or opens a done one
// again; on the row "Completed (N)" they show or hide the done to-dos, as
// Right and Left do. Its own delete action: Delete or Backspace on the
// selected rows. Its context menu (right click, or the Menu key on the current
// row) opens one row in the edit form or asks to delete it; on the expander
// row, it offers to delete every done to-do.
class TodoListView : public QTreeView {
    Q_OBJECT

public:
    explicit TodoListView(QWidget *parent = nullptr);

    // Room for a handful of rows before the user resizes the window.
    QSize sizeHint() const override;

signals:
    // The rows to delete at once, as offsets in the list.
    void deleteRowsRequested(const QList<int> &rows);
    // The context menu's "Edit…" for one row.
    void editRowRequested(const QModelIndex &index);
    // The context menu's "Delete…" for one row.
    void deleteRowRequested(const QModelIndex &index);
    // The expander row's context menu: "Delete Completed…".
    void deleteCompletedRequested();

protected:
    // Screen readers see the list as a list of rows (AccessibleInterfaces.h):
    // these tell them of the current and selected row by its place in that list.
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;
    void selectionChanged(const QItemSelection &selected,
                          const QItemSelection &deselected) override;
    void focusInEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    // Space, Enter, Right or Left on `row`; false when the key does nothing there.
    bool actOn(const QModelIndex &row, const QKeyEvent *event);

    bool m_focusNoticePending = false;
};
