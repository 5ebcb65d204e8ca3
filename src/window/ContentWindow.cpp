// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentWindow.h"

#include "DayButton.h"
#include "DeleteAlert.h"
#include "EditTodoDialog.h"
#include "EntryRow.h"
#include "MenuPicker.h"
#include "PriorityMenu.h"
#include "RescueBar.h"
#include "RoundAddButton.h"
#include "SyncPanel.h"
#include "TodoListModel.h"
#include "TodoListView.h"
#include "TodoRowDelegate.h"
#include "UndoBar.h"

#include <QCloseEvent>
#include <QHideEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QShowEvent>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <utility>

namespace {

constexpr int menuSideMargin = 20;
constexpr int menuTopMargin = 50;
constexpr int listExtraTopMargin = 20;

} // namespace

ContentWindow::ContentWindow(ContentView &view, QWidget *parent)
    : QWidget(parent), m_view(view), m_model(new TodoListModel(view, this)),
      m_priorityMenu(new PriorityMenu(view, this)), m_listView(new TodoListView(this)),
      m_rowDelegate(new TodoRowDelegate(this)), m_entryRow(new EntryRow(view, this)),
      m_deleteAlert(new DeleteAlert(view, this)), m_undoBar(new UndoBar(view, this)),
      m_rescueBar(new RescueBar(view, this)), m_listBox(new QVBoxLayout)
{
    setBackgroundRole(QPalette::Window);
    setAutoFillBackground(true);
    m_listView->setModel(m_model);
    m_listView->setItemDelegate(m_rowDelegate);

    const int padding = style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(0, 0, 0, 0);

    auto *menuBox = new QVBoxLayout;
    menuBox->setContentsMargins(menuSideMargin, menuTopMargin, menuSideMargin, 0);
    menuBox->addWidget(m_priorityMenu);
    column->addLayout(menuBox);

    QVBoxLayout *listBox = m_listBox;
    listBox->setContentsMargins(padding, padding + listExtraTopMargin, padding, padding);
    listBox->addWidget(m_listView);
    // Below the list, which makes room for it: the entry row stays where it is.
    listBox->addWidget(m_undoBar);
    listBox->addWidget(m_rescueBar);
    column->addLayout(listBox, 1);

    auto *entryBox = new QVBoxLayout;
    entryBox->setContentsMargins(padding, 0, padding, padding);
    entryBox->addWidget(m_entryRow);
    column->addLayout(entryBox);

    setTabOrder(m_priorityMenu->combo(), m_listView);
    setTabOrder(m_listView, m_undoBar->undoButton());
    setTabOrder(m_undoBar->undoButton(), m_entryRow->nameField());
    setTabOrder(m_entryRow->nameField(), m_entryRow->dayButton());
    setTabOrder(m_entryRow->dayButton(), m_entryRow->hourMenu());
    setTabOrder(m_entryRow->hourMenu(), m_entryRow->minuteMenu());
    setTabOrder(m_entryRow->minuteMenu(), m_entryRow->amPmMenu());
    setTabOrder(m_entryRow->amPmMenu(), m_entryRow->addButton());

    // Ctrl+Q ends the app the way closing the window does, list saved.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q), this), &QShortcut::activated, this,
            [this] {
                m_closingByUser = true;
                close();
                m_closingByUser = false;
            });

    connect(new QShortcut(QKeySequence::Undo, this), &QShortcut::activated, this,
            &ContentWindow::undo);
    connect(m_undoBar, &UndoBar::undoRequested, this, &ContentWindow::undo);

    // A new or reopened to-do is appended at the end: bring it into sight.
    connect(&view, &ContentView::todoAppended, this, [this] {
        const QModelIndex appended =
            m_model->indexOf(static_cast<int>(m_view.todoList().size()) - 1);
        if (appended.isValid())
            m_listView->scrollTo(appended);
    });
    const auto requestDelete = [this](const QModelIndex &index) {
        if (m_model->offsetOf(index))
            m_view.requestDelete(m_model->item(index));
    };
    connect(m_rowDelegate, &TodoRowDelegate::trashClicked, this, requestDelete);
    connect(m_listView, &TodoListView::deleteRowRequested, this, requestDelete);
    connect(m_listView, &TodoListView::deleteRowsRequested, &m_view, &ContentView::deleteTodos);
    connect(m_listView, &TodoListView::deleteCompletedRequested, this,
            [this] { m_deleteAlert->askToDeleteCompleted(m_model->completedCount()); });

    connect(m_listView, &TodoListView::editRowRequested, this, &ContentWindow::editRow);
    auto *edit = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_E), m_listView);
    edit->setContext(Qt::WidgetShortcut);
    connect(edit, &QShortcut::activated, this, [this] {
        if (m_listView->selectionModel()->isSelected(m_listView->currentIndex()))
            editRow(m_listView->currentIndex());
    });
}

void ContentWindow::editRow(const QModelIndex &index)
{
    const std::optional<int> offset = m_model->offsetOf(index);
    if (!offset)
        return;
    auto *form = new EditTodoDialog(m_view, *offset, this);
    form->setAttribute(Qt::WA_DeleteOnClose);
    form->open();
}

void ContentWindow::showSync(SyncPanel &sync)
{
    m_sync = &sync;
    QWidget *button = sync.makeButton(m_priorityMenu);
    m_priorityMenu->addTrailing(button);
    setTabOrder(m_priorityMenu->combo(), button);
    setTabOrder(button, m_listView);
    m_listBox->addWidget(sync.makeAttentionLine(this));
}

void ContentWindow::openSyncSetup()
{
    if (m_sync)
        m_sync->openSetup(this);
}

void ContentWindow::undo()
{
    const bool change = m_view.undoableChange().has_value();
    if (!change && m_view.undoableDeletion().empty())
        return;
    QItemSelection restored;
    const auto collect = connect(m_model, &QAbstractItemModel::rowsInserted, this,
                                 [&](const QModelIndex &, int first, int last) {
                                     restored.select(m_model->index(first), m_model->index(last));
                                 });
    const auto collectChanged = connect(&m_view, &ContentView::todoChanged, this, [&](int offset) {
        if (const QModelIndex changed = m_model->indexOf(offset); changed.isValid())
            restored.select(changed, changed);
    });
    if (change)
        m_view.undoChange();
    else
        m_view.undoDelete();
    disconnect(collect);
    disconnect(collectChanged);
    if (restored.isEmpty())
        return;
    m_listView->setFocus();
    m_listView->selectionModel()->select(restored, QItemSelectionModel::ClearAndSelect);
    m_listView->selectionModel()->setCurrentIndex(restored.first().topLeft(),
                                                  QItemSelectionModel::NoUpdate);
    m_listView->scrollTo(m_listView->currentIndex());
}

void ContentWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Told from the event loop: by then the frame has gone to the screen.
    if (!std::exchange(m_painted, true))
        QTimer::singleShot(0, this, &ContentWindow::firstFrameShown);
}

void ContentWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!event->spontaneous())
        m_view.appear();
}

void ContentWindow::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (!event->spontaneous())
        m_view.disappear();
}

void ContentWindow::closeEvent(QCloseEvent *event)
{
    if ((event->spontaneous() || m_closingByUser) && m_view.isOnScreen() &&
        !m_view.saveBeforeClose()) {
        event->ignore();
        QMessageBox::warning(this, QStringLiteral("Plimsa"),
                             tr("Your to-do list could not be saved anywhere, so the window stays "
                                "open. Free some disk space, then close it again."));
        return;
    }
    QWidget::closeEvent(event);
}
