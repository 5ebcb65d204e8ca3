// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoItemCodingKey.h"
#include "TodoJson.h"

#include <cstring>
#include <nlohmann/json.hpp>

namespace {

using Json = nlohmann::json;

// Builds items straight from the parser's events, without a document tree,
// and stops at the first thing that does not fit.
class TodoItemsHandler : public nlohmann::json_sax<Json> {
public:
    enum class Shape { list, singleItem };

    explicit TodoItemsHandler(Shape shape) : m_itemDepth(shape == Shape::list ? 2 : 1) {}

    std::vector<TodoItem> takeItems() { return std::move(m_items); }

    bool null() override { return scalar(); }
    bool boolean(bool) override { return scalar(); }
    bool number_integer(number_integer_t value) override
    {
        return number(static_cast<double>(value));
    }
    bool number_unsigned(number_unsigned_t value) override
    {
        return number(static_cast<double>(value));
    }
    bool number_float(number_float_t value, const string_t &) override { return number(value); }
    bool binary(binary_t &) override { return false; }

    bool string(string_t &value) override
    {
        if (!isItemMember())
            return isInsideItem();
        switch (*m_key) {
        case TodoItemCodingKey::id:
            m_id = Uuid::fromString(value);
            return m_id.has_value();
        case TodoItemCodingKey::name:
            m_name = std::move(value);
            return true;
        case TodoItemCodingKey::time:
            return false;
        case TodoItemCodingKey::priority:
            m_priority = todoPriorityFromRawValue(value);
            return m_priority.has_value();
        }
        return false;
    }

    bool start_object(std::size_t) override
    {
        if (m_depth == m_itemDepth - 1) {
            m_id.reset();
            m_name.reset();
            m_time.reset();
            m_priority.reset();
        } else if (!isInsideIgnoredMember()) {
            return false;
        }
        ++m_depth;
        return true;
    }

    bool key(string_t &text) override
    {
        if (m_depth == m_itemDepth) {
            m_key = todoItemCodingKeyFromString(text);
            m_keyKnown = m_key.has_value();
        }
        return true;
    }

    bool end_object() override
    {
        if (m_depth-- == m_itemDepth) {
            if (!m_id || !m_name || !m_time || !m_priority)
                return false;
            m_items.emplace_back(std::move(*m_name), *m_time, *m_priority, *m_id);
        }
        return true;
    }

    bool start_array(std::size_t) override
    {
        const bool expectedList = m_depth == 0 && m_itemDepth == 2;
        if (!expectedList && !isInsideIgnoredMember())
            return false;
        ++m_depth;
        return true;
    }

    bool end_array() override
    {
        --m_depth;
        return true;
    }

    bool parse_error(std::size_t, const std::string &, const nlohmann::detail::exception &) override
    {
        return false;
    }

private:
    bool isInsideItem() const { return m_depth >= m_itemDepth; }
    bool isItemMember() const { return m_depth == m_itemDepth && m_keyKnown; }
    // A value nested in a member whose key is not one of ours.
    bool isInsideIgnoredMember() const
    {
        return m_depth > m_itemDepth || (m_depth == m_itemDepth && !m_keyKnown);
    }

    bool scalar() const { return isInsideItem() && !isItemMember(); }

    bool number(double value)
    {
        if (!isItemMember())
            return isInsideItem();
        if (*m_key != TodoItemCodingKey::time)
            return false;
        m_time = value;
        return true;
    }

    const int m_itemDepth;
    int m_depth = 0;
    std::optional<TodoItemCodingKey> m_key;
    bool m_keyKnown = false;
    std::optional<Uuid> m_id;
    std::optional<std::string> m_name;
    std::optional<double> m_time;
    std::optional<TodoPriority> m_priority;
    std::vector<TodoItem> m_items;
};

std::optional<std::vector<TodoItem>> parse(std::string_view json, TodoItemsHandler::Shape shape)
{
    // nlohmann's reader treats a NUL byte as the end of input.
    if (std::memchr(json.data(), '\0', json.size()) != nullptr)
        return std::nullopt;
    TodoItemsHandler handler(shape);
    if (!Json::sax_parse(json.begin(), json.end(), &handler))
        return std::nullopt;
    return handler.takeItems();
}

} // namespace

std::optional<TodoItem> decodeTodoItem(std::string_view json)
{
    auto items = parse(json, TodoItemsHandler::Shape::singleItem);
    if (!items || items->size() != 1)
        return std::nullopt;
    return std::move(items->front());
}

std::optional<std::vector<TodoItem>> decodeTodoList(std::string_view json)
{
    return parse(json, TodoItemsHandler::Shape::list);
}
