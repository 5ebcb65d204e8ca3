// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <array>
#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>

// A 128-bit universally unique identifier, the identity of a to-do.
// Its text form is the canonical 8-4-4-4-12 hexadecimal form, upper-case.
class Uuid {
public:
    using Bytes = std::array<std::uint8_t, 16>;

    explicit constexpr Uuid(const Bytes &bytes) : m_bytes(bytes) {}

    // A fresh random version-4 UUID from the system's random source.
    static Uuid random();

    // Parses the 36-character canonical form; hexadecimal digits may be in either case.
    static std::optional<Uuid> fromString(std::string_view text);

    std::string uuidString() const;
    const Bytes &bytes() const { return m_bytes; }

    friend bool operator==(const Uuid &, const Uuid &) = default;

private:
    Bytes m_bytes;
};

// For hashed containers of ids, without formatting them as text.
struct UuidHash {
    std::size_t operator()(const Uuid &id) const
    {
        // Random or name-derived: any eight of its bytes spread well.
        std::size_t hash;
        std::memcpy(&hash, id.bytes().data(), sizeof hash);
        return hash;
    }
};
