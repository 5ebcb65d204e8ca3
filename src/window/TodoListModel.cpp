// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListModel.h"

#include <OffsetRuns.h>

#include <algorithm>

namespace {

// Enough for any name a person types; a pasted megabyte would take seconds to lay
// out in every paint. The stored name and its reminder keep every character.
constexpr qsizetype longestShownName = 2000;

// Done rows that change in more places than this at once leave and come back
// as one block: moving each in turn would take as long as the list squared.
constexpr std::size_t manyPlaces = 16;

QString shownName(const std::string &name)
{
    // A UTF-16 unit takes at most 4 bytes of UTF-8, so this prefix holds enough.
    const std::size_t enoughBytes = 4 * static_cast<std::size_t>(longestShownName) + 4;
    QString text =
        QString::fromUtf8(name.data(), static_cast<qsizetype>(std::min(name.size(), enoughBytes)));
    if (text.size() <= longestShownName)
        return text;
    qsizetype cut = longestShownName;
    if (text.at(cut - 1).isHighSurrogate())
        --cut;
    text.truncate(cut);
    return text + QChar(0x2026);
}

// Text layout breaks lines only at U+2028: a name's own line breaks become that.
QString withLineSeparators(QString text)
{
    text.replace(QLatin1String("\r\n"), QChar(QChar::LineSeparator));
    for (const char16_t breakCharacter : {u'\n', u'\r', u'\v', u'\f', u'\u0085', u'\u2029'})
        text.replace(QChar(breakCharacter), QChar(QChar::LineSeparator));
    return text;
}

} // namespace

TodoListModel::TodoListModel(ContentView &view, QObject *parent)
    : QAbstractListModel(parent), m_view(view), m_repeatWords(view)
{
    connect(&view, &ContentView::todoListAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&view, &ContentView::todoListReset, this, [this] {
        reset();
        endResetModel();
    });
    connect(&view, &ContentView::todoAppended, this, &TodoListModel::appended);
    connect(&view, &ContentView::todosAboutToBeRemoved, this, &TodoListModel::aboutToRemove);
    connect(&view, &ContentView::todosRemoved, this, &TodoListModel::removed);
    connect(&view, &ContentView::todosAboutToBeRemovedAt, this, &TodoListModel::aboutToRemoveAt);
    connect(&view, &ContentView::todosRemovedAt, this, &TodoListModel::removedAt);
    connect(&view, &ContentView::todosAboutToBeInserted, this, [this](int first, int last) {
        m_inserting = {first, last};
    });
    connect(&view, &ContentView::todosInserted, this, [this] {
        const auto [first, last] = *std::exchange(m_inserting, std::nullopt);
        inserted(first, last);
    });
    connect(&view, &ContentView::todoAboutToChange, this, &TodoListModel::aboutToChange);
    connect(&view, &ContentView::todoChanged, this, &TodoListModel::changed);
    connect(&view, &ContentView::todosAboutToChangeTogether, this,
            [this] { m_together.emplace(); });
    connect(&view, &ContentView::todosChangedTogether, this, &TodoListModel::changedTogether);
    connect(&view, &ContentView::completedShownChanged, this, &TodoListModel::showCompleted);
    connect(&view, &ContentView::currentDateChanged, this, &TodoListModel::followTimeZone);
    reset();
}

void TodoListModel::reset()
{
    const std::vector<TodoItem> &list = m_view.todoList();
    std::vector<std::uint8_t> open(list.size());
    std::vector<DoneOrder::Entry> done;
    for (std::size_t offset = 0; offset < list.size(); ++offset) {
        if (const std::optional<double> at = list[offset].completed())
            done.push_back({*at, static_cast<int>(offset)});
        else
            open[offset] = 1;
    }
    m_open.reset(std::move(open));
    m_done.reset(std::move(done));
    m_shown = m_done.count() > 0 && m_view.completedShown();
}

void TodoListModel::appended()
{
    const int offset = static_cast<int>(m_view.todoList().size()) - 1;
    if (const std::optional<double> at = todoAt(offset).completed()) {
        m_open.append(false);
        addDone({{*at, offset}});
        return;
    }
    const int row = m_open.count();
    beginInsertRows(QModelIndex(), row, row);
    m_open.append(true);
    endInsertRows();
}

void TodoListModel::aboutToRemove(int first, int last)
{
    // Told while the to-dos are still in the list; their offsets go once they are not.
    m_removing = {first, last};
    removeOpen(first, last);
    std::vector<int> places;
    for (int offset = first; offset <= last; ++offset) {
        if (const std::optional<double> at = todoAt(offset).completed())
            places.push_back(m_done.placeOf(*at, offset));
    }
    removeDone(std::move(places));
}

void TodoListModel::removed()
{
    const auto [first, last] = *std::exchange(m_removing, std::nullopt);
    m_open.erase(first, last);
    m_done.shift(last + 1, first - last - 1);
}

void TodoListModel::aboutToRemoveAt(const QList<int> &ascending)
{
    // Out of their rows while the list still holds them; their offsets go
    // once it does not, all at once.
    m_removingAt = ascending;
    forEachRunFromLast(ascending, [this](int first, int last) { removeOpen(first, last); });
    std::vector<int> places;
    for (const int offset : ascending) {
        if (const std::optional<double> at = todoAt(offset).completed())
            places.push_back(m_done.placeOf(*at, offset));
    }
    removeDone(std::move(places));
}

void TodoListModel::removedAt()
{
    const QList<int> ascending = std::exchange(m_removingAt, {});
    m_open.erase(ascending);
    m_done.closeUp(ascending);
}

void TodoListModel::inserted(int first, int last)
{
    // Room first, so that every row still shows its to-do; then the new rows.
    m_open.insert(first, last - first + 1);
    m_done.shift(first, last - first + 1);
    std::vector<int> opened;
    std::vector<DoneOrder::Entry> done;
    for (int offset = first; offset <= last; ++offset) {
        if (const std::optional<double> at = todoAt(offset).completed())
            done.push_back({*at, offset});
        else
            opened.push_back(offset);
    }
    if (!opened.empty()) {
        const int row = m_open.below(first);
        beginInsertRows(QModelIndex(), row, row + static_cast<int>(opened.size()) - 1);
        m_open.open(opened);
        endInsertRows();
    }
    addDone(std::move(done));
}

void TodoListModel::aboutToChange(int offset)
{
    m_changing = Changing{offset, todoAt(offset).completed()};
}

void TodoListModel::changed(int offset)
{
    // Plain values rather than an optional copied out of one: GCC at -O1 takes
    // that copy's value for uninitialised.
    const bool wasDone = m_changing && m_changing->offset == offset && m_changing->doneAt;
    const double wasDoneAt = wasDone ? *m_changing->doneAt : 0;
    m_changing.reset();
    const std::optional<double> now = todoAt(offset).completed();
    if (wasDone == now.has_value() && (!wasDone || wasDoneAt == *now)) {
        if (m_together)
            m_together->inPlace.push_back(offset);
        else if (const QModelIndex row = indexOf(offset); row.isValid())
            emit dataChanged(row, row);
        return;
    }
    if (m_together) {
        m_together->moved.push_back({offset, wasDone ? std::optional(wasDoneAt) : std::nullopt});
        return;
    }
    if (wasDone)
        removeDone({m_done.placeOf(wasDoneAt, offset)});
    else
        removeOpen(offset, offset);
    if (now) {
        addDone({{*now, offset}});
        return;
    }
    const int row = m_open.below(offset);
    beginInsertRows(QModelIndex(), row, row);
    m_open.mark(offset, true);
    endInsertRows();
}

void TodoListModel::changedTogether()
{
    const Together together = *std::exchange(m_together, std::nullopt);
    moveTogether(together.moved);
    const std::vector<int> &offsets = together.inPlace;
    if (offsets.size() > manyPlaces) {
        // Told row by row, a view whose rows have heights of their own walks
        // to each: as long as the list squared.
        layOutAgain();
        return;
    }
    for (const int offset : offsets) {
        if (const QModelIndex row = indexOf(offset); row.isValid())
            emit dataChanged(row, row);
    }
}

void TodoListModel::moveTogether(const std::vector<Changing> &moved)
{
    std::vector<int> donePlaces;
    QList<int> closing;
    for (const Changing &change : moved) {
        if (change.doneAt)
            donePlaces.push_back(m_done.placeOf(*change.doneAt, change.offset));
        else
            closing.append(change.offset);
    }
    removeDone(std::move(donePlaces));
    std::ranges::sort(closing);
    forEachRunFromLast(closing, [this](int first, int last) { removeOpen(first, last); });

    QList<int> opening;
    std::vector<DoneOrder::Entry> done;
    for (const Changing &change : moved) {
        if (const std::optional<double> at = todoAt(change.offset).completed())
            done.push_back({*at, change.offset});
        else
            opening.append(change.offset);
    }
    std::ranges::sort(opening);
    forEachRunFromLast(opening, [this](int first, int last) {
        const int row = m_open.below(first);
        beginInsertRows(QModelIndex(), row, row + last - first);
        for (int offset = first; offset <= last; ++offset)
            m_open.mark(offset, true);
        endInsertRows();
    });
    addDone(std::move(done));
}

void TodoListModel::showCompleted()
{
    const bool shown = m_view.completedShown();
    if (shown == m_shown)
        return;
    if (m_done.count() == 0) {
        m_shown = shown;
        return;
    }
    const int first = doneRow(0);
    const int last = doneRow(m_done.count() - 1);
    if (shown)
        beginInsertRows(QModelIndex(), first, last);
    else
        beginRemoveRows(QModelIndex(), first, last);
    m_shown = shown;
    if (shown)
        endInsertRows();
    else
        endRemoveRows();
    expanderChanged();
}

void TodoListModel::removeOpen(int first, int last)
{
    const int firstRow = m_open.below(first);
    const int end = m_open.below(last + 1);
    if (end == firstRow)
        return;
    beginRemoveRows(QModelIndex(), firstRow, end - 1);
    m_open.close(first, last);
    endRemoveRows();
}

void TodoListModel::addDone(std::vector<DoneOrder::Entry> entries)
{
    if (entries.empty())
        return;
    if (m_done.count() == 0) {
        // The expander comes with them.
        m_shown = m_view.completedShown();
        const int row = expanderRow();
        beginInsertRows(QModelIndex(), row, row + (m_shown ? static_cast<int>(entries.size()) : 0));
        m_done.merge(std::move(entries));
        endInsertRows();
        return;
    }
    if (!m_shown) {
        m_done.merge(std::move(entries));
    } else if (entries.size() <= manyPlaces) {
        for (const DoneOrder::Entry &entry : entries) {
            const int row = doneRow(m_done.placeFor(entry));
            beginInsertRows(QModelIndex(), row, row);
            m_done.insert(entry);
            endInsertRows();
        }
    } else {
        redoDoneRows([&] { m_done.merge(std::move(entries)); });
    }
    expanderChanged();
}

void TodoListModel::removeDone(std::vector<int> places)
{
    std::erase(places, -1);
    if (places.empty())
        return;
    if (places.size() == static_cast<std::size_t>(m_done.count())) {
        // The expander goes with them.
        const int row = expanderRow();
        beginRemoveRows(QModelIndex(), row, row + (m_shown ? m_done.count() : 0));
        m_done.erase(std::move(places));
        endRemoveRows();
        return;
    }
    if (!m_shown) {
        m_done.erase(std::move(places));
        expanderChanged();
        return;
    }
    std::ranges::sort(places);
    std::vector<std::pair<int, int>> runs;
    for (int place : places) {
        if (!runs.empty() && runs.back().second + 1 == place)
            runs.back().second = place;
        else
            runs.emplace_back(place, place);
    }
    if (runs.size() <= manyPlaces) {
        // The last first, so that the places of the others stay.
        for (auto run = runs.rbegin(); run != runs.rend(); ++run) {
            beginRemoveRows(QModelIndex(), doneRow(run->first), doneRow(run->second));
            m_done.erase(run->first, run->second);
            endRemoveRows();
        }
    } else {
        redoDoneRows([&] { m_done.erase(std::move(places)); });
    }
    expanderChanged();
}

void TodoListModel::redoDoneRows(const std::function<void()> &change)
{
    beginRemoveRows(QModelIndex(), doneRow(0), doneRow(m_done.count() - 1));
    m_shown = false;
    endRemoveRows();
    change();
    beginInsertRows(QModelIndex(), doneRow(0), doneRow(m_done.count() - 1));
    m_shown = true;
    endInsertRows();
}

void TodoListModel::expanderChanged()
{
    const QModelIndex expander = expanderIndex();
    emit dataChanged(expander, expander, {Qt::DisplayRole, Qt::AccessibleTextRole, ExpandedRole});
}

void TodoListModel::followTimeZone()
{
    m_timeFormatter.reset();
    m_dayFormatter.reset();
    layOutAgain();
}

void TodoListModel::layOutAgain()
{
    // Rather than every row changed: a view whose rows have heights of their
    // own measures each row it is told of (14 s for 100,000), but lays out
    // again only those in sight.
    emit layoutAboutToBeChanged();
    emit layoutChanged();
}

int TodoListModel::rowCount(const QModelIndex &parent) const
{
    if (parent.isValid())
        return 0;
    const int done = m_done.count();
    return m_open.count() + (done > 0 ? 1 + (m_shown ? done : 0) : 0);
}

std::optional<int> TodoListModel::offsetAt(int row) const
{
    if (row < m_open.count())
        return m_open.nth(row);
    if (row == expanderRow())
        return std::nullopt;
    return m_done.offsetAt(row - expanderRow() - 1);
}

std::optional<int> TodoListModel::offsetOf(const QModelIndex &index) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return std::nullopt;
    return offsetAt(index.row());
}

QModelIndex TodoListModel::indexOf(int offset) const
{
    if (offset < 0 || offset >= m_open.size())
        return QModelIndex();
    if (m_open.isOpen(offset))
        return index(m_open.below(offset));
    const std::optional<double> at = todoAt(offset).completed();
    const int place = at && m_shown ? m_done.placeOf(*at, offset) : -1;
    return place < 0 ? QModelIndex() : index(doneRow(place));
}

QModelIndex TodoListModel::expanderIndex() const
{
    return m_done.count() > 0 ? index(expanderRow()) : QModelIndex();
}

const TodoItem &TodoListModel::item(const QModelIndex &index) const
{
    return todoAt(*offsetOf(index));
}

QString TodoListModel::timeText(double instant) const
{
    if (!m_timeFormatter) {
        m_timeFormatter.emplace(QStringLiteral("h:mm a"));
        m_today = m_view.todaySpan();
    }
    const QString time = m_timeFormatter->format(instant);
    if (instant >= m_today.first && instant < m_today.second)
        return time;
    if (!m_dayFormatter)
        m_dayFormatter.emplace(DateFormatter::withSkeleton(QStringLiteral("MMMEd")));
    //: A to-do's day and time of day on another day than today: "Tue, Dec 8, 9:00 AM"
    return tr("%1, %2").arg(m_dayFormatter->format(instant), time);
}

Qt::ItemFlags TodoListModel::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags flags = QAbstractListModel::flags(index);
    // The view asks this of every row as it lays them out: the row alone
    // tells, without finding its to-do.
    if (!index.isValid())
        return flags;
    if (m_done.count() > 0 && index.row() == expanderRow())
        return flags | Qt::ItemNeverHasChildren;
    return flags | Qt::ItemNeverHasChildren | Qt::ItemIsEditable | Qt::ItemIsUserCheckable;
}

bool TodoListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    const std::optional<int> offset = offsetAt(index.row());
    if (!offset) {
        if (role != ExpandedRole)
            return false;
        m_view.setCompletedShown(value.toBool());
        return true;
    }
    switch (role) {
    case Qt::EditRole:
        m_view.renameTodo(*offset, value.toString());
        return true;
    case Qt::CheckStateRole:
        if (static_cast<Qt::CheckState>(value.toInt()) == Qt::Checked)
            m_view.completeTodo(*offset);
        else
            m_view.reopenTodo(*offset);
        return true;
    default:
        return false;
    }
}

QVariant TodoListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const std::optional<int> offset = offsetAt(index.row());
    if (!offset) {
        switch (role) {
        case Qt::DisplayRole:
        case Qt::AccessibleTextRole:
            //: The row above the done to-dos, with how many there are
            return tr("Completed (%n)", nullptr, m_done.count());
        case ExpandedRole:
            return m_shown;
        default:
            return QVariant();
        }
    }
    const TodoItem &todo = todoAt(*offset);
    const std::optional<double> done = todo.completed();
    const auto when = [&] {
        //: When a done to-do was ticked off: "Done Tue, Dec 8, 4:12 PM"
        return done ? tr("Done %1").arg(timeText(*done)) : timeText(todo.time());
    };
    switch (role) {
    case Qt::DisplayRole:
        return withLineSeparators(shownName(todo.name()));
    case Qt::EditRole:
        return QString::fromStdString(todo.name());
    case Qt::AccessibleTextRole: {
        const QString text = QStringLiteral("%1, %2, %3")
                                 .arg(shownName(todo.name()), when(),
                                      QString::fromLatin1(rawValue(todo.priority())));
        return todo.repeats() && !done
                   ? QStringLiteral("%1, %2").arg(text, m_repeatWords.of(todo.extras().rrule))
                   : text;
    }
    case RepeatsRole:
        return todo.repeats() && !done;
    case Qt::CheckStateRole:
        return done ? Qt::Checked : Qt::Unchecked;
    case TimeTextRole:
        return when();
    case PriorityRole:
        return static_cast<int>(todo.priority());
    case OffsetRole:
        return *offset;
    default:
        return QVariant();
    }
}
