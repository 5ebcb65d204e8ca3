// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <SyncService.h>

#include <QTest>

#include <optional>

// Takes the set-up through to an account on the "Plimsa" list, made when the
// account has none, agreeing to a first sync's counts; the error of the step
// that failed, `network` for one that never answered (30 s each).
inline ServerError setUpSync(SyncService &sync, const QUrl &server, const QString &user,
                             const QString &password)
{
    std::optional<SyncSetupStep> step;
    auto reply = [&](SyncSetupStep answer) { step = std::move(answer); };
    sync.connectAccount(server, user, password, reply);
    for (;;) {
        if (!QTest::qWaitFor([&] { return step.has_value(); }, 30000))
            return ServerError::network;
        const SyncSetupStep now = *std::exchange(step, std::nullopt);
        switch (now.kind) {
        case SyncSetupStep::Kind::failed:
            return now.error;
        case SyncSetupStep::Kind::connected:
            return ServerError::none;
        case SyncSetupStep::Kind::chooseList:
            for (const TaskList &list : now.lists) {
                if (list.name == u"Plimsa")
                    sync.chooseTaskList(list.url, reply);
            }
            break;
        case SyncSetupStep::Kind::offerList:
            sync.createTaskList(reply);
            break;
        case SyncSetupStep::Kind::confirm:
            sync.startFirstSync(reply);
            break;
        }
    }
}
