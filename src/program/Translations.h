// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QLocale>

// Installs the app's translation for `locale` and Qt's own (the Cancel button),
// where they exist. Without one, every caption shows as written.
void installTranslations(const QLocale &locale);
