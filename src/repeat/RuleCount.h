// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <string>
#include <string_view>

// `rrule` with its COUNT part given `count`; every other byte kept, so that
// the rule stays as another client wrote it. Unchanged without a COUNT part.
std::string withCount(std::string_view rrule, int count);
