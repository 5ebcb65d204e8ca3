// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>
#include <QStringList>

// The user's folders by the XDG base directory rules: a variable that is
// unset, empty or relative means its default.
namespace XdgDirectories {

// $XDG_CONFIG_HOME, else ~/.config.
QString configHome();
// $XDG_DATA_HOME, else ~/.local/share.
QString dataHome();
// $XDG_STATE_HOME, else ~/.local/state.
QString stateHome();
// $XDG_CONFIG_DIRS, else /etc/xdg; most important first.
QStringList configDirectories();

} // namespace XdgDirectories
