// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentView.h"

#include "ChangesOnDisk.h"

void ContentView::shareList(std::function<bool()> takeOver, const QString &listLockPath)
{
    m_takeOver = std::move(takeOver);
    m_listLock = std::make_unique<OwnerLock>(listLockPath);
    m_list.holdSaves();
    m_asRead = m_list.snapshot();
    m_sharedSave.setSingleShot(true);
    m_sharedSave.setInterval(1000);
    disconnect(&m_sharedSave, nullptr, this, nullptr);
    connect(&m_sharedSave, &QTimer::timeout, this,
            [this] { saveMerged([this] { return m_list.saveNow(); }); });
}

void ContentView::catchUpWithDisk()
{
    if (!m_list.savesHeld())
        return;
    takeInChangesOnDisk();
    m_asRead = nullptr;
    m_takeOver = nullptr;
    m_sharedSave.stop();
    m_list.releaseSaves();
}

bool ContentView::saveShared(const std::function<bool()> &save)
{
    if (!m_list.savesHeld())
        return save();
    if (m_takeOver && std::exchange(m_takeOver, nullptr)()) {
        catchUpWithDisk();
        return save();
    }
    return saveMerged(save);
}

bool ContentView::saveMerged(const std::function<bool()> &save)
{
    if (!m_list.savesHeld())
        return save();
    m_sharedSave.stop();
    // Without the lock (a folder that cannot hold one) the merge still keeps
    // all but a write in the same instant.
    m_listLock->take();
    takeInChangesOnDisk();
    const bool saved = save();
    if (saved)
        m_asRead = m_list.snapshot();
    m_listLock->release();
    return saved;
}

void ContentView::takeInChangesOnDisk()
{
    if (!m_asRead || !m_list.changedSinceRead())
        return;
    std::optional<std::vector<TodoItem>> stored = m_list.read();
    if (!stored)
        return;
    const std::shared_ptr<const std::vector<TodoItem>> asRead =
        std::exchange(m_asRead, std::make_shared<const std::vector<TodoItem>>(std::move(*stored)));
    applySyncedChanges(changesOnDisk(*asRead, *m_asRead, m_list.items()));
}
