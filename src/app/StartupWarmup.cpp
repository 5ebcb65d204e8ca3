// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "StartupWarmup.h"

#include "DateFormatter.h"

#include <Clock.h>
#include <fontconfig/fontconfig.h>

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

StartupWarmup::StartupWarmup() : m_thread(warm) {}

StartupWarmup::~StartupWarmup()
{
    wait();
}

void StartupWarmup::wait()
{
    if (m_thread.joinable())
        m_thread.join();
}
