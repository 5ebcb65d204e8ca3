// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StartupWarmup.h"

#include "DateFormatter.h"

#include <Clock.h>
#include <fontconfig/fontconfig.h>
#include <unicode/locid.h>

namespace {

void warm()
{
    FcInit();
    FcPattern *any = FcPatternCreate();
    FcObjectSet *fields = FcObjectSetBuild(FC_FAMILY, FC_STYLE, FC_FILE, nullptr);
    FcFontSetDestroy(FcFontList(nullptr, any, fields));
    FcObjectSetDestroy(fields);
    FcPatternDestroy(any);

    DateFormatter(QStringLiteral("EEEE, d, yyyy")).format(SystemClock().now());
}

} // namespace

StartupWarmup::StartupWarmup()
{
    // ICU learns its default locale from setlocale() once; learnt here, before
    // QApplication calls setlocale(LC_ALL, "") on this thread, the warm-up never
    // reads the locale's names while they are being replaced.
    icu::Locale::getDefault();
    m_thread = std::thread(warm);
}

StartupWarmup::~StartupWarmup()
{
    wait();
}

void StartupWarmup::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
