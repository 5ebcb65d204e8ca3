// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItemCodingKey.h"
#include "TodoJson.h"

#include <charconv>
#include <cmath>
#include <string_view>

namespace {

// Length of the well-formed UTF-8 sequence at the start of `text`, or 0.
std::size_t wellFormedSequenceLength(std::string_view text)
{
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const auto continuation = [&](std::size_t i, unsigned char low = 0x80,
                                  unsigned char high = 0xBF) {
        return i < text.size() && byte(i) >= low && byte(i) <= high;
    };
    const unsigned char lead = byte(0);
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return continuation(1) ? 2 : 0;
    if (lead >= 0xE0 && lead <= 0xEF) {
        const unsigned char low = lead == 0xE0 ? 0xA0 : 0x80;
        const unsigned char high = lead == 0xED ? 0x9F : 0xBF;
        return continuation(1, low, high) && continuation(2) ? 3 : 0;
    }
    if (lead >= 0xF0 && lead <= 0xF4) {
        const unsigned char low = lead == 0xF0 ? 0x90 : 0x80;
        const unsigned char high = lead == 0xF4 ? 0x8F : 0xBF;
        return continuation(1, low, high) && continuation(2) && continuation(3) ? 4 : 0;
    }
    return 0;
}

// Writes a JSON string. Ill-formed UTF-8 becomes U+FFFD, so that what is
// written can always be read back.
void appendString(std::string &out, std::string_view text)
{
    static constexpr char hex[] = "0123456789abcdef";
    out.push_back('"');
    std::size_t position = 0;
    while (position < text.size()) {
        const char c = text[position];
        const auto u = static_cast<unsigned char>(c);
        if (u >= 0x80) {
            const std::size_t length = wellFormedSequenceLength(text.substr(position));
            if (length == 0) {
                out.append("\xEF\xBF\xBD");
                ++position;
            } else {
                out.append(text.substr(position, length));
                position += length;
            }
            continue;
        }
        switch (c) {
        case '"':
            out.append("\\\"");
            break;
        case '\\':
            out.append("\\\\");
            break;
        case '\b':
            out.append("\\b");
            break;
        case '\f':
            out.append("\\f");
            break;
        case '\n':
            out.append("\\n");
            break;
        case '\r':
            out.append("\\r");
            break;
        case '\t':
            out.append("\\t");
            break;
        default:
            if (u < 0x20) {
                out.append("\\u00");
                out.push_back(hex[u >> 4]);
                out.push_back(hex[u & 0xF]);
            } else {
                out.push_back(c);
            }
        }
        ++position;
    }
    out.push_back('"');
}

// Shortest text that reads back as the same double. A whole number gets ".0"
// when it is -0, since "-0" would read back as the integer 0.
void appendNumber(std::string &out, double value)
{
    char buffer[32];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
    out.append(buffer, result.ptr);
    if (value == 0 && std::signbit(value))
        out.append(".0");
}

std::string_view keyName(TodoItemCodingKey key)
{
    return stringValue(key);
}

std::string_view keyName(TodoExtraKey key)
{
    return extraKeyName(key);
}

template <typename Key> void appendKey(std::string &out, Key key)
{
    out.push_back('"');
    out.append(keyName(key));
    out.append("\":");
}

// Closes the object after the members past the four that the to-do has.
bool appendExtras(std::string &out, const TodoExtras &extras)
{
    if (extras.completed) {
        if (!std::isfinite(*extras.completed))
            return false;
        out.push_back(',');
        appendKey(out, TodoExtraKey::completed);
        appendNumber(out, *extras.completed);
    }
    if (!extras.rrule.empty()) {
        out.push_back(',');
        appendKey(out, TodoExtraKey::rrule);
        appendString(out, extras.rrule);
    }
    if (!extras.uid.empty()) {
        out.push_back(',');
        appendKey(out, TodoExtraKey::uid);
        appendString(out, extras.uid);
    }
    if (extras.occurrenceOf) {
        out.push_back(',');
        appendKey(out, TodoExtraKey::occurrenceOf);
        appendString(out, extras.occurrenceOf->uuidString());
    }
    if (extras.alarm) {
        if (!std::isfinite(*extras.alarm))
            return false;
        out.push_back(',');
        appendKey(out, TodoExtraKey::alarm);
        appendNumber(out, *extras.alarm);
    }
    if (extras.wholeDay) {
        out.push_back(',');
        appendKey(out, TodoExtraKey::wholeDay);
        out.append("true");
    }
    out.push_back('}');
    return true;
}

bool appendItem(std::string &out, const TodoItem &item)
{
    if (!std::isfinite(item.time()))
        return false;
    out.push_back('{');
    appendKey(out, TodoItemCodingKey::id);
    appendString(out, item.id().uuidString());
    out.push_back(',');
    appendKey(out, TodoItemCodingKey::name);
    appendString(out, item.name());
    out.push_back(',');
    appendKey(out, TodoItemCodingKey::time);
    appendNumber(out, item.time());
    out.push_back(',');
    appendKey(out, TodoItemCodingKey::priority);
    appendString(out, rawValue(item.priority()));
    return appendExtras(out, item.extras());
}

constexpr std::size_t fixedItemLength = 100;

} // namespace

std::optional<std::string> encodeTodoItem(const TodoItem &item)
{
    std::string out;
    out.reserve(fixedItemLength + item.name().size());
    if (!appendItem(out, item))
        return std::nullopt;
    return out;
}

std::optional<std::string> encodeTodoList(const std::vector<TodoItem> &items)
{
    std::size_t estimate = 2;
    for (const TodoItem &item : items)
        estimate += fixedItemLength + item.name().size();
    std::string out;
    out.reserve(estimate);
    out.push_back('[');
    for (std::size_t index = 0; index < items.size(); ++index) {
        if (index > 0)
            out.push_back(',');
        if (!appendItem(out, items[index]))
            return std::nullopt;
    }
    out.push_back(']');
    return out;
}
