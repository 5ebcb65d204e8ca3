// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentView.h"

#include <TodoListStore.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <tuple>

namespace {

constexpr int undoSeconds = 10;

} // namespace

ContentView::ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                         CalendarSource currentCalendar, TodoListRescue &rescue, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_reminders(reminders), m_clock(clock),
      m_currentCalendar(std::move(currentCalendar)), m_rescue(rescue), m_currentDate(clock.now())
{
    m_undoExpiry.setSingleShot(true);
    m_undoExpiry.setInterval(undoSeconds * 1000);
    connect(&m_undoExpiry, &QTimer::timeout, this, &ContentView::dismissUndo);
}

void ContentView::setNewTodoName(const QString &name)
{
    m_newTodoName = name;
    emit formChanged();
}

void ContentView::setSelectedPriority(TodoPriority priority)
{
    m_selectedPriority = priority;
    emit formChanged();
}

void ContentView::setSelectedHour(int hour)
{
    m_selectedHour = hour;
    emit formChanged();
}

void ContentView::setSelectedMinute(int minute)
{
    m_selectedMinute = minute;
    emit formChanged();
}

void ContentView::setIsAM(bool isAM)
{
    m_isAM = isAM;
    emit formChanged();
}

void ContentView::appear()
{
    m_onScreen = true;
    m_reminders.requestReminderPermission();
    loadTodoList();
}

void ContentView::disappear()
{
    if (!m_onScreen)
        return;
    m_onScreen = false;
    // The store gets the deletion now: undoing it later would not reach it.
    dismissUndo();
    if (!m_savedByCheckpoint)
        saveTodoList();
}

void ContentView::commitData()
{
    if (!m_savedByCheckpoint)
        m_savedByCheckpoint = saveTodoList();
}

void ContentView::followToday()
{
    const double now = m_clock.now();
    const LocalCalendar calendar = m_currentCalendar();
    const auto day = [&](double instant) {
        const DateComponents at = calendar.components(instant);
        return std::tuple(at.year, at.month, at.day);
    };
    std::string zone = calendar.timeZoneId();
    // The zone counts too: the date shown was formatted in the zone of its day.
    const bool sameZone = !m_currentDateZone || zone == *m_currentDateZone;
    m_currentDateZone = std::move(zone);
    if (sameZone && day(now) == day(m_currentDate))
        return;
    m_currentDate = now;
    emit currentDateChanged();
}

void ContentView::loadTodoList()
{
    if (auto list = m_readAhead ? m_readAhead->read() : readTodoList(m_preferences)) {
        emit todoListAboutToBeReset();
        m_todoList = std::move(*list);
        listChanged();
        emit todoListReset();
    }
}

bool ContentView::saveTodoList()
{
    if (writeTodoList(m_preferences, m_todoList))
        return true;
    if (const auto path = m_rescue.rescue(m_todoList)) {
        std::fprintf(stderr, "plimsa: could not save the to-do list; it was saved to %s\n",
                     qPrintable(*path));
    }
    return false;
}

std::optional<double> ContentView::composeTime() const
{
    const LocalCalendar calendar = m_currentCalendar();
    const DateComponents day = calendar.components(m_currentDate);
    const int hour = m_selectedHour % 12 + (m_isAM ? 0 : 12);
    return calendar.instant(day.year, day.month, day.day, hour, m_selectedMinute, 0);
}

void ContentView::addTodo()
{
    const QString name = m_newTodoName.trimmed();
    if (name.isEmpty())
        return;
    followToday();
    const std::optional<double> time = composeTime();
    if (!time)
        return;
    emit todoAboutToBeAppended();
    m_todoList.emplace_back(name.toStdString(), *time, m_selectedPriority);
    listChanged();
    emit todoAppended();
    setNewTodoName(QString());
    m_reminders.scheduleReminder(m_todoList.back());
}

void ContentView::requestDelete(const TodoItem &item)
{
    const auto found = std::find(m_todoList.begin(), m_todoList.end(), item);
    m_deleteIndex = found == m_todoList.end()
                        ? std::nullopt
                        : std::optional<int>(static_cast<int>(found - m_todoList.begin()));
    m_deleteAlertShown = true;
    emit deleteAlertShownChanged(true);
}

void ContentView::confirmDelete()
{
    if (m_deleteIndex)
        deleteTodos({*m_deleteIndex});
}

void ContentView::cancelDelete()
{
    m_deleteIndex.reset();
}

void ContentView::dismissDeleteAlert()
{
    m_deleteAlertShown = false;
    emit deleteAlertShownChanged(false);
}

void ContentView::deleteTodos(const QList<int> &offsets)
{
    QList<int> ascending;
    for (int offset : offsets) {
        if (offset >= 0 && static_cast<std::size_t>(offset) < m_todoList.size())
            ascending.append(offset);
    }
    std::sort(ascending.begin(), ascending.end());
    ascending.erase(std::unique(ascending.begin(), ascending.end()), ascending.end());
    if (ascending.isEmpty())
        return;

    for (int offset : ascending)
        m_reminders.cancelReminders({QString::fromStdString(m_todoList[offset].id().uuidString())});

    std::vector<std::pair<int, TodoItem>> deleted;
    deleted.reserve(static_cast<std::size_t>(ascending.size()));

    // Removed as runs of neighbours, last run first, so that the offsets of the
    // runs still to go stay valid; the rest keep their order.
    int runEnd = static_cast<int>(ascending.size());
    while (runEnd > 0) {
        int runStart = runEnd - 1;
        while (runStart > 0 && ascending[runStart - 1] == ascending[runStart] - 1)
            --runStart;
        const int first = ascending[runStart];
        const int last = ascending[runEnd - 1];
        emit todosAboutToBeRemoved(first, last);
        for (int offset = last; offset >= first; --offset)
            deleted.emplace_back(offset, std::move(m_todoList[static_cast<std::size_t>(offset)]));
        m_todoList.erase(m_todoList.begin() + first, m_todoList.begin() + last + 1);
        listChanged();
        emit todosRemoved();
        runEnd = runStart;
    }

    std::reverse(deleted.begin(), deleted.end());
    m_undoableDeletion = std::move(deleted);
    m_undoExpiry.start();
    emit undoableDeletionChanged();
}

void ContentView::undoDelete()
{
    if (m_undoableDeletion.empty())
        return;
    auto deleted = std::exchange(m_undoableDeletion, {});
    m_undoExpiry.stop();
    emit undoableDeletionChanged();

    // Back in ascending order, as runs of neighbours, so that each lands where
    // it was; the list may have grown or shrunk since, so offsets are clamped.
    QStringList identifiers;
    std::size_t runStart = 0;
    while (runStart < deleted.size()) {
        std::size_t runEnd = runStart + 1;
        while (runEnd < deleted.size() && deleted[runEnd].first == deleted[runEnd - 1].first + 1)
            ++runEnd;
        const int first = std::min(deleted[runStart].first, static_cast<int>(m_todoList.size()));
        const int last = first + static_cast<int>(runEnd - runStart) - 1;
        std::vector<TodoItem> run;
        run.reserve(runEnd - runStart);
        for (std::size_t i = runStart; i < runEnd; ++i)
            run.push_back(std::move(deleted[i].second));
        emit todosAboutToBeInserted(first, last);
        m_todoList.insert(m_todoList.begin() + first, std::make_move_iterator(run.begin()),
                          std::make_move_iterator(run.end()));
        listChanged();
        emit todosInserted();
        for (int row = first; row <= last; ++row)
            identifiers.append(QString::fromStdString(
                m_todoList[static_cast<std::size_t>(row)].id().uuidString()));
        runStart = runEnd;
    }
    // The service knows which were pending: snoozed, or due and waiting for a server.
    m_reminders.restoreReminders(identifiers);
}

void ContentView::dismissUndo()
{
    m_undoExpiry.stop();
    if (m_undoableDeletion.empty())
        return;
    m_undoableDeletion.clear();
    emit undoableDeletionChanged();
}

int ContentView::millisecondsToUndoForTesting() const
{
    return m_undoExpiry.isActive() ? m_undoExpiry.interval() : -1;
}
