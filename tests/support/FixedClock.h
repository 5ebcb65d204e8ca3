// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Clock.h>

// A clock that shows whatever time the test sets.
class FixedClock final : public Clock {
public:
    explicit FixedClock(double instant) : m_instant(instant) {}
    double now() const override { return m_instant; }
    void set(double instant) { m_instant = instant; }

private:
    double m_instant;
};
