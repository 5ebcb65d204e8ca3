// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either decodes to a whole list that writes back and reads again as
// the same list, or gives no list at all; the same when read in place, and when
// read in slices.

#include <TodoJson.h>

#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto list = decodeTodoList(input, 0, SIZE_MAX);
    if (decodeTodoList(input, 0, 16) != list)
        std::abort();
    // Read in place, with exactly the room the reader asks for after the input.
    std::vector<char> roomy(input.begin(), input.end());
    roomy.resize(size + 64);
    if (decodeTodoList(std::string_view(roomy.data(), size), 64, SIZE_MAX) != list)
        std::abort();
    if (!list)
        return 0;
    const auto written = encodeTodoList(*list);
    if (!written)
        std::abort();
    if (decodeTodoList(*written) != list)
        std::abort();
    return 0;
}
