// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

// Starts the Plimsa app beside this executable (else the one on PATH). A
// running app raises its window instead, as for any second launch. The token,
// when there is one, lets that window take focus (XDG_ACTIVATION_TOKEN).
void openPlimsaWindow(const QString &activationToken);
