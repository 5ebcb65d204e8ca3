// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoListModel.h"

#include <algorithm>

namespace {

// Enough for any name a person types; a pasted megabyte would take seconds to lay
// out in every paint. The stored name and its reminder keep every character.
constexpr qsizetype longestShownName = 2000;

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
    : QAbstractListModel(parent), m_view(view)
{
    connect(&view, &ContentView::todoListAboutToBeReset, this, [this] { beginResetModel(); });
    connect(&view, &ContentView::todoListReset, this, [this] { endResetModel(); });
    connect(&view, &ContentView::todoAboutToBeAppended, this, [this] {
        const int row = rowCount();
        beginInsertRows(QModelIndex(), row, row);
    });
    connect(&view, &ContentView::todoAppended, this, [this] { endInsertRows(); });
    connect(&view, &ContentView::todosAboutToBeRemoved, this,
            [this](int first, int last) { beginRemoveRows(QModelIndex(), first, last); });
    connect(&view, &ContentView::todosRemoved, this, [this] { endRemoveRows(); });
    connect(&view, &ContentView::todosAboutToBeInserted, this,
            [this](int first, int last) { beginInsertRows(QModelIndex(), first, last); });
    connect(&view, &ContentView::todosInserted, this, [this] { endInsertRows(); });
    connect(&view, &ContentView::todoChanged, this, [this](int offset) {
        const QModelIndex changed = index(offset);
        emit dataChanged(changed, changed);
    });
    connect(&view, &ContentView::currentDateChanged, this, &TodoListModel::followTimeZone);
}

void TodoListModel::followTimeZone()
{
    m_timeFormatter.reset();
    m_dayFormatter.reset();
    if (rowCount() > 0)
        emit dataChanged(index(0), index(rowCount() - 1), {TimeTextRole, Qt::AccessibleTextRole});
}

int TodoListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_view.todoList().size());
}

const TodoItem &TodoListModel::item(const QModelIndex &index) const
{
    return m_view.todoList()[static_cast<std::size_t>(index.row())];
}

QString TodoListModel::timeText(const TodoItem &item) const
{
    if (!m_timeFormatter) {
        m_timeFormatter.emplace(QStringLiteral("h:mm a"));
        m_today = m_view.todaySpan();
    }
    const QString time = m_timeFormatter->format(item.time());
    if (item.time() >= m_today.first && item.time() < m_today.second)
        return time;
    if (!m_dayFormatter)
        m_dayFormatter.emplace(DateFormatter::withSkeleton(QStringLiteral("MMMEd")));
    //: A to-do's day and time of day on another day than today: "Tue, Dec 8, 9:00 AM"
    return tr("%1, %2").arg(m_dayFormatter->format(item.time()), time);
}

Qt::ItemFlags TodoListModel::flags(const QModelIndex &index) const
{
    return QAbstractListModel::flags(index) |
           (index.isValid() ? Qt::ItemIsEditable : Qt::NoItemFlags);
}

bool TodoListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (role != Qt::EditRole ||
        !checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return false;
    m_view.renameTodo(index.row(), value.toString());
    return true;
}

QVariant TodoListModel::data(const QModelIndex &index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid | CheckIndexOption::ParentIsInvalid))
        return QVariant();
    const TodoItem &todo = item(index);
    switch (role) {
    case Qt::DisplayRole:
        return withLineSeparators(shownName(todo.name()));
    case Qt::EditRole:
        return QString::fromStdString(todo.name());
    case Qt::AccessibleTextRole:
        return QStringLiteral("%1, %2, %3")
            .arg(shownName(todo.name()), timeText(todo),
                 QString::fromLatin1(rawValue(todo.priority())));
    case TimeTextRole:
        return timeText(todo);
    case PriorityRole:
        return static_cast<int>(todo.priority());
    default:
        return QVariant();
    }
}
