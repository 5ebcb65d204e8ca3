// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QComboBox>

// A menu-style picker. Unlike a plain QComboBox on Linux, it tells screen readers
// its own name ("Hour") with the chosen option as its value, so that pickers
// without a visible label can still be told apart (AccessibleInterfaces.h).
class MenuPicker : public QComboBox {
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // Shows as chosen the option whose value equals `value`; none when no option
    // does. Emits nothing.
    void showValue(const QVariant &value);
};
