// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncScheduler.h"

#include <QNetworkInformation>

SyncScheduler::SyncScheduler(std::function<void()> start, QObject *parent)
    : QObject(parent), m_start(std::move(start))
{
    m_afterChange.setSingleShot(true);
    m_afterChange.setInterval(changeDelayMilliseconds);
    connect(&m_afterChange, &QTimer::timeout, this, &SyncScheduler::syncNow);
    m_periodic.setInterval(periodMilliseconds);
    connect(&m_periodic, &QTimer::timeout, this, &SyncScheduler::syncNow);
    m_periodic.start();
    if (QNetworkInformation::loadBackendByFeatures(QNetworkInformation::Feature::Reachability)) {
        connect(QNetworkInformation::instance(), &QNetworkInformation::reachabilityChanged, this,
                [this](QNetworkInformation::Reachability reachability) {
                    if (reachability == QNetworkInformation::Reachability::Online)
                        syncNow();
                });
    }
}

void SyncScheduler::localChange()
{
    m_afterChange.start();
}

void SyncScheduler::syncNow()
{
    m_afterChange.stop();
    if (m_syncing) {
        m_again = true;
        return;
    }
    m_syncing = true;
    m_again = false;
    m_periodic.start();
    m_start();
}

void SyncScheduler::finished()
{
    m_syncing = false;
    if (m_again)
        syncNow();
}

void SyncScheduler::setDelaysForTesting(int changeDelay, int period)
{
    m_afterChange.setInterval(changeDelay);
    m_periodic.start(period);
}
