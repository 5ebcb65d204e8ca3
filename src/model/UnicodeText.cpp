// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "UnicodeText.h"

#include <unicode/normalizer2.h>
#include <unicode/unistr.h>

namespace {

icu::UnicodeString nfc(const icu::Normalizer2 &normalizer, std::string_view text)
{
    const icu::UnicodeString original = icu::UnicodeString::fromUTF8(
        icu::StringPiece(text.data(), static_cast<int32_t>(text.size())));
    UErrorCode status = U_ZERO_ERROR;
    icu::UnicodeString normalized = normalizer.normalize(original, status);
    return U_SUCCESS(status) ? normalized : original;
}

} // namespace

bool canonicallyEqual(std::string_view a, std::string_view b)
{
    if (a == b)
        return true;
    UErrorCode status = U_ZERO_ERROR;
    const icu::Normalizer2 *normalizer = icu::Normalizer2::getNFCInstance(status);
    if (U_FAILURE(status))
        return false;
    return nfc(*normalizer, a) == nfc(*normalizer, b);
}
