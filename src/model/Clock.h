// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

// The wall clock, behind an interface so tests can set the time.
class Clock {
public:
    virtual ~Clock() = default;
    // Now, as an instant (seconds since 2001-01-01 00:00:00 UTC).
    virtual double now() const = 0;
};

class SystemClock final : public Clock {
public:
    double now() const override;
};
