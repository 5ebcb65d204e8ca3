// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncController.h"

#include "ContentView.h"
#include "UntrustedCertificate.h"

#include <FirstSyncCount.h>

#include <QDir>

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
    connect(&m_view, &ContentView::listEdited, this, [this] {
        if (!m_engine)
            return;
        if (!m_engine->listChanged(m_view.todoList()))
            setState(State::needsAttention, Attention::files);
        m_scheduler->localChange();
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
    m_passwords.read(m_account->passwordKey(), [this](std::optional<QString> password) {
        if (!m_account || m_engine)
            return;
        if (!password)
            return setState(State::needsAttention, Attention::signIn);
        run(*password);
    });
}

void SyncController::run(const QString &password)
{
    m_client = std::make_unique<CalDavClient>(m_account->server, m_account->user, password);
    m_client->setCollection(m_account->collection);
    m_engine = std::make_unique<SyncEngine>(*m_client, m_folder, m_clock);
    if (!m_engine->load()) {
        tearDown();
        return setState(State::needsAttention, Attention::files);
    }
    m_engine->progress = [this](int taken, int waiting) {
        m_progress = {taken, waiting};
        emit stateChanged();
    };
    m_engine->writeFailed = [this] { setState(State::needsAttention, Attention::files); };
    m_scheduler = std::make_unique<SyncScheduler>([this] { runSync(); });
    // What changed while sync was off (or all of the list, the first time).
    if (!m_engine->listChanged(m_view.todoList()))
        return setState(State::needsAttention, Attention::files);
    m_scheduler->syncNow();
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
    if (!m_engine || m_heldRemovals.empty())
        return;
    if (!m_engine->keepHeldRemovals(std::exchange(m_heldRemovals, {})))
        return setState(State::needsAttention, Attention::files);
    setState(State::synced);
    syncNow();
}

void SyncController::runSync()
{
    m_progress = {0, static_cast<int>(m_engine->journal().changes().size())};
    if (m_state != State::needsAttention)
        setState(State::syncing);
    const bool allowMassRemoval = std::exchange(m_allowMassRemoval, false);
    m_engine->sync([this](SyncOutcome outcome) { finished(std::move(outcome)); }, allowMassRemoval);
}

void SyncController::finished(SyncOutcome outcome)
{
    SyncedChanges changes;
    changes.changed.reserve(outcome.upserts.size());
    for (const ServerTodo &todo : outcome.upserts)
        changes.changed.push_back({todo.item(), todo.item().reminderAt()});
    changes.removed = std::move(outcome.removals);
    m_view.applySyncedChanges(changes);
    m_heldRemovals = std::move(outcome.heldRemovals);
    if (outcome.status == SyncOutcome::Status::done || outcome.error != ServerError::network)
        m_lastReached = m_clock.now();
    if (outcome.status == SyncOutcome::Status::done)
        setState(State::synced);
    else if (outcome.status == SyncOutcome::Status::needsConfirmation)
        setState(State::needsAttention, Attention::confirmRemoval);
    else if (outcome.error == ServerError::unauthorized)
        setState(State::needsAttention, Attention::signIn);
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
    m_setup = PendingSetup{server, user, password, client, {}, {}};
    client->discover([this, client, done = std::move(done)](ServerResult<AccountLists> found) {
        if (!isSetUpBy(client))
            return;
        if (!found.ok())
            return failSetup(found.error, done);
        m_setup->home = found.value.home;
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
            return done(setupStep(SyncSetupStep::Kind::offerList));
        done({SyncSetupStep::Kind::chooseList, ServerError::none, lists});
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
    countFirstSync(*client, m_view.todoList(),
                   [this, client, done = std::move(done)](ServerResult<FirstSyncCount> count) {
                       if (!isSetUpBy(client))
                           return;
                       if (!count.ok())
                           return failSetup(count.error, done);
                       if (count.value.onServer == 0)
                           return adopt(done);
                       done({SyncSetupStep::Kind::confirm,
                             ServerError::none,
                             {},
                             count.value.fromServer,
                             count.value.toServer});
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
                                   return failSetup(made.error, done);
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

void SyncController::failSetup(ServerError error, const SetupReply &done)
{
    cancelSetup();
    done(setupStep(SyncSetupStep::Kind::failed, error));
}

void SyncController::adopt(SetupReply done)
{
    const SyncAccount account{m_setup->server, m_setup->user, m_setup->list};
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
    if (sameList && !(m_engine && m_engine->isRunning())) {
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
    if (m_engine && m_engine->isRunning()) {
        m_afterSync = [this, done = std::move(done)]() mutable { stopSyncing(std::move(done)); };
        return;
    }
    tearDown();
    const std::optional<SyncAccount> account = std::exchange(m_account, std::nullopt);
    QDir(m_folder).removeRecursively();
    setState(State::noAccount);
    if (!account)
        return done();
    m_passwords.forget(account->passwordKey(), std::move(done));
}

void SyncController::tearDown()
{
    m_scheduler.reset();
    m_engine.reset();
    m_client.reset();
}

void SyncController::findUntrustedCertificate(const QUrl &server, QObject *context,
                                              std::function<void(std::optional<QString>)> done)
{
    ::findUntrustedCertificate(server, context, std::move(done));
}
