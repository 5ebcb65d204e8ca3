// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "FilePreferences.h"

#include <XdgDirectories.h>

Preferences &Preferences::standard()
{
    static FilePreferences preferences(XdgDirectories::configHome() + QStringLiteral("/plimsa"));
    return preferences;
}
