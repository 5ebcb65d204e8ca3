// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncOnDemand.h"

#include "ContentView.h"

#include <ReminderAgentProtocol.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDir>
#include <QFileInfo>
#include <QPointer>

#include <cstdio>

SyncOnDemand::SyncOnDemand(ContentView &view, const Clock &clock, QString modulePath,
                           QString folder, QObject *parent)
    : SyncService(parent), m_view(view), m_clock(clock), m_module(std::move(modulePath)),
      m_folder(std::move(folder)), m_owner(QDir(m_folder).filePath(syncOwnerLockName))
{
    // Unresolved names should fail the load, not a sync hours later.
    m_module.setLoadHints(QLibrary::ResolveAllSymbolsHint);
    m_takeOverAgain.setInterval(1000);
    m_takeOverAgain.setSingleShot(true);
    connect(&m_takeOverAgain, &QTimer::timeout, this, &SyncOnDemand::takeOver);
    if (QFileInfo::exists(QDir(m_folder).filePath(QStringLiteral("account.json"))))
        m_view.shareList([self = QPointer(this)] { return self && self->takeOverNow(); },
                         QDir(m_folder).filePath(listLockName));
}

SyncOnDemand::~SyncOnDemand()
{
    const bool unsent = m_sync && m_sync->hasUnsentChanges();
    // Never taken over: the agent, asked to let go, may have stopped a sync,
    // and the list may hold changes saved here meanwhile.
    const bool leftToAgent =
        !m_owner.isHeld() &&
        QFileInfo::exists(QDir(m_folder).filePath(QStringLiteral("account.json")));
    // The engine ends before the claim goes, and the claim before the agent
    // is asked to send what this window left.
    delete std::exchange(m_sync, nullptr);
    m_owner.release();
    if (!unsent && !leftToAgent)
        return;
    QDBusMessage call =
        QDBusMessage::createMethodCall(reminderAgent::service, reminderAgent::path,
                                       reminderAgent::interface, QStringLiteral("SyncNow"));
    // The bus holds the call once sent: an agent that answers late, or is
    // started for it, still gets it, and closing does not wait for that.
    QDBusConnection::sessionBus().call(call, QDBus::Block, 1000);
}

namespace {

QDBusMessage releaseSyncCall()
{
    QDBusMessage call =
        QDBusMessage::createMethodCall(reminderAgent::service, reminderAgent::path,
                                       reminderAgent::interface, QStringLiteral("ReleaseSync"));
    // An agent that is not running holds nothing: none is started for this.
    call.setAutoStartService(false);
    return call;
}

} // namespace

void SyncOnDemand::takeOver()
{
    if (m_owner.tryTake())
        return tookOver();
    auto *watcher = new QDBusPendingCallWatcher(
        QDBusConnection::sessionBus().asyncCall(releaseSyncCall(), 5000), this);
    connect(watcher, &QDBusPendingCallWatcher::finished, this, [this, watcher] {
        watcher->deleteLater();
        if (m_owner.tryTake())
            return tookOver();
        // Another owner that does not let go (a window of another session
        // sharing this home): sync waits for it.
        m_takeOverAgain.start();
    });
}

bool SyncOnDemand::takeOverNow()
{
    if (m_owner.tryTake())
        return true;
    QDBusConnection::sessionBus().call(releaseSyncCall(), QDBus::Block, 3000);
    return m_owner.tryTake();
}

void SyncOnDemand::tookOver()
{
    m_view.catchUpWithDisk();
    if (readSyncAccount(m_folder) && loaded())
        m_sync->start();
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
    auto *create =
        reinterpret_cast<CreateSyncService *>(m_module.resolve("plimsaCreateSyncService"));
    if (!create) {
        m_failed = true;
        m_view.catchUpWithDisk();
        std::fprintf(stderr, "plimsa: sync is not available: %s\n",
                     qPrintable(m_module.errorString()));
        return nullptr;
    }
    // Set-up makes an account here: the agent has none to sync meanwhile.
    m_owner.tryTake();
    m_sync = create(m_view, m_clock, m_folder, this);
    connect(m_sync, &SyncService::stateChanged, this, &SyncService::stateChanged);
    connect(m_sync, &SyncService::syncEnded, this, &SyncService::syncEnded);
    return m_sync;
}

void SyncOnDemand::start()
{
    if (m_sync)
        return m_sync->start();
    if (readSyncAccount(m_folder))
        return takeOver();
    m_view.catchUpWithDisk();
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

bool SyncOnDemand::hasUnsentChanges() const
{
    return m_sync && m_sync->hasUnsentChanges();
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

void SyncOnDemand::connectAccount(const QUrl &server, const QString &user, const QString &password,
                                  SetupReply done)
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
