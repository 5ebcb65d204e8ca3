#include "TodoListView.h"

#include <QHeaderView>

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
    setSelectionMode(QAbstractItemView::NoSelection);
    setFrameShape(QFrame::NoFrame);
    header()->setStretchLastSection(true);
}

QSize TodoListView::sizeHint() const
{
    const int line = fontMetrics().height();
    return QSize(44 * line, 20 * line);
}
