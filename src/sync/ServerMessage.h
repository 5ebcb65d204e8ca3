// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArrayView>
#include <QString>

// What a server says when it refuses a request, as one short line of plain
// text that the set-up and the attention line can show: the <message> of a
// WebDAV <error> body (as SabreDAV and Nextcloud send it), else the names or
// texts of the error's conditions, else a text/plain body. Never markup.
//
// Empty for any other body, for XML that is not well-formed, and for XML with
// a DTD, so that no entity is ever expanded.
QString serverMessage(QByteArrayView body, QByteArrayView contentType);

// The longest message, in UTF-16 code units, an ellipsis included.
inline constexpr qsizetype serverMessageLimit = 300;
