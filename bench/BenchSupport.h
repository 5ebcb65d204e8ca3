// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

inline double milliseconds(const std::function<void()> &work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    const auto end = std::chrono::steady_clock::now();
    return std::chrono::duration<double, std::milli>(end - start).count();
}

inline double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Median wall time of `runs` calls, in milliseconds. `reset` runs before each
// call, untimed: to drop what the last call made and kept.
inline double medianMilliseconds(
    int runs, const std::function<void()> &work, const std::function<void()> &reset = [] {})
{
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        reset();
        times.push_back(milliseconds(work));
    }
    return median(times);
}

struct TurnMedians {
    double first;
    double second;
    double ratio; // the median of first / second over the turns
};

// Two pieces of work timed in turns, so that a machine slowing down or
// speeding up weighs on both alike. `reset` runs, untimed, before each call.
inline TurnMedians medianMillisecondsInTurns(int runs, const std::function<void()> &first,
                                             const std::function<void()> &second,
                                             const std::function<void()> &reset)
{
    std::vector<double> firstTimes;
    std::vector<double> secondTimes;
    std::vector<double> ratios;
    for (int run = 0; run < runs; ++run) {
        reset();
        firstTimes.push_back(milliseconds(first));
        reset();
        secondTimes.push_back(milliseconds(second));
        ratios.push_back(firstTimes.back() / secondTimes.back());
    }
    return {median(firstTimes), median(secondTimes), median(ratios)};
}
