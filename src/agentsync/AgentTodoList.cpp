// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AgentTodoList.h"

#include <ReminderScheduler.h>
#include <SyncedChangesPlan.h>
#include <TodoJson.h>
#include <XdgDirectories.h>

#include <QScopeGuard>

AgentTodoList::AgentTodoList(const QString &lockPath, QString path)
    : m_file(std::move(path)), m_lock(lockPath)
{
}

QString AgentTodoList::standardPath()
{
    return XdgDirectories::configHome() + QStringLiteral("/plimsa/TodoList");
}

std::optional<AgentTodoList::Read> AgentTodoList::read()
{
    const std::optional<QByteArray> bytes = m_file.read();
    if (!bytes)
        return m_file.isHeldBack() ? std::nullopt : std::optional<Read>(Read{});
    std::optional<std::vector<TodoItem>> items =
        decodeTodoList(std::string_view(bytes->constData(), std::size_t(bytes->size())),
                       std::size_t(bytes->capacity() - bytes->size()));
    if (!items)
        return std::nullopt;
    return Read{std::move(*items), true};
}

bool AgentTodoList::apply(const ListChanges &changes, NotificationCenter &reminders, double now)
{
    if (changes.empty())
        return true;
    m_lock.take();
    const auto releaseLock = qScopeGuard([this] { m_lock.release(); });
    const std::optional<Read> stored = read();
    if (!stored)
        return false;
    SyncedChanges synced;
    for (const TodoItem &item : changes.upserts)
        synced.changed.push_back({item, item.reminderAt()});
    synced.removed = changes.removals;
    const SyncedChangesPlan plan(stored->items, synced, now);
    if (plan.changesList()) {
        // Withdrawn first: a kill before the list is written leaves the pull
        // to be applied again, never a reminder for a to-do that is gone.
        if (!plan.withdrawn.isEmpty())
            reminders.removePendingRequests(plan.withdrawn);
        ListChanges applied;
        applied.upserts = plan.changed;
        applied.removals = plan.removed;
        const std::optional<std::string> json =
            encodeTodoList(appliedChanges(stored->items, applied));
        if (!json || !m_file.write(QByteArrayView(json->data(), qsizetype(json->size()))))
            return false;
    }
    // Once the to-dos are on disk, as the window does.
    std::vector<PendingChange> added;
    for (const auto &[item, at] : plan.scheduled)
        added.push_back({PendingChange::Kind::add, ReminderScheduler::requestFor(item, at), {}});
    if (!added.empty())
        reminders.applyChanges(added);
    return true;
}
