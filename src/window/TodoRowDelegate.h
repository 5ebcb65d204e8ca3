// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QPersistentModelIndex>
#include <QStyledItemDelegate>

// Paints one to-do row: a check box, the name (wrapping, no line limit) over
// its time, the priority in its colour, and a red trash button at the trailing
// edge; a done to-do's name struck through and dimmed over when it was done.
// Also paints the row "Completed (N)" with a disclosure triangle. A click on
// the check box ticks the to-do off or opens it again, one on the expander row
// shows or hides the done to-dos (both through the model); one on the trash
// button is reported; clicks elsewhere in the row do nothing here. A name is
// edited in place in a line field over it (F2, or a double-click on the name).
class TodoRowDelegate : public QStyledItemDelegate {
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;
    void setEditorData(QWidget *editor, const QModelIndex &index) const override;
    QWidget *createEditor(QWidget *parent, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const override;
    void updateEditorGeometry(QWidget *editor, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const override;

    // Where the trash button of a row drawn in `rowRect` is.
    static QRect trashRect(const QRect &rowRect);
    // Where the check box of a to-do row drawn in `rowRect` is.
    static QRect checkRect(const QRect &rowRect);

signals:
    void trashClicked(const QModelIndex &index);

protected:
    bool editorEvent(QEvent *event, QAbstractItemModel *model, const QStyleOptionViewItem &option,
                     const QModelIndex &index) override;

private:
    void paintExpander(QPainter *painter, const QStyleOptionViewItem &option,
                       const QModelIndex &index) const;

    // Where the left button went down on a check box or the expander row: the
    // click counts only when it comes up there, so that the second click of
    // a double-click does not tick the row that took the first one's place.
    QPersistentModelIndex m_pressed;
};
