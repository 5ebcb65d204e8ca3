// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentSync.h"

#include "SecretServiceLock.h"

#include <AccountServer.h>
#include <NotificationCenter.h>
#include <SystemResumeWatcher.h>

#include <QDBusConnection>
#include <QDir>
#include <QFileInfo>
#include <QNetworkInformation>

namespace {

constexpr double serverGoneSeconds = 24 * 60 * 60;

} // namespace

AgentSync::AgentSync(NotificationCenter &reminders, QString folder, QObject *parent)
    : QObject(parent), m_reminders(reminders), m_folder(std::move(folder)),
      m_owner(QDir(m_folder).filePath(syncOwnerLockName)),
      m_list(QDir(m_folder).filePath(listLockName))
{
    m_period.setSingleShot(true);
    m_period.setTimerType(Qt::VeryCoarseTimer);
    connect(&m_period, &QTimer::timeout, this, &AgentSync::turn);
    QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability);
    if (QNetworkInformation *information = QNetworkInformation::instance()) {
        connect(information, &QNetworkInformation::reachabilityChanged, this,
                [this](QNetworkInformation::Reachability reachability) {
                    if (reachability == QNetworkInformation::Reachability::Online)
                        turn();
                });
    }
    connect(new SystemResumeWatcher(this), &SystemResumeWatcher::resumed, this, &AgentSync::turn);
    // At the agent's start (the login) once the network is up; the network
    // coming back starts the first otherwise.
    QMetaObject::invokeMethod(this, &AgentSync::turn, Qt::QueuedConnection);
}

AgentSync::~AgentSync()
{
    release();
}

bool AgentSync::hasAccount() const
{
    return QFileInfo::exists(QDir(m_folder).filePath(QStringLiteral("account.json")));
}

AgentSyncPolicy::Network AgentSync::network() const
{
    AgentSyncPolicy::Network network;
    // Without a backend Qt knows neither: sync is tried, as the window does.
    if (const QNetworkInformation *information = QNetworkInformation::instance()) {
        network.online = information->reachability() == QNetworkInformation::Reachability::Online ||
                         information->reachability() == QNetworkInformation::Reachability::Unknown;
        network.metered = information->supports(QNetworkInformation::Feature::Metered) &&
                          information->isMetered();
    }
    return network;
}

void AgentSync::release()
{
    ++m_turns;
    m_worker.reset();
    m_owner.release();
    m_inTurn = false;
}

void AgentSync::turn()
{
    if (m_inTurn) {
        m_again = true;
        return;
    }
    m_again = false;
    m_period.start(std::chrono::milliseconds(m_policy.nextPeriod()));
    const std::optional<AgentSyncReport> report = readAgentSyncReport(m_folder);
    m_report = report.value_or(AgentSyncReport{});
    const bool signInRefused = m_report.problem == AgentSyncReport::Problem::signIn;
    if (!hasAccount() || !m_policy.maySync(network(), signInRefused))
        return;
    // A window holds it: the window syncs.
    if (!m_owner.tryTake())
        return;
    m_inTurn = true;
    const std::optional<SyncAccount> account = readSyncAccount(m_folder);
    if (!account || !secretServiceUnlocked(QDBusConnection::sessionBus()))
        return end(std::nullopt);
    m_passwords.read(account->passwordKey(),
                     [this, account = *account, turn = m_turns](std::optional<QString> password) {
                         if (turn != m_turns)
                             return;
                         if (!password)
                             return end(std::nullopt);
                         run(account, *password);
                     });
}

void AgentSync::run(const SyncAccount &account, const QString &password)
{
    const std::optional<AgentTodoList::Read> list = m_list.read();
    if (!list)
        return end(std::nullopt);
    m_worker = std::make_unique<SyncWorker>(accountServer(account, password), m_folder, m_clock);
    auto snapshot = std::make_shared<const std::vector<TodoItem>>(list->items);
    m_worker->load([this, snapshot, wasRead = list->wasRead](bool loaded, std::optional<QString>) {
        if (!loaded) {
            m_report.problem = AgentSyncReport::Problem::files;
            return end(false);
        }
        m_worker->reconcile(snapshot, wasRead, [this](std::optional<ListChanges> reconciled) {
            if (!reconciled) {
                m_report.problem = AgentSyncReport::Problem::files;
                return end(false);
            }
            apply(*reconciled);
            m_worker->sync(false, [this](SyncOutcome outcome) { finished(outcome); });
        });
    });
}

void AgentSync::apply(const ListChanges &changes)
{
    // Until the list holds them, the engine keeps what a pull brought, and a
    // later start brings it again.
    if (m_list.apply(changes, m_reminders, m_clock.now()) && changes.pullMark > 0)
        m_worker->listStored(changes.pullMark);
}

void AgentSync::finished(const SyncOutcome &outcome)
{
    apply(outcome);
    const double now = m_clock.now();
    if (outcome.status == SyncOutcome::Status::done || outcome.error != ServerError::network)
        m_report.lastReached = now;
    using Problem = AgentSyncReport::Problem;
    if (outcome.status == SyncOutcome::Status::needsConfirmation)
        m_report.problem = Problem::confirmRemoval;
    else if (outcome.status == SyncOutcome::Status::done)
        m_report.problem = outcome.refused.empty() ? Problem::none : Problem::refused;
    else if (outcome.error == ServerError::unauthorized)
        m_report.problem = Problem::signIn;
    else if (outcome.error == ServerError::listGone)
        m_report.problem = Problem::listGone;
    else if (outcome.error == ServerError::none)
        m_report.problem = Problem::files;
    else if (outcome.error != ServerError::network)
        m_report.problem = Problem::serverGone;
    // Offline is no problem, until the server has been gone for a day.
    else if (m_report.lastReached && now - *m_report.lastReached >= serverGoneSeconds)
        m_report.problem = Problem::serverGone;
    else
        m_report.problem = Problem::none;
    end(outcome.status != SyncOutcome::Status::failed);
}

void AgentSync::end(std::optional<bool> succeeded)
{
    if (succeeded) {
        if (*succeeded)
            m_policy.succeeded();
        else
            m_policy.failed();
        writeAgentSyncReport(m_folder, m_report);
        m_period.start(std::chrono::milliseconds(m_policy.nextPeriod()));
    }
    // Not from inside the engine's own answer, which this would destroy.
    QMetaObject::invokeMethod(
        this,
        [this, turn = m_turns] {
            if (turn != m_turns)
                return;
            release();
            if (m_again)
                AgentSync::turn();
        },
        Qt::QueuedConnection);
}
