// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"
#include "DateFormatter.h"

#include <QAbstractListModel>

#include <optional>

// The rows of the list: one per entry of the view's `todoList`, in its order.
// Holds no data of its own and follows the view's change signals. A name
// edited in place goes to the view as a rename.
class TodoListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        TimeTextRole = Qt::UserRole + 1,
        PriorityRole, // TodoPriority as int
    };

    explicit TodoListModel(ContentView &view, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    const TodoItem &item(const QModelIndex &index) const;
    // "h:mm a" in the user's locale and time zone, after the day in the
    // locale's short form when that is not today.
    QString timeText(const TodoItem &item) const;

private:
    // A new day may come with a new time zone: times are formatted again in the zone in force.
    void followTimeZone();

    ContentView &m_view;
    // Made on first use: an empty list's window needs none.
    mutable std::optional<DateFormatter> m_timeFormatter;
    mutable std::optional<DateFormatter> m_dayFormatter;
    mutable std::pair<double, double> m_today;
};
