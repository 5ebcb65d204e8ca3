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
// editor). Its own delete action: Delete or Backspace on the selected rows. Its
// context menu (right click, or the Menu key on the current row) opens one row
// in the edit form or asks to delete it.
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
    bool m_focusNoticePending = false;
};
