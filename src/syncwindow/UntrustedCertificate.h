// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QObject>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

// Which certificate an HTTPS server shows that Qt does not trust, so that a
// refused connection can name it: its SHA-256 fingerprint, or none when the
// server cannot be reached or its certificate is trusted. Only looks: the
// certificate is never accepted. `done` is called once, unless `context` goes.
void findUntrustedCertificate(const QUrl &server, QObject *context,
                              std::function<void(std::optional<QString>)> done);
