// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListView.h"

#include "TodoListModel.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QResizeEvent>
#include <QTimer>

TodoListView::TodoListView(QWidget *parent) : QTreeView(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setUniformRowHeights(false);
    setWordWrap(true);
    setAllColumnsShowFocus(true);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    // F2 or a double-click names a to-do anew, in its row.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::DoubleClicked);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFrameShape(QFrame::NoFrame);
    header()->setStretchLastSection(true);
    setAccessibleName(tr("To-dos"));
}

namespace {

void tellScreenReaders(QAbstractItemView *view, QAccessible::Event type, const QModelIndex &row)
{
    if (!QAccessible::isActive() || !row.isValid())
        return;
    QAccessibleEvent event(view, type);
    event.setChild(row.row());
    QAccessible::updateAccessibility(&event);
}

} // namespace

void TodoListView::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // Not QTreeView's own: it counts a header row in front of the rows.
    QAbstractItemView::currentChanged(current, previous);
    // Told once the rows have settled: while rows are removed, the current row
    // moves to one whose place is about to change.
    if (m_focusNoticePending)
        return;
    m_focusNoticePending = true;
    QTimer::singleShot(0, this, [this] {
        m_focusNoticePending = false;
        if (hasFocus())
            tellScreenReaders(this, QAccessible::Focus, currentIndex());
    });
}

void TodoListView::selectionChanged(const QItemSelection &selected,
                                    const QItemSelection &deselected)
{
    QAbstractItemView::selectionChanged(selected, deselected);
    tellScreenReaders(this, QAccessible::SelectionAdd, selected.indexes().value(0));
    tellScreenReaders(this, QAccessible::SelectionRemove, deselected.indexes().value(0));
}

QSize TodoListView::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(44 * line, 20 * line);
}

void TodoListView::focusInEvent(QFocusEvent *event)
{
    QTreeView::focusInEvent(event);
    tellScreenReaders(this, QAccessible::Focus, currentIndex());
}

void TodoListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        QList<int> offsets;
        for (const QModelIndex &index : selectionModel()->selectedRows()) {
            if (const QVariant offset = index.data(TodoListModel::OffsetRole); offset.isValid())
                offsets.append(offset.toInt());
        }
        if (!offsets.isEmpty())
            emit deleteRowsRequested(offsets);
        event->accept();
        return;
    }
    // Enter that closes a name being edited in place comes here too, from the
    // editor, and the view's state may no longer say it is editing when a sync
    // moved rows meanwhile: only keys pressed on the list itself act on rows.
    const QModelIndex current = currentIndex();
    if (current.isValid() && hasFocus() && !(event->modifiers() & ~Qt::KeypadModifier) &&
        actOn(current, event)) {
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

bool TodoListView::actOn(const QModelIndex &row, const QKeyEvent *event)
{
    const int key = event->key();
    const bool toggle = key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter;
    if (const QVariant expanded = row.data(TodoListModel::ExpandedRole); expanded.isValid()) {
        if (!toggle && key != Qt::Key_Right && key != Qt::Key_Left)
            return false;
        const bool show = toggle ? !expanded.toBool() : key == Qt::Key_Right;
        model()->setData(row, show, TodoListModel::ExpandedRole);
        return true;
    }
    if (!toggle)
        return false;
    const bool done = row.data(Qt::CheckStateRole).toInt() == Qt::Checked;
    model()->setData(row, done ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
    return true;
}

void TodoListView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Keyboard ? currentIndex() : indexAt(event->pos());
    if (!index.isValid())
        return;
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(visualRect(index).center())
                          : event->globalPos();
    QMenu menu(this);
    if (index.data(TodoListModel::ExpandedRole).isValid()) {
        QAction *deleteCompleted = menu.addAction(tr("Delete Completed…"));
        if (menu.exec(at) == deleteCompleted)
            emit deleteCompletedRequested();
        return;
    }
    QAction *editAction = menu.addAction(tr("Edit…"));
    editAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_E));
    QAction *deleteAction = menu.addAction(tr("Delete…"));
    QAction *chosen = menu.exec(at);
    if (chosen == editAction)
        emit editRowRequested(index);
    else if (chosen == deleteAction)
        emit deleteRowRequested(index);
}

void TodoListView::resizeEvent(QResizeEvent *event)
{
    QTreeView::resizeEvent(event);
    // Names wrap to the width: the rows' heights must be measured again. Only
    // the rows in sight are measured, so this stays cheap for long lists.
    if (event->size().width() != event->oldSize().width())
        scheduleDelayedItemsLayout();
}
