// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FormControls.h"

#include "MenuPicker.h"

#include <TodoPriority.h>

#include <QCoreApplication>

namespace {

constexpr int menuWidth = 60;

MenuPicker *numberMenu(int from, int to, QWidget *parent)
{
    auto *menu = new MenuPicker(parent);
    for (int value = from; value <= to; ++value)
        menu->addItem(QStringLiteral("%1").arg(value, 2, 10, QLatin1Char('0')), value);
    menu->setFixedWidth(menuWidth);
    return menu;
}

} // namespace

MenuPicker *makePriorityMenu(QWidget *parent)
{
    auto *menu = new MenuPicker(parent);
    for (TodoPriority priority : allTodoPriorities)
        menu->addItem(QString::fromLatin1(rawValue(priority)), static_cast<int>(priority));
    return menu;
}

MenuPicker *makeHourMenu(QWidget *parent)
{
    MenuPicker *menu = numberMenu(1, 12, parent);
    menu->setAccessibleName(QCoreApplication::translate("FormControls", "Hour"));
    menu->setPlaceholderText(QStringLiteral("--"));
    return menu;
}

MenuPicker *makeMinuteMenu(QWidget *parent)
{
    MenuPicker *menu = numberMenu(0, 59, parent);
    menu->setAccessibleName(QCoreApplication::translate("FormControls", "Minute"));
    return menu;
}

MenuPicker *makeAmPmMenu(QWidget *parent)
{
    auto *menu = new MenuPicker(parent);
    menu->addItem(QCoreApplication::translate("FormControls", "AM"), true);
    menu->addItem(QCoreApplication::translate("FormControls", "PM"), false);
    menu->setFixedWidth(menuWidth);
    menu->setAccessibleName(QCoreApplication::translate("FormControls", "AM/PM"));
    return menu;
}
