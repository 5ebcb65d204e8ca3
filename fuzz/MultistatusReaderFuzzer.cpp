// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

// Any server answer either reads as a multistatus or not at all, without a
// crash, leak or hang, and never with a status outside HTTP's range; read as
// a refusal, it gives at most one short line. Read as an answer cut at the
// size limit, a whole answer gives every response it has.

#include <Multistatus.h>
#include <ServerMessage.h>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView answer(reinterpret_cast<const char *>(data), qsizetype(size));
    for (const QByteArrayView type :
         {QByteArrayView("application/xml"), QByteArrayView("text/plain")}) {
        const QString message = serverMessage(answer, type);
        if (message.size() > serverMessageLimit || message.contains(u'\n'))
            std::abort();
    }
    const QByteArray bytes = QByteArray::fromRawData(answer.data(), answer.size());
    const auto cut = readCutMultistatus(bytes);
    for (const DavResponse &response : cut.responses) {
        if (response.status != 0 && (response.status < 100 || response.status > 599))
            std::abort();
    }
    const auto read = readMultistatus(bytes);
    if (read && (cut.cut || read->responses.size() != cut.responses.size()))
        std::abort();
    return 0;
}
