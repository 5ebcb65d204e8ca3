// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

void installTranslations(const QLocale &locale)
{
    auto *app = new QTranslator(QCoreApplication::instance());
    if (app->load(locale, QStringLiteral("plimsa"), QStringLiteral("_"), QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(app);
    auto *qt = new QTranslator(QCoreApplication::instance());
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(qt);
}
