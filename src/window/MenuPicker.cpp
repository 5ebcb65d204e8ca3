// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "MenuPicker.h"

#include <QSignalBlocker>

void MenuPicker::showValue(const QVariant &value)
{
    const QSignalBlocker blocker(this);
    setCurrentIndex(findData(value));
}
