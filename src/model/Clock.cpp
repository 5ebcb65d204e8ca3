// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Clock.h"

#include "Instant.h"

#include <chrono>

double SystemClock::now() const
{
    using namespace std::chrono;
    const auto sinceEpoch = system_clock::now().time_since_epoch();
    return instantFromUnixMilliseconds(duration<double, std::milli>(sinceEpoch).count());
}
