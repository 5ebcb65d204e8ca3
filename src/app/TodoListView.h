#pragma once

#include <QTreeView>

// The plain list of to-do rows. Rows differ in height (names wrap), so it is a
// one-column tree view, which measures only the rows it shows and takes an
// appended row without laying out the others again: a list of a million rows
// opens and grows as fast as an empty one.
class TodoListView : public QTreeView {
    Q_OBJECT

public:
    explicit TodoListView(QWidget *parent = nullptr);

    // Room for a handful of rows before the user resizes the window.
    QSize sizeHint() const override;
};
