// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QString>

#include <memory>

#include <unicode/uversion.h>

U_NAMESPACE_BEGIN
class SimpleDateFormat;
U_NAMESPACE_END

// Formats instants with a UTS #35 pattern ("h:mm a") in the user's locale for
// dates and times and in the user's time zone, both as they are when it is made.
class DateFormatter {
public:
    explicit DateFormatter(const QString &pattern);
    ~DateFormatter();
    DateFormatter(DateFormatter &&) noexcept;
    DateFormatter &operator=(DateFormatter &&) noexcept;

    QString format(double instant) const;

private:
    std::unique_ptr<icu::SimpleDateFormat> m_format;
};

// The locale for date and time texts: LC_ALL, else LC_TIME, else LANG, as the
// C library would pick it (ICU itself ignores LC_TIME).
QByteArray userTimeLocaleName();
