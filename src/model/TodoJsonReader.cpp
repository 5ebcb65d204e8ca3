// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItemCodingKey.h"
#include "TodoJson.h"

#include <simdjson.h>

namespace {

using simdjson::dom::element;

// Reads a member past the four into `extras`: false when it is one of ours of
// the wrong form; any other key is ignored.
bool readExtra(std::string_view key, element member, TodoExtras &extras)
{
    const auto extra = todoExtraKeyFromString(key);
    if (!extra)
        return true;
    std::string_view text;
    double number;
    switch (*extra) {
    case TodoExtraKey::completed:
        if (member.get(number) != simdjson::SUCCESS)
            return false;
        extras.completed = number;
        return true;
    case TodoExtraKey::rrule:
        if (member.get(text) != simdjson::SUCCESS || text.empty())
            return false;
        extras.rrule = text;
        return true;
    case TodoExtraKey::uid:
        if (member.get(text) != simdjson::SUCCESS || text.empty())
            return false;
        extras.uid = text;
        return true;
    case TodoExtraKey::occurrenceOf:
        if (member.get(text) != simdjson::SUCCESS || !(extras.occurrenceOf = Uuid::fromString(text)))
            return false;
        return true;
    case TodoExtraKey::alarm:
        if (member.get(number) != simdjson::SUCCESS)
            return false;
        extras.alarm = number;
        return true;
    case TodoExtraKey::wholeDay: {
        bool flag;
        if (member.get(flag) != simdjson::SUCCESS || !flag)
            return false;
        extras.wholeDay = true;
        return true;
    }
    }
    return true;
}

// Appends the item that `value` holds to `items`; false when it holds none.
bool readItem(element value, std::vector<TodoItem> &items)
{
    simdjson::dom::object members;
    if (value.get(members) != simdjson::SUCCESS)
        return false;
    std::optional<Uuid> id;
    std::optional<std::string_view> name;
    std::optional<double> time;
    std::optional<TodoPriority> priority;
    TodoExtras extras;
    // Every member is read in document order, so a repeated key is checked
    // each time and the last one holds.
    for (const auto [key, member] : members) {
        std::string_view text;
        double number;
        const auto codingKey = todoItemCodingKeyFromString(key);
        if (!codingKey) {
            if (!readExtra(key, member, extras))
                return false;
            continue;
        }
        switch (*codingKey) {
        case TodoItemCodingKey::id:
            if (member.get(text) != simdjson::SUCCESS || !(id = Uuid::fromString(text)))
                return false;
            break;
        case TodoItemCodingKey::name:
            if (member.get(text) != simdjson::SUCCESS)
                return false;
            name = text;
            break;
        case TodoItemCodingKey::time:
            if (member.get(number) != simdjson::SUCCESS)
                return false;
            time = number;
            break;
        case TodoItemCodingKey::priority:
            if (member.get(text) != simdjson::SUCCESS ||
                !(priority = todoPriorityFromRawValue(text)))
                return false;
            break;
        }
    }
    if (!id || !name || !time || !priority)
        return false;
    items.emplace_back(std::string(*name), *time, *priority, *id, std::move(extras));
    return true;
}

bool isNumberCharacter(char c)
{
    return (c >= '0' && c <= '9') || c == '-' || c == '+' || c == '.' || c == 'e' || c == 'E';
}

// The same text with every integer of 19 digits or more given an "e0" exponent:
// the parser takes integers only as far as 64 bits but floating-point numbers of
// any length, and both forms read as the same double.
std::string withLongIntegersAsFloatingPoint(std::string_view json)
{
    std::string text;
    text.reserve(json.size() + json.size() / 8);
    bool inString = false;
    for (std::size_t i = 0; i < json.size();) {
        const char c = json[i];
        if (inString || !isNumberCharacter(c)) {
            const std::size_t length = inString && c == '\\' ? 2 : 1;
            if (c == '"')
                inString = !inString;
            text.append(json.substr(i, length));
            i += length;
            continue;
        }
        std::size_t end = i;
        while (end < json.size() && isNumberCharacter(json[end]))
            ++end;
        const std::string_view token = json.substr(i, end - i);
        text.append(token);
        const std::string_view digits = token.substr(token.starts_with('-') ? 1 : 0);
        if (digits.size() >= 19 && digits.find_first_not_of("0123456789") == std::string_view::npos)
            text.append("e0");
        i = end;
    }
    return text;
}

// A leading byte order mark is allowed and ignored, as it always was.
std::string_view withoutByteOrderMark(std::string_view json)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (json.starts_with(byteOrderMark))
        json.remove_prefix(byteOrderMark.size());
    return json;
}

// Parses `json` strictly, whole, and hands its root to `read`. What the parser's
// own limits refuse but JSON allows is parsed again in a form it takes: long
// integers, and nesting deeper than its default limit.
template <typename Read>
auto withDocument(std::string_view json, std::size_t readableAfterEnd, Read read)
    -> decltype(read(element()))
{
    json = withoutByteOrderMark(json);
    simdjson::dom::parser parser;
    std::string rewritten;
    bool widened = false;
    bool deepened = false;
    for (;;) {
        element root;
        const bool inPlace = !widened && readableAfterEnd >= simdjson::SIMDJSON_PADDING;
        const auto error = parser.parse(json.data(), json.size(), !inPlace).get(root);
        if (error == simdjson::SUCCESS)
            return read(root);
        if (error == simdjson::NUMBER_ERROR && !widened) {
            rewritten = withLongIntegersAsFloatingPoint(json);
            json = rewritten;
            widened = true;
        } else if (error == simdjson::DEPTH_ERROR && !deepened) {
            // Each level opens with a bracket of its own.
            if (parser.allocate(json.size(), json.size() / 2 + 1) != simdjson::SUCCESS)
                return std::nullopt;
            deepened = true;
        } else {
            return std::nullopt;
        }
    }
}

// With room to grow, so that the first to-do added does not move the whole
// list; untouched room costs address space only.
void withRoomToGrow(std::vector<TodoItem> &items, std::size_t count)
{
    items.reserve(count + count / 4 + 64);
}

// Reads a list of to-dos a slice of about `sliceBytes` at a time, each slice
// copied into one buffer as an array of its own, so that the parser's buffers
// stay the size of a slice. Whole, they would be some thirty megabytes for
// 100,000 to-dos, and touching that much fresh memory is most of a cold start's
// read. A slice ends after a "}" followed by ",{", which may also end a string
// or an inner array: then that slice does not parse, and neither does the list
// here. Each slice that parses is whole elements of the list (the first from
// the list's opening bracket, the last to its end), so when every slice parses
// the list does, with the same to-dos.
std::optional<std::vector<TodoItem>> decodeInSlices(std::string_view json, std::size_t sliceBytes)
{
    // Room for the longest slice there usually is, so that neither is
    // allocated again as slices come.
    const std::size_t room = std::min(json.size(), 2 * sliceBytes) + 2;
    simdjson::dom::parser parser;
    if (parser.allocate(room) != simdjson::SUCCESS)
        return std::nullopt;
    std::string slice;
    slice.reserve(room + simdjson::SIMDJSON_PADDING);
    std::vector<TodoItem> items;
    for (std::size_t start = 0;;) {
        const std::size_t cut =
            json.size() - start > sliceBytes ? json.find("},{", start + sliceBytes) : json.npos;
        const bool last = cut == json.npos;
        const std::string_view part = json.substr(start, last ? json.npos : cut + 1 - start);
        slice.clear();
        if (start > 0)
            slice += '[';
        slice += part;
        if (!last)
            slice += ']';
        const std::size_t length = slice.size();
        slice.resize(length + simdjson::SIMDJSON_PADDING);
        element root;
        simdjson::dom::array elements;
        if (parser.parse(slice.data(), length, false).get(root) != simdjson::SUCCESS ||
            root.get(elements) != simdjson::SUCCESS)
            return std::nullopt;
        if (start == 0)
            withRoomToGrow(items, elements.size() * (json.size() / part.size()));
        for (const element value : elements) {
            if (!readItem(value, items))
                return std::nullopt;
        }
        if (last)
            return items;
        start = cut + 2;
    }
}

} // namespace

std::optional<TodoItem> decodeTodoItem(std::string_view json)
{
    return withDocument(json, 0, [](element root) -> std::optional<TodoItem> {
        std::vector<TodoItem> items;
        if (!readItem(root, items))
            return std::nullopt;
        return std::move(items.front());
    });
}

std::optional<std::vector<TodoItem>>
decodeTodoList(std::string_view json, std::size_t readableAfterEnd, std::size_t sliceBytes)
{
    if (json.size() > sliceBytes) {
        if (auto items = decodeInSlices(withoutByteOrderMark(json), sliceBytes))
            return items;
    }
    return withDocument(json, readableAfterEnd,
                        [](element root) -> std::optional<std::vector<TodoItem>> {
                            simdjson::dom::array elements;
                            if (root.get(elements) != simdjson::SUCCESS)
                                return std::nullopt;
                            std::vector<TodoItem> items;
                            withRoomToGrow(items, elements.size());
                            for (const element value : elements) {
                                if (!readItem(value, items))
                                    return std::nullopt;
                            }
                            return items;
                        });
}
