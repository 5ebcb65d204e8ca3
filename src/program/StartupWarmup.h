// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <thread>

// Start-up work that the first frame needs and that needs no Qt object, done
// on another core while Qt starts: loading the font configuration
// (fontconfig's caches), which the first text waits for otherwise, and ICU's
// data for the date label. Nothing else touches either until `wait` returns.
class StartupWarmup {
public:
    StartupWarmup();
    ~StartupWarmup();
    StartupWarmup(const StartupWarmup &) = delete;
    StartupWarmup &operator=(const StartupWarmup &) = delete;

    void wait();

private:
    std::thread m_thread;
};
