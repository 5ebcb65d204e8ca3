// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoLines.h"

namespace {

// The VTODOs of the text, each with whether it holds a RECURRENCE-ID, in order.
std::vector<std::pair<std::size_t, bool>> vTodoStarts(const std::vector<ContentLine> &lines)
{
    std::vector<std::pair<std::size_t, bool>> starts;
    std::vector<std::string> open;
    constexpr std::size_t none = std::size_t(-1);
    std::size_t current = none;
    bool currentRecurs = false;
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const ContentLine &line = lines[index];
        if (line.name == "BEGIN") {
            open.push_back(line.componentName());
            if (open.back() == "VTODO" && current == none) {
                current = index;
                currentRecurs = false;
            }
        } else if (line.name == "END") {
            if (open.empty())
                continue;
            if (open.back() == "VTODO" && current != none) {
                starts.emplace_back(current, currentRecurs);
                current = none;
            }
            open.pop_back();
        } else if (current != none && !open.empty() && open.back() == "VTODO" &&
                   line.name == "RECURRENCE-ID") {
            currentRecurs = true;
        }
    }
    // Taken only when no ended VTODO is.
    if (current != none)
        starts.emplace_back(current, true);
    return starts;
}

} // namespace

std::optional<std::size_t> mainVTodoStart(const std::vector<ContentLine> &lines)
{
    const auto starts = vTodoStarts(lines);
    for (const auto &[start, recurs] : starts) {
        if (!recurs)
            return start;
    }
    if (starts.empty())
        return std::nullopt;
    return starts.front().first;
}

std::optional<std::size_t> componentEnd(const std::vector<ContentLine> &lines, std::size_t start)
{
    int depth = 0;
    for (std::size_t index = start; index < lines.size(); ++index) {
        if (lines[index].name == "BEGIN")
            ++depth;
        else if (lines[index].name == "END" && --depth == 0)
            return index;
    }
    return std::nullopt;
}

std::optional<std::string> ownValue(const std::vector<ContentLine> &lines, std::size_t start,
                                    std::string_view name)
{
    int depth = 0;
    for (std::size_t index = start; index < lines.size(); ++index) {
        const ContentLine &line = lines[index];
        if (line.name == "BEGIN") {
            ++depth;
        } else if (line.name == "END") {
            if (--depth == 0)
                break;
        } else if (depth == 1 && line.name == name) {
            const auto colon = valueColon(line.unfolded);
            if (colon == std::string::npos)
                return std::nullopt;
            return line.unfolded.substr(colon + 1);
        }
    }
    return std::nullopt;
}

std::vector<std::size_t> overrideStarts(const std::vector<ContentLine> &lines)
{
    std::vector<std::size_t> starts;
    for (const auto &[start, recurs] : vTodoStarts(lines)) {
        if (recurs)
            starts.push_back(start);
    }
    return starts;
}
