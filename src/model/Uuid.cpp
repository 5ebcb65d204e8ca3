// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "Uuid.h"

#include <uuid/uuid.h>

namespace {

constexpr std::size_t textLength = 36;

constexpr std::uint8_t notHex = 0x10;

// Values of hexadecimal digits in either case; `notHex` for any other byte.
constexpr std::array<std::uint8_t, 256> hexValues = [] {
    std::array<std::uint8_t, 256> values{};
    values.fill(notHex);
    for (int digit = 0; digit < 10; ++digit)
        values['0' + digit] = static_cast<std::uint8_t>(digit);
    for (int letter = 0; letter < 6; ++letter) {
        values['A' + letter] = static_cast<std::uint8_t>(10 + letter);
        values['a' + letter] = static_cast<std::uint8_t>(10 + letter);
    }
    return values;
}();

} // namespace

Uuid Uuid::random()
{
    Bytes bytes;
    uuid_generate_random(bytes.data());
    return Uuid(bytes);
}

std::optional<Uuid> Uuid::fromString(std::string_view text)
{
    if (text.size() != textLength || text[8] != '-' || text[13] != '-' || text[18] != '-' ||
        text[23] != '-')
        return std::nullopt;
    // Lists of many to-dos read one of these per item: no branch per digit.
    Bytes bytes;
    std::size_t byte = 0;
    std::uint8_t seen = 0;
    const auto readGroup = [&](std::size_t begin, std::size_t byteCount) {
        for (std::size_t i = begin; i < begin + 2 * byteCount; i += 2) {
            const std::uint8_t high = hexValues[static_cast<unsigned char>(text[i])];
            const std::uint8_t low = hexValues[static_cast<unsigned char>(text[i + 1])];
            seen |= high | low;
            bytes[byte++] = static_cast<std::uint8_t>(high << 4 | low);
        }
    };
    readGroup(0, 4);
    readGroup(9, 2);
    readGroup(14, 2);
    readGroup(19, 2);
    readGroup(24, 6);
    if (seen & notHex)
        return std::nullopt;
    return Uuid(bytes);
}

std::string Uuid::uuidString() const
{
    char text[textLength + 1];
    uuid_unparse_upper(m_bytes.data(), text);
    return std::string(text, textLength);
}
