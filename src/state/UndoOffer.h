// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <TodoItem.h>

#include <QObject>
#include <QTimer>

#include <optional>
#include <unordered_set>
#include <utility>
#include <vector>

// The offer to undo the last deletion or the last change of a to-do (an edit,
// or a tick): one at a time, each taking the place of the other, for ten
// seconds after it is made. Lives on the UI thread.
class UndoOffer : public QObject {
    Q_OBJECT

public:
    explicit UndoOffer(QObject *parent = nullptr);

    // The deleted to-dos, each with its offset before the deletion.
    const std::vector<std::pair<int, TodoItem>> &deletion() const { return m_deletion; }
    // The to-do as it was before the change.
    const std::optional<TodoItem> &change() const { return m_change; }
    // Whether that change ticked the to-do off.
    bool changeCompleted() const { return m_change && m_changeCompleted; }
    // The done record that ticking a repeating to-do off added.
    std::optional<Uuid> changeDoneRecord() const { return m_change ? m_doneRecord : std::nullopt; }

    void offerDeletion(std::vector<std::pair<int, TodoItem>> deleted);
    void offerChange(TodoItem before);
    // A tick; of a repeating to-do, with the done record it added.
    void offerCompletion(TodoItem before, std::optional<Uuid> doneRecord = std::nullopt);
    // What the offer brings back, which is then offered no more; empty when
    // there is no such offer.
    std::vector<std::pair<int, TodoItem>> takeDeletion();
    std::optional<TodoItem> takeChange();

    // The offer lapses.
    void dismiss();
    // The offer lapses when it would bring back one of these to-dos, which
    // changed elsewhere since.
    void dismissIfAbout(const std::unordered_set<Uuid, UuidHash> &ids);
    // Only a change's offer lapses.
    void dropChange();

    // How long the offer lasts once made; negative when there is none.
    int millisecondsToUndoForTesting() const;

signals:
    // A new deletion to undo, or none any more.
    void deletionChanged();
    // A new change to undo, or none any more.
    void changeChanged();

private:
    void offer(TodoItem before, bool completed, std::optional<Uuid> doneRecord);

    std::vector<std::pair<int, TodoItem>> m_deletion;
    std::optional<TodoItem> m_change;
    bool m_changeCompleted = false;
    std::optional<Uuid> m_doneRecord;
    QTimer m_expiry;
};
