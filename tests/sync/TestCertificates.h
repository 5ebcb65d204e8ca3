// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QSslCertificate>
#include <QSslKey>

// A certificate authority made for one test, and a certificate it signed for
// 127.0.0.1 and localhost, made with openssl in a temporary folder.
struct TestCertificates {
    QSslCertificate authority;
    QSslCertificate server;
    QSslKey key;

    // False when openssl failed.
    bool make();
};
