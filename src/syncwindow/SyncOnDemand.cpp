// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncOnDemand.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdio>

SyncOnDemand::SyncOnDemand(ContentView &view, const Clock &clock, QString modulePath,
                           QString folder, QObject *parent)
    : SyncService(parent), m_view(view), m_clock(clock), m_module(std::move(modulePath)),
      m_folder(std::move(folder))
{
    // Unresolved names should fail the load, not a sync hours later.
    m_module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
}

QString SyncOnDemand::standardModulePath()
{
    return QDir::cleanPath(QCoreApplication::applicationDirPath() +
                           QStringLiteral("/" PLIMSA_SYNC_MODULE));
}

SyncService *SyncOnDemand::loaded()
{
    if (m_sync || m_failed)
        return m_sync;
    auto *create = reinterpret_cast<CreateSyncService *>(m_module.resolve("plimsaCreateSyncService"));
    if (!create) {
        m_failed = true;
        std::fprintf(stderr, "plimsa: sync is not available: %s\n",
                     qPrintable(m_module.errorString()));
        return nullptr;
    }
    m_sync = create(m_view, m_clock, m_folder, this);
    connect(m_sync, &SyncService::stateChanged, this, &SyncService::stateChanged);
    connect(m_sync, &SyncService::syncEnded, this, &SyncService::syncEnded);
    return m_sync;
}

void SyncOnDemand::start()
{
    if (m_sync)
        return m_sync->start();
    if (readSyncAccount(m_folder) && loaded())
        m_sync->start();
}

const std::optional<SyncAccount> &SyncOnDemand::account() const
{
    static const std::optional<SyncAccount> none;
    return m_sync ? m_sync->account() : none;
}

SyncService::State SyncOnDemand::state() const
{
    return m_sync ? m_sync->state() : State::noAccount;
}

SyncService::Attention SyncOnDemand::attention() const
{
    return m_sync ? m_sync->attention() : Attention::none;
}

std::pair<int, int> SyncOnDemand::progress() const
{
    return m_sync ? m_sync->progress() : std::pair<int, int>{};
}

SyncService::Attention SyncOnDemand::unseenAttention() const
{
    return m_sync ? m_sync->unseenAttention() : Attention::none;
}

void SyncOnDemand::attentionSeen()
{
    if (m_sync)
        m_sync->attentionSeen();
}

int SyncOnDemand::heldRemovals() const
{
    return m_sync ? m_sync->heldRemovals() : 0;
}

bool SyncOnDemand::removalsHeldHere() const
{
    return m_sync && m_sync->removalsHeldHere();
}

const std::optional<SyncService::RefusedChange> &SyncOnDemand::refusedChange() const
{
    static const std::optional<RefusedChange> none;
    return m_sync ? m_sync->refusedChange() : none;
}

void SyncOnDemand::syncNow()
{
    if (m_sync)
        m_sync->syncNow();
}

void SyncOnDemand::confirmRemoval()
{
    if (m_sync)
        m_sync->confirmRemoval();
}

void SyncOnDemand::keepHeldTodos()
{
    if (m_sync)
        m_sync->keepHeldTodos();
}

void SyncOnDemand::retryRefused()
{
    if (m_sync)
        m_sync->retryRefused();
}

void SyncOnDemand::connectAccount(const QUrl &server, const QString &user,
                                  const QString &password, SetupReply done)
{
    if (SyncService *sync = loaded())
        return sync->connectAccount(server, user, password, std::move(done));
    SyncSetupStep failed;
    failed.error = ServerError::network;
    done(failed);
}

// The later steps come only after connecting, which loaded the module.
void SyncOnDemand::chooseTaskList(const QUrl &list, SetupReply done)
{
    if (m_sync)
        m_sync->chooseTaskList(list, std::move(done));
}

void SyncOnDemand::createTaskList(SetupReply done)
{
    if (m_sync)
        m_sync->createTaskList(std::move(done));
}

void SyncOnDemand::startFirstSync(SetupReply done)
{
    if (m_sync)
        m_sync->startFirstSync(std::move(done));
}

void SyncOnDemand::cancelSetup()
{
    if (m_sync)
        m_sync->cancelSetup();
}

void SyncOnDemand::stopSyncing(std::function<void()> done)
{
    if (m_sync)
        return m_sync->stopSyncing(std::move(done));
    done();
}

void SyncOnDemand::findUntrustedCertificate(const QUrl &server, QObject *context,
                                            std::function<void(std::optional<QString>)> done)
{
    if (SyncService *sync = loaded())
        return sync->findUntrustedCertificate(server, context, std::move(done));
    done(std::nullopt);
}
