// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <QObject>

// Tells when the machine has woken from suspend (systemd-logind's
// PrepareForSleep on the system bus). Without a system bus it stays silent.
class SystemResumeWatcher : public QObject {
    Q_OBJECT

public:
    explicit SystemResumeWatcher(QObject *parent = nullptr);

signals:
    void resumed();

private slots:
    void onPrepareForSleep(bool goingToSleep);
};
