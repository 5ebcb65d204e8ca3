// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"

#include <QWidget>

class MenuPicker;

// The "Priority" menu at the top of the window, bound to `selectedPriority`.
class PriorityMenu : public QWidget {
    Q_OBJECT

public:
    explicit PriorityMenu(ContentView &view, QWidget *parent = nullptr);

    MenuPicker *combo() const { return m_combo; }
    // Puts `widget` at the row's right end.
    void addTrailing(QWidget *widget);

private:
    void render();

    ContentView &m_view;
    MenuPicker *m_combo;
};
