// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <string>
#include <string_view>
#include <vector>

// The content lines of iCalendar text, each with its raw bytes (folds and line
// end included), so that an edit can keep every line it does not touch byte
// for byte.
struct ContentLine {
    std::string_view raw;
    // Upper-case property name, as before the first ';' or ':'.
    std::string name;
    // The unfolded line without its line end.
    std::string unfolded;

    // For BEGIN and END lines: the upper-case component name.
    std::string componentName() const;
};

std::vector<ContentLine> splitContentLines(std::string_view text);

// Where the value of an unfolded line begins: after the first ':' outside a
// quoted parameter value; npos when there is none.
std::size_t valueColon(std::string_view unfolded);
