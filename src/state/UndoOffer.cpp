// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "UndoOffer.h"

#include <algorithm>

namespace {

constexpr int undoSeconds = 10;

} // namespace

UndoOffer::UndoOffer(QObject *parent) : QObject(parent)
{
    m_expiry.setSingleShot(true);
    m_expiry.setInterval(undoSeconds * 1000);
    connect(&m_expiry, &QTimer::timeout, this, &UndoOffer::dismiss);
}

void UndoOffer::offerDeletion(std::vector<std::pair<int, TodoItem>> deleted)
{
    dropChange();
    m_deletion = std::move(deleted);
    m_expiry.start();
    emit deletionChanged();
}

void UndoOffer::offerChange(TodoItem before)
{
    offer(std::move(before), false, std::nullopt);
}

void UndoOffer::offerCompletion(TodoItem before, std::optional<Uuid> doneRecord)
{
    offer(std::move(before), true, doneRecord);
}

void UndoOffer::offer(TodoItem before, bool completed, std::optional<Uuid> doneRecord)
{
    if (!m_deletion.empty()) {
        m_deletion.clear();
        emit deletionChanged();
    }
    m_change = std::move(before);
    m_changeCompleted = completed;
    m_doneRecord = doneRecord;
    m_expiry.start();
    emit changeChanged();
}

std::vector<std::pair<int, TodoItem>> UndoOffer::takeDeletion()
{
    if (m_deletion.empty())
        return {};
    auto deleted = std::exchange(m_deletion, {});
    m_expiry.stop();
    emit deletionChanged();
    return deleted;
}

std::optional<TodoItem> UndoOffer::takeChange()
{
    if (!m_change)
        return std::nullopt;
    std::optional<TodoItem> before = std::exchange(m_change, std::nullopt);
    m_expiry.stop();
    emit changeChanged();
    return before;
}

void UndoOffer::dismiss()
{
    m_expiry.stop();
    dropChange();
    if (m_deletion.empty())
        return;
    m_deletion.clear();
    emit deletionChanged();
}

void UndoOffer::dropChange()
{
    if (!m_change)
        return;
    m_change.reset();
    emit changeChanged();
}

int UndoOffer::millisecondsToUndoForTesting() const
{
    return m_expiry.isActive() ? m_expiry.interval() : -1;
}

void UndoOffer::dismissIfAbout(const std::unordered_set<Uuid, UuidHash> &ids)
{
    const bool about = (m_change && ids.contains(m_change->id())) ||
                       std::ranges::any_of(m_deletion, [&](const auto &deleted) {
                           return ids.contains(deleted.second.id());
                       });
    if (about)
        dismiss();
}
