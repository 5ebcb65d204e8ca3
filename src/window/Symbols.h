// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>

// The app's symbols, "plus", "trash", "sync" and "repeat": from the user's icon theme,
// with drawings of Plimsa's own so a button is never empty.
enum class Symbol { plus, trash, sync, repeat };

// The symbol in one flat colour, for painting at `size` logical pixels. Until
// `useThemedSymbols`, the plus and the sync symbol are drawn by hand as the
// default theme (Adwaita) draws them: reading the theme's index and loading
// its SVG drawings takes milliseconds, which the window's first frame need not
// wait for when it shows no row.
QPixmap tintedSymbol(Symbol symbol, const QColor &color, int size, qreal devicePixelRatio);
void useThemedSymbols();
// Looks `symbol` up in the icon theme and loads its drawing ahead of its first
// use, which otherwise takes milliseconds: the theme's folders are searched.
void prepareSymbol(Symbol symbol);

// Plimsa's own icon: the installed one, else the one built in.
QIcon appIcon();

// Lets Qt find themed icons outside a full desktop session (XDG data dirs,
// Adwaita as the fallback theme). Call once after the application is made.
void setUpIconTheme();
