// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <functional>
#include <optional>

// The password of a sync account: in the Secret Service through QtKeychain,
// never in a file. Without a Secret Service it is kept in memory for this
// session only, so the user is asked again next time.
//
// Every call returns at once and answers later on the caller's thread.
class PasswordStore : public QObject {
    Q_OBJECT
public:
    explicit PasswordStore(QObject *parent = nullptr);

    // Answers whether the password went into the Secret Service (false: kept
    // in memory only).
    void store(const QString &account, const QString &password,
               std::function<void(bool kept)> done);
    // None when neither the Secret Service nor this session has it.
    void read(const QString &account, std::function<void(std::optional<QString>)> done);
    void forget(const QString &account, std::function<void()> done);

private:
    QHash<QString, QString> m_session;
};
