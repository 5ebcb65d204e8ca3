// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "DeleteAlert.h"

#include <QMessageBox>
#include <QPushButton>

DeleteAlert::DeleteAlert(ContentView &view, QWidget *window)
    : QObject(window), m_view(view), m_window(window)
{
    connect(&view, &ContentView::deleteAlertShownChanged, this, [this](bool shown) {
        if (shown && !m_box)
            show();
    });
}

void DeleteAlert::show()
{
    const std::optional<int> index = m_view.deleteIndex();
    const bool repeats = index && m_view.todoList()[static_cast<std::size_t>(*index)].repeats() &&
                         !m_view.todoList()[static_cast<std::size_t>(*index)].isCompleted();
    m_box = open(
        tr("Delete Todo"),
        repeats ? tr("Are you sure you want to delete this item and all its repeats?")
                : tr("Are you sure you want to delete this item?"),
        [this](bool deleted) {
            if (deleted)
                m_view.confirmDelete();
            else
                m_view.cancelDelete();
            m_box = nullptr;
            m_view.dismissDeleteAlert();
        },
        repeats ? tr("Skip This One") : QString());
    if (repeats) {
        // Skipped before the box says it was not deleted, while the offset holds.
        connect(m_box, &QMessageBox::buttonClicked, this, [this](QAbstractButton *button) {
            if (m_box && m_box->buttonRole(button) == QMessageBox::ActionRole)
                m_view.skipOccurrence(*m_view.deleteIndex());
        });
    }
}

void DeleteAlert::askToDeleteCompleted(int count)
{
    open(tr("Delete Completed"),
         count == 1 ? tr("Are you sure you want to delete this completed to-do?")
                    : tr("Are you sure you want to delete %n completed to-dos?", nullptr, count),
         [this](bool deleted) {
             if (deleted)
                 m_view.deleteCompleted();
         });
}

QMessageBox *DeleteAlert::open(const QString &text, const QString &informativeText,
                               std::function<void(bool deleted)> finished,
                               const QString &actionText)
{
    auto *box = new QMessageBox(m_window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Warning);
    box->setWindowTitle(text);
    box->setText(text);
    box->setInformativeText(informativeText);
    QPushButton *deleteButton = box->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    if (!actionText.isEmpty())
        box->addButton(actionText, QMessageBox::ActionRole);
    QPushButton *cancelButton = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancelButton);
    box->setEscapeButton(cancelButton);
    connect(box, &QMessageBox::finished, this,
            [box, deleteButton, finished] { finished(box->clickedButton() == deleteButton); });
    box->open();
    return box;
}
