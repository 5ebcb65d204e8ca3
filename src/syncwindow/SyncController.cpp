// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncController.h"

#include "AccountServer.h"
#include "AgentSyncReport.h"
#include "ContentView.h"
#include "UntrustedCertificate.h"

#include <FirstSyncCount.h>
#include <SyncEngine.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr double serverGoneSeconds = 24 * 60 * 60;

SyncSetupStep setupStep(SyncSetupStep::Kind kind, ServerError error = ServerError::none)
{
    SyncSetupStep step;
    step.kind = kind;
    step.error = error;
    return step;
}

} // namespace

SyncController::SyncController(ContentView &view, PasswordStore &passwords, const Clock &clock,
                               QString folder, QObject *parent)
    : SyncService(parent), m_view(view), m_passwords(passwords), m_clock(clock),
      m_folder(std::move(folder))
{
    connect(&m_view, &ContentView::listEdited, this, [this](const TodoListEdit &edit) {
        m_unsent = true;
        if (!m_worker)
            return;
        m_worker->record(edit.saved, edit.removed, [this](bool recorded) {
            if (!recorded)
                setState(State::needsAttention, Attention::files);
        });
        if (m_scheduler)
            m_scheduler->localChange();
    });
    connect(&m_view, &ContentView::listStored, this, [this](quint64 generation) {
        m_storedGeneration = generation;
        markStoredPulls();
    });
}

// The engine's callbacks must not outlive it: a running sync ends first.
SyncController::~SyncController() = default;

void SyncController::start()
{
    m_account = readSyncAccount(m_folder);
    if (!m_account)
        return;
    setState(State::syncing);
    takeAgentReport();
    m_passwords.read(m_account->passwordKey(), [this](std::optional<QString> password) {
        if (!m_account || m_worker)
            return;
        if (!password)
            return setState(State::needsAttention, Attention::signIn);
        run(*password);
    });
}

void SyncController::run(const QString &password)
{
    m_worker = std::make_unique<SyncWorker>(accountServer(*m_account, password), m_folder, m_clock,
                                            [this](const ListChanges &slice) { apply(slice); });
    connect(m_worker.get(), &SyncWorker::progress, this, [this](int taken, int waiting) {
        m_progress = {taken, waiting};
        emit stateChanged();
    });
    m_worker->load([this](bool loaded, std::optional<QString>) {
        if (!loaded) {
            tearDown();
            return setState(State::needsAttention, Attention::files);
        }
        // What changed while no one journaled (or all of the list, the first
        // time); a list that was not read takes back what sync knew.
        m_worker->reconcile(m_view.listSnapshot(), m_view.listWasRead(),
                            [this](std::optional<ListChanges> reconciled) {
                                if (!reconciled)
                                    return setState(State::needsAttention, Attention::files);
                                apply(*reconciled);
                                // Not before: a sync that ran ahead of this
                                // would pull to-dos the reconciled list lacks,
                                // and they would read as removed here.
                                m_scheduler =
                                    std::make_unique<SyncScheduler>([this] { runSync(); });
                                m_scheduler->syncNow();
                            });
    });
}

void SyncController::takeAgentReport()
{
    const std::optional<AgentSyncReport> report = readAgentSyncReport(m_folder);
    if (!report)
        return;
    removeAgentSyncReport(m_folder);
    if (report->lastReached)
        m_lastReached = report->lastReached;
    switch (report->problem) {
    case AgentSyncReport::Problem::none:
        return;
    case AgentSyncReport::Problem::signIn:
        return setState(State::needsAttention, Attention::signIn);
    case AgentSyncReport::Problem::serverGone:
        return setState(State::needsAttention, Attention::serverGone);
    case AgentSyncReport::Problem::confirmRemoval:
        // The window's own sync holds the same removals and names them.
        return;
    case AgentSyncReport::Problem::files:
        return setState(State::needsAttention, Attention::files);
    case AgentSyncReport::Problem::refused:
        return;
    case AgentSyncReport::Problem::listGone:
        return setState(State::needsAttention, Attention::listGone);
    }
}

void SyncController::syncNow()
{
    if (m_scheduler)
        m_scheduler->syncNow();
}

void SyncController::confirmRemoval()
{
    m_allowMassRemoval = true;
    syncNow();
}

void SyncController::keepHeldTodos()
{
    if (!m_worker || m_heldRemovals.empty())
        return;
    m_worker->keepHeldRemovals(std::exchange(m_heldRemovals, {}),
                               [this](std::optional<std::vector<TodoItem>> kept) {
                                   if (!kept)
                                       return setState(State::needsAttention, Attention::files);
                                   ListChanges back;
                                   back.upserts = std::move(*kept);
                                   apply(back);
                                   setState(State::synced);
                                   syncNow();
                               });
}

void SyncController::retryRefused()
{
    if (!m_worker)
        return;
    m_refused.reset();
    m_worker->retrySetAside([this](bool retried) {
        if (!retried)
            return setState(State::needsAttention, Attention::files);
        syncNow();
    });
}

void SyncController::runSync()
{
    if (m_state != State::needsAttention)
        setState(State::syncing);
    const bool allowMassRemoval = std::exchange(m_allowMassRemoval, false);
    m_syncing = true;
    m_sending = std::exchange(m_unsent, false);
    m_worker->sync(allowMassRemoval, [this](SyncOutcome outcome) { finished(std::move(outcome)); });
}

void SyncController::apply(const ListChanges &changes)
{
    SyncedChanges synced;
    synced.changed.reserve(changes.upserts.size());
    for (const TodoItem &item : changes.upserts)
        synced.changed.push_back({item, item.reminderAt()});
    synced.removed = changes.removals;
    m_view.applySyncedChanges(synced);
    if (changes.pullMark > 0)
        m_storedPulls.emplace_back(m_view.generation(), changes.pullMark);
    markStoredPulls();
}

void SyncController::markStoredPulls()
{
    // The engine keeps what a pull brought until the list on disk holds it.
    while (m_worker && !m_storedPulls.empty() &&
           m_storedPulls.front().first <= m_storedGeneration) {
        m_worker->listStored(m_storedPulls.front().second);
        m_storedPulls.erase(m_storedPulls.begin());
    }
}

void SyncController::finished(SyncOutcome outcome)
{
    m_syncing = false;
    if (outcome.status != SyncOutcome::Status::done || !outcome.refused.empty())
        m_unsent = m_unsent || m_sending;
    apply(outcome);
    m_heldRemovals = std::move(outcome.heldRemovals);
    m_removalsHeldHere = outcome.removalsHeldHere;
    m_refused.reset();
    if (!outcome.refused.empty()) {
        const SetAsideChange &first = outcome.refused.front();
        m_refused = RefusedChange{QString::fromStdString(first.change.item.name()), first.message};
    }
    if (outcome.status == SyncOutcome::Status::done || outcome.error != ServerError::network)
        m_lastReached = m_clock.now();
    if (outcome.status == SyncOutcome::Status::needsConfirmation)
        setState(State::needsAttention, Attention::confirmRemoval);
    else if (outcome.status == SyncOutcome::Status::done && m_refused)
        setState(State::needsAttention, Attention::refused);
    else if (outcome.status == SyncOutcome::Status::done)
        setState(State::synced);
    else if (outcome.error == ServerError::unauthorized)
        setState(State::needsAttention, Attention::signIn);
    else if (outcome.error == ServerError::listGone)
        setState(State::needsAttention, Attention::listGone);
    else if (outcome.error == ServerError::none)
        setState(State::needsAttention, Attention::files);
    else if (outcome.error == ServerError::network && m_lastReached &&
             m_clock.now() - *m_lastReached < serverGoneSeconds)
        setState(State::offline);
    else if (outcome.error == ServerError::network && !m_lastReached)
        setState(State::offline);
    else
        setState(State::needsAttention, Attention::serverGone);
    emit syncEnded();
    m_scheduler->finished();
    // Not from inside the engine's own callback, which stopping would destroy.
    if (m_afterSync)
        QMetaObject::invokeMethod(this, std::exchange(m_afterSync, nullptr), Qt::QueuedConnection);
}

void SyncController::setState(State state, Attention attention)
{
    if (state == m_state && attention == m_attention)
        return;
    if (attention != m_attention)
        m_attentionSeen = false;
    m_state = state;
    m_attention = attention;
    emit stateChanged();
}

void SyncController::attentionSeen()
{
    if (std::exchange(m_attentionSeen, true))
        return;
    emit stateChanged();
}

void SyncController::connectAccount(const QUrl &server, const QString &user,
                                    const QString &password, SetupReply done)
{
    cancelSetup();
    auto *client = new CalDavClient(server, user, password, this);
    m_setup = PendingSetup{server, user, password, client, {}, {}, {}};
    client->discover([this, client, done = std::move(done)](ServerResult<AccountLists> found) {
        if (!isSetUpBy(client))
            return;
        if (!found.ok())
            return failSetup(found, done);
        m_setup->home = found.value.home;
        m_setup->passwordOrigins = found.value.passwordOrigins;
        const std::vector<TaskList> &lists = found.value.lists;
        if (m_account && m_account->server == m_setup->server && m_account->user == m_setup->user) {
            for (const TaskList &list : lists) {
                if (list.url == m_account->collection)
                    return chooseTaskList(list.url, done);
            }
        }
        if (lists.size() == 1)
            return chooseTaskList(lists.front().url, done);
        if (lists.empty())
            return done(withHosts(setupStep(SyncSetupStep::Kind::offerList)));
        SyncSetupStep choose = setupStep(SyncSetupStep::Kind::chooseList);
        choose.lists = lists;
        done(withHosts(std::move(choose)));
    });
}

void SyncController::chooseTaskList(const QUrl &list, SetupReply done)
{
    if (!m_setup)
        return;
    m_setup->list = list;
    const bool synced = m_account && m_account->server == m_setup->server &&
                        m_account->user == m_setup->user && m_account->collection == list;
    if (synced || m_view.todoList().empty())
        return adopt(std::move(done));
    CalDavClient *client = m_setup->client;
    client->setCollection(list);
    countFirstSync(*client, client, m_view.todoList(),
                   [this, client, done = std::move(done)](ServerResult<FirstSyncCount> count) {
                       if (!isSetUpBy(client))
                           return;
                       if (!count.ok())
                           return failSetup(count, done);
                       if (count.value.onServer == 0)
                           return adopt(done);
                       SyncSetupStep confirm = setupStep(SyncSetupStep::Kind::confirm);
                       confirm.fromServer = count.value.fromServer;
                       confirm.toServer = count.value.toServer;
                       done(withHosts(std::move(confirm)));
                   });
}

void SyncController::createTaskList(SetupReply done)
{
    if (!m_setup)
        return;
    CalDavClient *client = m_setup->client;
    client->createTaskList(m_setup->home, QStringLiteral("Plimsa"),
                           [this, client, done = std::move(done)](ServerResult<TaskList> made) {
                               if (!isSetUpBy(client))
                                   return;
                               if (!made.ok())
                                   return failSetup(made, done);
                               m_setup->list = made.value.url;
                               adopt(done);
                           });
}

void SyncController::startFirstSync(SetupReply done)
{
    if (m_setup)
        adopt(std::move(done));
}

void SyncController::cancelSetup()
{
    if (m_setup)
        m_setup->client->deleteLater();
    m_setup.reset();
}

bool SyncController::isSetUpBy(const CalDavClient *client) const
{
    return m_setup && m_setup->client == client;
}

template <typename T>
void SyncController::failSetup(const ServerResult<T> &result, const SetupReply &done)
{
    cancelSetup();
    SyncSetupStep failed = setupStep(SyncSetupStep::Kind::failed, result.error);
    failed.message = result.message;
    done(failed);
}

SyncSetupStep SyncController::withHosts(SyncSetupStep step) const
{
    if (m_setup)
        step.passwordHosts = m_setup->client->passwordHosts();
    return step;
}

void SyncController::adopt(SetupReply done)
{
    const SyncAccount account{m_setup->server, m_setup->user, m_setup->list,
                              m_setup->passwordOrigins};
    const QString password = m_setup->password;
    cancelSetup();
    auto keep = [this, account, password, done = std::move(done)] {
        // The server was fine: the button tells that the files are not.
        if (!writeSyncAccount(m_folder, account)) {
            setState(State::needsAttention, Attention::files);
            return done(setupStep(SyncSetupStep::Kind::connected));
        }
        m_account = account;
        m_passwords.store(account.passwordKey(), password, [](bool) {});
        run(password);
        done(setupStep(SyncSetupStep::Kind::connected));
    };
    // Signing in again to the same list keeps what is journaled.
    const bool sameList = m_account && m_account->server == account.server &&
                          m_account->user == account.user &&
                          m_account->collection == account.collection;
    if (sameList && !m_syncing) {
        tearDown();
        keep();
    } else if (m_account) {
        stopSyncing(std::move(keep));
    } else {
        keep();
    }
}

void SyncController::stopSyncing(std::function<void()> done)
{
    if (m_syncing) {
        m_afterSync = [this, done = std::move(done)]() mutable { stopSyncing(std::move(done)); };
        return;
    }
    tearDown();
    const std::optional<SyncAccount> account = std::exchange(m_account, std::nullopt);
    // All but the lock files, which may be held: a new lock file would let
    // another process take one beside its holder.
    const QDir folder(m_folder);
    for (const QFileInfo &entry :
         folder.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot)) {
        if (entry.fileName() == syncOwnerLockName || entry.fileName() == listLockName)
            continue;
        if (entry.isDir() && !entry.isSymLink())
            QDir(entry.filePath()).removeRecursively();
        else
            QFile::remove(entry.filePath());
    }
    QDir().rmdir(m_folder);
    setState(State::noAccount);
    if (!account)
        return done();
    m_passwords.forget(account->passwordKey(), std::move(done));
}

void SyncController::tearDown()
{
    m_scheduler.reset();
    m_worker.reset();
    m_syncing = false;
}

void SyncController::findUntrustedCertificate(const QUrl &server, QObject *context,
                                              std::function<void(std::optional<QString>)> done)
{
    ::findUntrustedCertificate(server, context, std::move(done));
}
