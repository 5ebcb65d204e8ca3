// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListView.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QMenu>
#include <QResizeEvent>

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
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::ExtendedSelection);
    setFrameShape(QFrame::NoFrame);
    header()->setStretchLastSection(true);
}

QSize TodoListView::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(44 * line, 20 * line);
}

void TodoListView::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Delete || event->key() == Qt::Key_Backspace) {
        QList<int> rows;
        for (const QModelIndex &index : selectionModel()->selectedRows())
            rows.append(index.row());
        if (!rows.isEmpty())
            emit deleteRowsRequested(rows);
        event->accept();
        return;
    }
    QTreeView::keyPressEvent(event);
}

void TodoListView::contextMenuEvent(QContextMenuEvent *event)
{
    const QModelIndex index =
        event->reason() == QContextMenuEvent::Keyboard ? currentIndex() : indexAt(event->pos());
    if (!index.isValid())
        return;
    QMenu menu(this);
    QAction *deleteAction = menu.addAction(tr("Delete…"));
    const QPoint at = event->reason() == QContextMenuEvent::Keyboard
                          ? viewport()->mapToGlobal(visualRect(index).center())
                          : event->globalPos();
    if (menu.exec(at) == deleteAction)
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
