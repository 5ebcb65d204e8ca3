// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The app's two symbols, "plus" and "trash": from the user's icon theme, with
// bundled drawings so a button is never empty.
enum class Symbol { plus, trash };

QIcon symbolIcon(Symbol symbol);
// The symbol in one flat colour, for painting at `size` logical pixels.
QPixmap tintedSymbol(Symbol symbol, const QColor &color, int size, qreal devicePixelRatio);

// Plimsa's own icon: the installed one, else the one built in.
QIcon appIcon();

// Lets Qt find themed icons outside a full desktop session (XDG data dirs,
// Adwaita as the fallback theme). Call once after the application is made.
void setUpIconTheme();
