// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AccessibleInterfaces.h"

#include "MenuPicker.h"
#include "TodoListModel.h"
#include "TodoListView.h"
#include "TodoRowDelegate.h"
#include "UndoBar.h"

#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>

namespace {

class MenuPickerAccessible final : public QAccessibleWidget {
public:
    explicit MenuPickerAccessible(MenuPicker *picker)
        : QAccessibleWidget(picker, QAccessible::ComboBox)
    {
    }

    MenuPicker *picker() const { return static_cast<MenuPicker *>(widget()); }

    QString text(QAccessible::Text kind) const override
    {
        if (kind == QAccessible::Value)
            return picker()->currentText();
        return QAccessibleWidget::text(kind);
    }

    QStringList actionNames() const override { return {showMenuAction(), pressAction()}; }

    void doAction(const QString &action) override
    {
        if (action == showMenuAction() || action == pressAction())
            picker()->showPopup();
    }
};

QModelIndex rowIndex(const TodoListView *view, int row)
{
    return view->model()->index(row, 0);
}

bool isExpanderRow(const TodoListView *view, int row)
{
    return rowIndex(view, row).data(TodoListModel::ExpandedRole).isValid();
}

bool isDone(const TodoListView *view, int row)
{
    return rowIndex(view, row).data(Qt::CheckStateRole).toInt() == Qt::Checked;
}

QRect onScreen(const TodoListView *view, const QRect &inViewport)
{
    return QRect(view->viewport()->mapToGlobal(inViewport.topLeft()), inViewport.size());
}

// A part of one row, the row itself or its check box: made on demand, so a
// million rows cost nothing until a reader asks for them.
class RowPartAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
public:
    RowPartAccessible(TodoListView *view, int row) : m_view(view), m_row(row) {}

    bool isValid() const override
    {
        return m_view && m_view->model() && m_row < m_view->model()->rowCount();
    }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return m_view->window()->windowHandle(); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    QAccessibleInterface *focusChild() const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        return type == QAccessible::ActionInterface && !actionNames().isEmpty()
                   ? static_cast<QAccessibleActionInterface *>(this)
                   : nullptr;
    }
    QStringList keyBindingsForAction(const QString &) const override { return {}; }

    int row() const { return m_row; }

protected:
    QModelIndex index() const { return rowIndex(m_view, m_row); }

    QPointer<TodoListView> m_view;
    int m_row;
};

// The check box at the start of a to-do's row, named by the to-do: checked when
// it is done, and toggled by its action as by Space on the row.
class TodoCheckAccessible final : public RowPartAccessible {
public:
    using RowPartAccessible::RowPartAccessible;

    bool isValid() const override
    {
        return RowPartAccessible::isValid() && !isExpanderRow(m_view, m_row);
    }
    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_view)->child(m_row);
    }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface *) const override { return -1; }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }

    QString text(QAccessible::Text kind) const override
    {
        return kind == QAccessible::Name && isValid() ? index().data().toString() : QString();
    }

    QRect rect() const override
    {
        return isValid() ? onScreen(m_view, TodoRowDelegate::checkRect(m_view->visualRect(index())))
                         : QRect();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.checkable = true;
        state.checked = isDone(m_view, m_row);
        state.invisible = !m_view->viewport()->rect().intersects(m_view->visualRect(index()));
        return state;
    }

    QStringList actionNames() const override
    {
        return isValid() ? QStringList{toggleAction()} : QStringList();
    }
    void doAction(const QString &action) override
    {
        if (action == toggleAction() && isValid())
            m_view->model()->setData(index(), isDone(m_view, m_row) ? Qt::Unchecked : Qt::Checked,
                                     Qt::CheckStateRole);
    }
};

// One row of the to-do list, read as "name, h:mm a, Priority" and holding its
// check box; or the row "Completed (N)", which expands and collapses.
class TodoRowAccessible final : public RowPartAccessible {
public:
    using RowPartAccessible::RowPartAccessible;
    ~TodoRowAccessible() override
    {
        if (m_check)
            QAccessible::deleteAccessibleInterface(m_check);
    }

    QAccessibleInterface *parent() const override
    {
        return QAccessible::queryAccessibleInterface(m_view);
    }
    int childCount() const override { return isValid() && !isExpanderRow(m_view, m_row) ? 1 : 0; }
    QAccessibleInterface *child(int index) const override
    {
        if (index != 0 || childCount() == 0)
            return nullptr;
        if (!m_check)
            m_check =
                QAccessible::registerAccessibleInterface(new TodoCheckAccessible(m_view, m_row));
        return QAccessible::accessibleInterface(m_check);
    }
    int indexOfChild(const QAccessibleInterface *child) const override
    {
        return m_check && child == QAccessible::accessibleInterface(m_check) ? 0 : -1;
    }
    QAccessible::Role role() const override { return QAccessible::ListItem; }

    QString text(QAccessible::Text kind) const override
    {
        if (kind != QAccessible::Name || !isValid())
            return QString();
        return index().data(Qt::AccessibleTextRole).toString();
    }

    QRect rect() const override
    {
        return isValid() ? onScreen(m_view, m_view->visualRect(index())) : QRect();
    }

    QAccessible::State state() const override
    {
        QAccessible::State state;
        if (!isValid())
            return state;
        state.selectable = true;
        state.multiSelectable = true;
        state.focusable = true;
        state.selected = m_view->selectionModel()->isSelected(index());
        state.focused = m_view->hasFocus() && m_view->currentIndex() == index();
        state.invisible = !m_view->viewport()->rect().intersects(m_view->visualRect(index()));
        if (const QVariant expanded = index().data(TodoListModel::ExpandedRole);
            expanded.isValid()) {
            state.expandable = true;
            state.expanded = expanded.toBool();
            state.collapsed = !expanded.toBool();
        } else {
            state.checkable = true;
            state.checked = isDone(m_view, m_row);
        }
        return state;
    }

    QStringList actionNames() const override
    {
        return isValid() && isExpanderRow(m_view, m_row) ? QStringList{pressAction()}
                                                         : QStringList();
    }
    void doAction(const QString &action) override
    {
        if (action != pressAction() || !isValid() || !isExpanderRow(m_view, m_row))
            return;
        m_view->model()->setData(index(), !index().data(TodoListModel::ExpandedRole).toBool(),
                                 TodoListModel::ExpandedRole);
    }

    // Its check box, when a reader has asked for it.
    QAccessibleInterface *knownCheck() const
    {
        return m_check ? QAccessible::accessibleInterface(m_check) : nullptr;
    }

private:
    mutable QAccessible::Id m_check = 0;
};

// The list itself. Row items are made on demand, so a million rows cost
// nothing until a reader asks for them. An item stands for a place in the
// list: when the rows change, the reader is told the new names of the places
// it knows, and of those past the end that they are gone.
class TodoListAccessible final : public QAccessibleWidget {
public:
    explicit TodoListAccessible(TodoListView *view) : QAccessibleWidget(view, QAccessible::List) {}
    ~TodoListAccessible() override
    {
        for (const QAccessible::Id id : std::as_const(m_rows))
            QAccessible::deleteAccessibleInterface(id);
    }

    TodoListView *view() const { return static_cast<TodoListView *>(widget()); }

    int childCount() const override { return view()->model() ? view()->model()->rowCount() : 0; }

    QAccessibleInterface *child(int index) const override
    {
        if (index < 0 || index >= childCount())
            return nullptr;
        watchRows();
        if (const auto known = m_rows.constFind(index); known != m_rows.cend())
            return QAccessible::accessibleInterface(*known);
        auto *row = new TodoRowAccessible(view(), index);
        m_rows.insert(index, QAccessible::registerAccessibleInterface(row));
        return row;
    }

    int indexOfChild(const QAccessibleInterface *child) const override
    {
        const auto *row = dynamic_cast<const TodoRowAccessible *>(child);
        return row && row->parent() == this ? row->row() : -1;
    }

    QAccessibleInterface *childAt(int x, int y) const override
    {
        const QModelIndex index = view()->indexAt(view()->viewport()->mapFromGlobal(QPoint(x, y)));
        return index.isValid() ? child(index.row()) : nullptr;
    }

    QAccessibleInterface *focusChild() const override
    {
        const QModelIndex current = view()->currentIndex();
        return view()->hasFocus() && current.isValid() ? child(current.row()) : nullptr;
    }

private:
    // The model may come after this interface: it is watched once a row is asked for.
    void watchRows() const
    {
        QAbstractItemModel *model = view()->model();
        if (model == m_watched)
            return;
        m_watched = model;
        const auto changed = [this] { rowsChanged(); };
        QObject::connect(model, &QAbstractItemModel::modelReset, view(), changed);
        QObject::connect(model, &QAbstractItemModel::rowsInserted, view(), changed);
        QObject::connect(model, &QAbstractItemModel::rowsRemoved, view(), changed);
        QObject::connect(model, &QAbstractItemModel::layoutChanged, view(), changed);
        QObject::connect(model, &QAbstractItemModel::dataChanged, view(), changed);
    }

    void rowsChanged() const
    {
        const int count = childCount();
        for (auto known = m_rows.begin(); known != m_rows.end();) {
            auto *row = static_cast<TodoRowAccessible *>(QAccessible::accessibleInterface(*known));
            if (known.key() < count) {
                QAccessibleEvent renamed(row, QAccessible::NameChanged);
                QAccessible::updateAccessibility(&renamed);
                // Its place may now show another to-do, done or not, or the expander.
                QAccessible::State changed;
                changed.checked = true;
                changed.expanded = true;
                QAccessibleStateChangeEvent state(row, changed);
                QAccessible::updateAccessibility(&state);
                if (QAccessibleInterface *check = row->knownCheck()) {
                    QAccessibleStateChangeEvent checked(check, changed);
                    QAccessible::updateAccessibility(&checked);
                }
                ++known;
                continue;
            }
            QAccessibleEvent gone(row, QAccessible::ObjectDestroyed);
            QAccessible::updateAccessibility(&gone);
            QAccessible::deleteAccessibleInterface(*known);
            known = m_rows.erase(known);
        }
    }

    mutable QHash<int, QAccessible::Id> m_rows;
    mutable QPointer<QAbstractItemModel> m_watched;
};

QAccessibleInterface *plimsaAccessibleFactory(const QString &className, QObject *object)
{
    if (!object || !object->isWidgetType())
        return nullptr;
    if (className == QLatin1String("MenuPicker"))
        return new MenuPickerAccessible(static_cast<MenuPicker *>(object));
    if (className == QLatin1String("TodoListView"))
        return new TodoListAccessible(static_cast<TodoListView *>(object));
    if (className == QLatin1String("UndoBar"))
        return new QAccessibleWidget(static_cast<UndoBar *>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

void installAccessibleInterfaces()
{
    QAccessible::installFactory(plimsaAccessibleFactory);
}
