// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentLines.h"

#include <algorithm>
#include <cctype>

namespace {

std::string upper(std::string_view text)
{
    std::string result(text);
    std::transform(result.begin(), result.end(), result.begin(),
                   [](unsigned char c) { return char(std::toupper(c)); });
    return result;
}

std::string_view withoutLineEnd(std::string_view physical)
{
    if (physical.ends_with('\n'))
        physical.remove_suffix(1);
    if (physical.ends_with('\r'))
        physical.remove_suffix(1);
    return physical;
}

} // namespace

std::string ContentLine::componentName() const
{
    const auto colon = unfolded.find(':');
    if (colon == std::string::npos)
        return {};
    std::string_view value(unfolded);
    value.remove_prefix(colon + 1);
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t'))
        value.remove_suffix(1);
    return upper(value);
}

std::vector<ContentLine> splitContentLines(std::string_view text)
{
    std::vector<ContentLine> lines;
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = position;
        std::string unfolded;
        // A line continues while the next physical line starts with a blank.
        do {
            const auto end = text.find('\n', position);
            const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
            unfolded += withoutLineEnd(text.substr(position, next - position));
            position = next;
            if (position < text.size() && (text[position] == ' ' || text[position] == '\t'))
                ++position;
            else
                break;
        } while (position < text.size());
        ContentLine line{text.substr(start, position - start), {}, std::move(unfolded)};
        const auto nameEnd = line.unfolded.find_first_of(";:");
        line.name = upper(std::string_view(line.unfolded).substr(0, nameEnd));
        lines.push_back(std::move(line));
    }
    return lines;
}

std::size_t valueColon(std::string_view unfolded)
{
    bool quoted = false;
    for (std::size_t index = 0; index < unfolded.size(); ++index) {
        if (unfolded[index] == '"')
            quoted = !quoted;
        else if (unfolded[index] == ':' && !quoted)
            return index;
    }
    return std::string_view::npos;
}
