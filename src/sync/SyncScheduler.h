// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QObject>
#include <QTimer>

#include <functional>

// When to sync: 2 s after the last local change, every 5 minutes, when the
// network comes back (QNetworkInformation, where the system has a backend)
// and on request (the window opening, a resume, the user). Never two syncs at
// once: a reason that comes while one runs starts one more after it.
//
// Lives on the thread of its owner; never blocks.
class SyncScheduler : public QObject {
    Q_OBJECT
public:
    static constexpr int changeDelayMilliseconds = 2000;
    static constexpr int periodMilliseconds = 5 * 60 * 1000;

    // `start` begins a sync whose end the owner reports with `finished`.
    explicit SyncScheduler(std::function<void()> start, QObject *parent = nullptr);

    void localChange();
    void syncNow();
    void finished();

    bool isSyncing() const { return m_syncing; }
    // Shorter delays, so that a test runs the real timers without waiting.
    void setDelaysForTesting(int changeDelay, int period);

private:
    std::function<void()> m_start;
    QTimer m_afterChange;
    QTimer m_periodic;
    bool m_syncing = false;
    bool m_again = false;
};
