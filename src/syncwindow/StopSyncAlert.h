// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <functional>

class QMessageBox;
class QWidget;

// The confirmation before "Stop Syncing", window-modal over `window`: it says
// that the to-dos stay on this computer and the password is forgotten. A
// "Stop Syncing" button runs `confirmed`; Cancel, the default and Escape's,
// does nothing. Deletes itself once answered.
QMessageBox *openStopSyncAlert(QWidget *window, std::function<void()> confirmed);
