// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <functional>

// Runs the event loop until `done` holds or `timeoutMs` pass; returns `done()`.
bool waitFor(const std::function<bool()> &done, int timeoutMs = 5000);
