// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

// The per-user preferences store: byte values under text keys, kept across runs.
class Preferences {
public:
    virtual ~Preferences() = default;

    // The user's own store, in $XDG_CONFIG_HOME/plimsa/ (~/.config/plimsa/).
    static Preferences &standard();

    // The value under `key`, or none when there is no readable value. Blocks on file I/O.
    virtual std::optional<QByteArray> data(const QString &key) const = 0;
    // Changes whenever the value under `key` is replaced or removed, so that a
    // value read earlier can be known to be current. Empty when there is none.
    virtual QByteArray revision(const QString &key) const = 0;
    // Replaces the value under `key`; false when it could not be kept, in which
    // case the earlier value stays. Blocks until the value is on disk.
    virtual bool setData(const QString &key, QByteArrayView value) = 0;
    // For a `value` read under `key` that its reader cannot decode: keeps a copy
    // of it beside the key before anything can overwrite it. When no copy can be
    // made, false: the value stays, and `setData` refuses to replace it.
    virtual bool keepUnreadable(const QString &key, QByteArrayView value) = 0;
};
