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
    m_box = new QMessageBox(m_window);
    m_box->setAttribute(Qt::WA_DeleteOnClose);
    m_box->setWindowModality(Qt::WindowModal);
    m_box->setIcon(QMessageBox::Warning);
    m_box->setWindowTitle(tr("Delete Todo"));
    m_box->setText(tr("Delete Todo"));
    m_box->setInformativeText(tr("Are you sure you want to delete this item?"));
    QPushButton *deleteButton = m_box->addButton(tr("Delete"), QMessageBox::DestructiveRole);
    QPushButton *cancelButton = m_box->addButton(QMessageBox::Cancel);
    m_box->setDefaultButton(cancelButton);
    m_box->setEscapeButton(cancelButton);

    connect(m_box, &QMessageBox::finished, this, [this, deleteButton] {
        if (m_box->clickedButton() == deleteButton)
            m_view.confirmDelete();
        else
            m_view.cancelDelete();
        m_box = nullptr;
        m_view.dismissDeleteAlert();
    });
    m_box->open();
}
