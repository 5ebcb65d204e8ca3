// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StopSyncAlert.h"

#include <QCoreApplication>
#include <QMessageBox>
#include <QPushButton>

namespace {

// The captions' translation context.
struct StopSyncAlert {
    Q_DECLARE_TR_FUNCTIONS(StopSyncAlert)
};

} // namespace

QMessageBox *openStopSyncAlert(QWidget *window, std::function<void()> confirmed)
{
    auto *box = new QMessageBox(window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    box->setIcon(QMessageBox::Question);
    box->setWindowTitle(StopSyncAlert::tr("Stop Syncing"));
    box->setText(StopSyncAlert::tr("Stop syncing this list?"));
    box->setInformativeText(
        StopSyncAlert::tr("Your to-dos stay on this computer. The password is forgotten, and "
                          "changes are no longer sent to the server or brought from it."));
    QPushButton *stop = box->addButton(StopSyncAlert::tr("Stop Syncing"), QMessageBox::AcceptRole);
    QPushButton *cancel = box->addButton(QMessageBox::Cancel);
    box->setDefaultButton(cancel);
    box->setEscapeButton(cancel);
    QObject::connect(box, &QMessageBox::finished, box,
                     [box, stop, confirmed = std::move(confirmed)] {
                         if (box->clickedButton() == stop)
                             confirmed();
                     });
    box->open();
    return box;
}
