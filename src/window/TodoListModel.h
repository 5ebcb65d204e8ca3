// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include "ContentView.h"
#include "DateFormatter.h"
#include "DoneOrder.h"
#include "OpenOffsets.h"
#include "RepeatWords.h"

#include <QAbstractListModel>

#include <functional>
#include <optional>

// The rows of the list: the open to-dos in the order of the view's `todoList`;
// then, when any is done, a row "Completed (N)" that shows or hides the done
// ones below it, newest first. Holds no to-do of its own: it maps rows to
// offsets in the list (OpenOffsets, DoneOrder) and follows the view's change
// signals. A name edited in place goes to the view as a rename, a tick as a
// completion or a reopening, the expander row's value as whether done to-dos
// are shown.
class TodoListModel : public QAbstractListModel {
    Q_OBJECT

public:
    enum Role {
        // "h:mm a", or when done, "Done" and when.
        TimeTextRole = Qt::UserRole + 1,
        PriorityRole, // TodoPriority as int
        // The to-do's offset in the list; none on the expander row.
        OffsetRole,
        // On the expander row only: whether the done to-dos are shown.
        ExpandedRole,
        // Whether an open to-do repeats.
        RepeatsRole,
    };

    explicit TodoListModel(ContentView &view, QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;

    // The to-do's offset in the list; none for the expander row.
    std::optional<int> offsetOf(const QModelIndex &index) const;
    // The row of the to-do at `offset`; invalid while it is hidden.
    QModelIndex indexOf(int offset) const;
    // The row "Completed (N)"; invalid while none is done.
    QModelIndex expanderIndex() const;
    int completedCount() const { return m_done.count(); }
    // The to-do of a to-do row.
    const TodoItem &item(const QModelIndex &index) const;
    // "h:mm a" in the user's locale and time zone, after the day in the
    // locale's short form when that is not today.
    QString timeText(double instant) const;

private:
    // What a row shows: a to-do at an offset, or the expander (no offset).
    std::optional<int> offsetAt(int row) const;
    int expanderRow() const { return m_open.count(); }
    int doneRow(int place) const { return m_open.count() + 1 + place; }
    const TodoItem &todoAt(int offset) const
    {
        return m_view.todoList()[static_cast<std::size_t>(offset)];
    }

    void reset();
    void appended();
    void aboutToRemove(int first, int last);
    void removed();
    void aboutToRemoveAt(const QList<int> &ascending);
    void removedAt();
    void inserted(int first, int last);
    void aboutToChange(int offset);
    void changed(int offset);
    void changedTogether();
    void showCompleted();

    void addOpen(int first, int last);
    void removeOpen(int first, int last);
    void addDone(std::vector<DoneOrder::Entry> entries);
    void removeDone(std::vector<int> places);
    // Every done row out and in again, for changes in many places at once.
    void redoDoneRows(const std::function<void()> &change);
    void expanderChanged();
    void layOutAgain();

    // A new day may come with a new time zone: times are formatted again in the zone in force.
    void followTimeZone();

    ContentView &m_view;
    OpenOffsets m_open;
    DoneOrder m_done;
    // Whether the done rows are in the model, as the view had it when told.
    bool m_shown = false;
    // Between the view's about-to signals and the change.
    std::optional<std::pair<int, int>> m_removing;
    QList<int> m_removingAt;
    std::optional<std::pair<int, int>> m_inserting;
    struct Changing {
        int offset;
        std::optional<double> doneAt; // none when it was open
    };
    std::optional<Changing> m_changing;
    // While the view changes many to-dos together: those changed in their
    // rows, and those that moved between open and done (with when they were
    // done before), which leave their rows and come to their new ones once
    // all came, each side at once.
    struct Together {
        std::vector<int> inPlace;
        std::vector<Changing> moved;
    };
    std::optional<Together> m_together;
    void moveTogether(const std::vector<Changing> &moved);
    // Made on first use: an empty list's window needs none.
    mutable std::optional<DateFormatter> m_timeFormatter;
    mutable std::optional<DateFormatter> m_dayFormatter;
    mutable std::pair<double, double> m_today;
    RepeatWords m_repeatWords;
};
