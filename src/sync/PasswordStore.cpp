// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "PasswordStore.h"

#include <qt6keychain/keychain.h>

namespace {

const QString service = QStringLiteral("org.plimsa.Plimsa");

// QtKeychain's own fallback writes the secret to a settings file: never.
template <typename Job> Job *newJob(QObject *parent, const QString &account)
{
    auto *job = new Job(service, parent);
    job->setInsecureFallback(false);
    job->setAutoDelete(true);
    job->setKey(account);
    return job;
}

} // namespace

PasswordStore::PasswordStore(QObject *parent) : QObject(parent) {}

void PasswordStore::store(const QString &account, const QString &password,
                          std::function<void(bool)> done)
{
    m_session.insert(account, password);
    auto *job = newJob<QKeychain::WritePasswordJob>(this, account);
    job->setTextData(password);
    connect(job, &QKeychain::Job::finished, this, [done = std::move(done)](QKeychain::Job *job) {
        done(job->error() == QKeychain::NoError);
    });
    job->start();
}

void PasswordStore::read(const QString &account, std::function<void(std::optional<QString>)> done)
{
    auto *job = newJob<QKeychain::ReadPasswordJob>(this, account);
    connect(job, &QKeychain::Job::finished, this,
            [this, account, done = std::move(done)](QKeychain::Job *finished) {
                auto *job = static_cast<QKeychain::ReadPasswordJob *>(finished);
                if (job->error() == QKeychain::NoError)
                    done(job->textData());
                else if (m_session.contains(account))
                    done(m_session.value(account));
                else
                    done(std::nullopt);
            });
    job->start();
}

void PasswordStore::forget(const QString &account, std::function<void()> done)
{
    m_session.remove(account);
    auto *job = newJob<QKeychain::DeletePasswordJob>(this, account);
    connect(job, &QKeychain::Job::finished, this, [done = std::move(done)] { done(); });
    job->start();
}
