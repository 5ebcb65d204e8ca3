// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any server answer either reads as a multistatus or not at all, without a
// crash, leak or hang, and never with a status outside HTTP's range.

#include <Multistatus.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const auto read =
        readMultistatus(QByteArrayView(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (!read)
        return 0;
    for (const DavResponse &response : read->responses) {
        if (response.status != 0 && (response.status < 100 || response.status > 599))
            std::abort();
    }
    return 0;
}
