// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either decodes to a whole list that writes back and reads again as
// the same list, or gives no list at all.

#include <TodoJson.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::string_view input(reinterpret_cast<const char *>(data), size);
    const auto list = decodeTodoList(input);
    if (!list)
        return 0;
    const auto written = encodeTodoList(*list);
    if (!written)
        std::abort();
    if (decodeTodoList(*written) != list)
        std::abort();
    return 0;
}
