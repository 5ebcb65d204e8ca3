// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QEventLoop>
#include <QTimer>

#include <functional>
#include <optional>

// Runs the event loop until `call` answers through the function it is given,
// at most 60 s; a default `Result` when it never does.
template <typename Result>
Result awaitAnswer(const std::function<void(std::function<void(Result)>)> &call)
{
    std::optional<Result> result;
    QEventLoop loop;
    QTimer::singleShot(60000, &loop, &QEventLoop::quit);
    call([&](Result answer) {
        result = std::move(answer);
        loop.quit();
    });
    if (!result)
        loop.exec();
    return result.value_or(Result{});
}
