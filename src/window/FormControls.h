// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

class MenuPicker;
class QWidget;

// The pickers that both the entry row and the edit form show, alike in both:
// an option's data is its value.
MenuPicker *makePriorityMenu(QWidget *parent); // Low, Medium, High: TodoPriority as int
MenuPicker *makeHourMenu(QWidget *parent);     // 01 to 12
MenuPicker *makeMinuteMenu(QWidget *parent);   // 00 to 59
MenuPicker *makeAmPmMenu(QWidget *parent);     // AM (true), PM (false)
