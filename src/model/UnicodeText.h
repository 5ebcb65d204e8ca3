// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <string_view>

// Whether two UTF-8 texts are canonically equivalent: a precomposed letter equals
// the same letter written with a combining mark.
bool canonicallyEqual(std::string_view a, std::string_view b);
