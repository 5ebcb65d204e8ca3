// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any input either decodes to whole requests that write back and read again the
// same, or gives no list at all.

#include <PendingRequestsFile.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    const LocalCalendar zone("Europe/Berlin");
    const auto requests = decodePendingRequests(input, zone);
    if (!requests)
        return 0;
    if (decodePendingRequests(encodePendingRequests(*requests), zone) != requests)
        std::abort();
    return 0;
}
