// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "ContentView.h"

#include <TodoListChanges.h>
#include <TodoListStore.h>

#include <algorithm>
#include <cstdio>
#include <iterator>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

namespace {

constexpr int undoSeconds = 10;

} // namespace

ContentView::ContentView(Preferences &preferences, ReminderScheduler &reminders, const Clock &clock,
                         CalendarSource currentCalendar, TodoListRescue &rescue, QObject *parent)
    : QObject(parent), m_preferences(preferences), m_reminders(reminders), m_clock(clock),
      m_currentCalendar(std::move(currentCalendar)), m_rescue(rescue), m_currentDate(clock.now()),
      m_saver(preferences, rescue, [this] { return m_todoList; })
{
    connect(&m_saver, &TodoListSaver::saved, this, &ContentView::scheduleSavedReminders);
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
    dropPastPick();
    emit shownDayChanged();
}

QDate ContentView::today() const
{
    const DateComponents at = m_currentCalendar().components(m_currentDate);
    return QDate(at.year, at.month, at.day);
}

double ContentView::shownDate() const
{
    return m_pickedDay ? noonOn(*m_pickedDay) : m_currentDate;
}

double ContentView::noonOn(QDate day) const
{
    return m_currentCalendar()
        .instant(day.year(), day.month(), day.day(), 12, 0, 0)
        .value_or(m_currentDate);
}

void ContentView::pickDay(QDate day)
{
    followToday();
    if (!day.isValid() || day < today())
        return;
    const std::optional<QDate> picked = day == today() ? std::nullopt : std::optional(day);
    if (picked == m_pickedDay)
        return;
    m_pickedDay = picked;
    emit shownDayChanged();
}

void ContentView::pickToday()
{
    pickDay(today());
}

std::pair<double, double> ContentView::todaySpan() const
{
    const LocalCalendar calendar = m_currentCalendar();
    const QDate day = today();
    // The calendar rolls day 32 over into the next month, and so on.
    return {
        calendar.instant(day.year(), day.month(), day.day(), 0, 0, 0).value_or(m_currentDate),
        calendar.instant(day.year(), day.month(), day.day() + 1, 0, 0, 0).value_or(m_currentDate)};
}

void ContentView::dropPastPick()
{
    if (m_pickedDay && *m_pickedDay <= today())
        m_pickedDay.reset();
}

void ContentView::loadTodoList()
{
    m_saver.waitUntilIdle();
    if (auto list = m_readAhead ? m_readAhead->read() : readTodoList(m_preferences)) {
        emit todoListAboutToBeReset();
        m_todoList = std::make_shared<std::vector<TodoItem>>(std::move(*list));
        m_savedByCheckpoint = false;
        emit todoListReset();
    }
    std::optional<QString> newer = m_rescue.newerThanStore();
    if (newer != m_newerRescue) {
        m_newerRescue = std::move(newer);
        emit newerRescueChanged();
    }
}

bool ContentView::saveTodoList()
{
    return m_saver.saveNow(*m_todoList, m_generation) == TodoListSaver::Outcome::stored;
}

bool ContentView::saveBeforeClose()
{
    const TodoListSaver::Outcome outcome = m_saver.saveNow(*m_todoList, m_generation);
    m_savedByCheckpoint = outcome == TodoListSaver::Outcome::stored;
    return outcome != TodoListSaver::Outcome::lost;
}

void ContentView::restoreRescue()
{
    if (!m_newerRescue)
        return;
    std::optional<std::vector<TodoItem>> list = m_rescue.read(*m_newerRescue);
    dismissRescue();
    if (!list)
        return;
    // The replaced list's reminders go with it; the restored list's come back.
    QStringList replaced;
    for (const TodoItem &item : *m_todoList)
        replaced.append(QString::fromStdString(item.id().uuidString()));
    if (!replaced.isEmpty())
        m_reminders.cancelReminders(replaced);
    m_remindersAfterSave.clear();
    emit todoListAboutToBeReset();
    m_todoList = std::make_shared<std::vector<TodoItem>>(std::move(*list));
    listChanged();
    emit todoListReset();
    for (const TodoItem &item : *m_todoList) {
        if (item.time() > m_clock.now())
            scheduleAfterSave(item);
    }
}

void ContentView::dismissRescue()
{
    if (!m_newerRescue)
        return;
    m_newerRescue.reset();
    emit newerRescueChanged();
}

std::vector<TodoItem> &ContentView::editableList()
{
    if (m_saver.isWriting(m_todoList.get()))
        m_todoList = std::make_shared<std::vector<TodoItem>>(*m_todoList);
    return *m_todoList;
}

void ContentView::listChanged()
{
    saveSoon();
    emit listEdited();
}

void ContentView::saveSoon()
{
    m_savedByCheckpoint = false;
    m_saver.saveSoon(++m_generation);
}

void ContentView::applySyncedChanges(const SyncedChanges &changes)
{
    if (changes.changed.empty() && changes.removed.empty())
        return;
    std::unordered_map<Uuid, const TodoItem *, UuidHash> shown;
    for (const TodoItem &item : *m_todoList)
        shown.emplace(item.id(), &item);
    std::vector<TodoItem> changed;
    QStringList withdrawn;
    std::unordered_set<Uuid, UuidHash> gone;
    std::vector<std::pair<TodoItem, double>> scheduled;
    const double now = m_clock.now();
    for (const SyncedChanges::Todo &todo : changes.changed) {
        const Uuid &id = todo.item.id();
        const auto found = shown.find(id);
        const bool toCome = todo.reminder && *todo.reminder > now;
        if (toCome)
            scheduled.emplace_back(todo.item, *todo.reminder);
        // Another device may have moved only its alarm.
        if (found != shown.end() && *found->second == todo.item)
            continue;
        if (found != shown.end())
            withdrawn.append(QString::fromStdString(id.uuidString()));
        changed.push_back(todo.item);
        gone.insert(id);
    }
    std::vector<Uuid> removed;
    for (const Uuid &id : changes.removed) {
        if (shown.contains(id) && gone.insert(id).second) {
            withdrawn.append(QString::fromStdString(id.uuidString()));
            removed.push_back(id);
        }
    }
    if (changed.empty() && removed.empty()) {
        // Only alarms moved: the list on disk is already right.
        for (const auto &[item, at] : scheduled)
            m_reminders.scheduleReminder(item, at);
        return;
    }
    if (!withdrawn.isEmpty())
        m_reminders.cancelReminders(withdrawn);
    // A reminder still waiting for the save is for the to-do as it was.
    std::erase_if(m_remindersAfterSave,
                  [&](const WaitingReminder &waiting) { return gone.contains(waiting.item.id()); });
    dismissUndo();
    dropChangeUndo();
    emit todoListAboutToBeReset();
    m_todoList = std::make_shared<std::vector<TodoItem>>(withChanges(*m_todoList, changed, removed));
    saveSoon();
    emit todoListReset();
    for (const auto &[item, at] : scheduled)
        scheduleAfterSave(item, at);
}

void ContentView::scheduleAfterSave(const TodoItem &item)
{
    scheduleAfterSave(item, item.time());
}

void ContentView::scheduleAfterSave(const TodoItem &item, double at)
{
    m_remindersAfterSave.push_back({m_generation, item, at});
}

void ContentView::scheduleSavedReminders(quint64 generation)
{
    // Scheduled whatever the outcome: a list the store could not keep was
    // rescued or is still open, and its reminders are still wanted.
    const auto saved = std::stable_partition(
        m_remindersAfterSave.begin(), m_remindersAfterSave.end(),
        [generation](const WaitingReminder &waiting) { return waiting.generation <= generation; });
    std::vector<WaitingReminder> due(std::make_move_iterator(m_remindersAfterSave.begin()),
                                     std::make_move_iterator(saved));
    m_remindersAfterSave.erase(m_remindersAfterSave.begin(), saved);
    for (const WaitingReminder &waiting : due)
        m_reminders.scheduleReminder(waiting.item, waiting.at);
    while (!m_restoresAfterSave.empty() && m_restoresAfterSave.front().first <= generation) {
        const QStringList identifiers = std::move(m_restoresAfterSave.front().second);
        m_restoresAfterSave.erase(m_restoresAfterSave.begin());
        if (!identifiers.isEmpty())
            m_reminders.restoreReminders(identifiers);
    }
}

std::optional<double> ContentView::composeTime() const
{
    return timeOn(shownDay(), m_selectedHour, m_selectedMinute, m_isAM);
}

std::optional<double> ContentView::timeOn(QDate day, int hour, int minute, bool isAM) const
{
    return m_currentCalendar().instant(day.year(), day.month(), day.day(),
                                       hour % 12 + (isAM ? 0 : 12), minute, 0);
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
    editableList().emplace_back(name.toStdString(), *time, m_selectedPriority);
    listChanged();
    emit todoAppended();
    setNewTodoName(QString());
    scheduleAfterSave(m_todoList->back());
}

void ContentView::requestDelete(const TodoItem &item)
{
    const std::vector<TodoItem> &list = *m_todoList;
    const auto found = std::find(list.begin(), list.end(), item);
    m_deleteIndex = found == list.end()
                        ? std::nullopt
                        : std::optional<int>(static_cast<int>(found - list.begin()));
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
        if (offset >= 0 && static_cast<std::size_t>(offset) < m_todoList->size())
            ascending.append(offset);
    }
    std::sort(ascending.begin(), ascending.end());
    ascending.erase(std::unique(ascending.begin(), ascending.end()), ascending.end());
    if (ascending.isEmpty())
        return;

    std::vector<TodoItem> &list = editableList();
    for (int offset : ascending) {
        const Uuid &id = list[static_cast<std::size_t>(offset)].id();
        std::erase_if(m_remindersAfterSave,
                      [&id](const WaitingReminder &waiting) { return waiting.item.id() == id; });
        for (auto &[unused, identifiers] : m_restoresAfterSave)
            identifiers.removeAll(QString::fromStdString(id.uuidString()));
        m_reminders.cancelReminders({QString::fromStdString(id.uuidString())});
    }

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
            deleted.emplace_back(offset, std::move(list[static_cast<std::size_t>(offset)]));
        list.erase(list.begin() + first, list.begin() + last + 1);
        listChanged();
        emit todosRemoved();
        runEnd = runStart;
    }

    std::reverse(deleted.begin(), deleted.end());
    dropChangeUndo();
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
    std::vector<TodoItem> &list = editableList();
    QStringList identifiers;
    std::size_t runStart = 0;
    while (runStart < deleted.size()) {
        std::size_t runEnd = runStart + 1;
        while (runEnd < deleted.size() && deleted[runEnd].first == deleted[runEnd - 1].first + 1)
            ++runEnd;
        const int first = std::min(deleted[runStart].first, static_cast<int>(list.size()));
        const int last = first + static_cast<int>(runEnd - runStart) - 1;
        std::vector<TodoItem> run;
        run.reserve(runEnd - runStart);
        for (std::size_t i = runStart; i < runEnd; ++i)
            run.push_back(std::move(deleted[i].second));
        emit todosAboutToBeInserted(first, last);
        list.insert(list.begin() + first, std::make_move_iterator(run.begin()),
                          std::make_move_iterator(run.end()));
        listChanged();
        emit todosInserted();
        for (int row = first; row <= last; ++row)
            identifiers.append(
                QString::fromStdString(list[static_cast<std::size_t>(row)].id().uuidString()));
        runStart = runEnd;
    }
    // The service knows which were pending: snoozed, or due and waiting for a
    // server. Asked once the to-dos are back on disk, as a new one's reminder is.
    m_restoresAfterSave.emplace_back(m_generation, std::move(identifiers));
}

void ContentView::dismissUndo()
{
    m_undoExpiry.stop();
    dropChangeUndo();
    if (m_undoableDeletion.empty())
        return;
    m_undoableDeletion.clear();
    emit undoableDeletionChanged();
}

int ContentView::millisecondsToUndoForTesting() const
{
    return m_undoExpiry.isActive() ? m_undoExpiry.interval() : -1;
}

void ContentView::renameTodo(int offset, const QString &name)
{
    if (offset < 0 || static_cast<std::size_t>(offset) >= m_todoList->size())
        return;
    const QString trimmed = name.trimmed();
    const TodoItem &item = (*m_todoList)[static_cast<std::size_t>(offset)];
    TodoItem renamed(trimmed.toStdString(), item.time(), item.priority(), item.id());
    if (trimmed.isEmpty() || renamed == item)
        return;
    offerChangeUndo(item);
    replaceTodo(offset, std::move(renamed));
}

TodoDraft ContentView::draftOf(int offset) const
{
    const TodoItem &item = m_todoList->at(static_cast<std::size_t>(offset));
    const DateComponents at = m_currentCalendar().components(item.time());
    TodoDraft draft;
    draft.name = QString::fromStdString(item.name());
    draft.priority = item.priority();
    draft.day = QDate(at.year, at.month, at.day);
    draft.hour = at.hour % 12 == 0 ? 12 : at.hour % 12;
    draft.minute = at.minute;
    draft.isAM = at.hour < 12;
    return draft;
}

bool ContentView::editTodo(int offset, const TodoDraft &draft)
{
    if (offset < 0 || static_cast<std::size_t>(offset) >= m_todoList->size())
        return false;
    const QString trimmed = draft.name.trimmed();
    if (trimmed.isEmpty())
        return false;
    // Saved unchanged, a to-do keeps even the seconds a stored time may have.
    if (draft == draftOf(offset))
        return true;
    const std::optional<double> time = timeOn(draft.day, draft.hour, draft.minute, draft.isAM);
    if (!time)
        return false;
    const TodoItem &item = (*m_todoList)[static_cast<std::size_t>(offset)];
    TodoItem edited(trimmed.toStdString(), *time, draft.priority, item.id());
    if (edited != item) {
        offerChangeUndo(item);
        replaceTodo(offset, std::move(edited));
    }
    return true;
}

void ContentView::replaceTodo(int offset, TodoItem item)
{
    TodoItem &slot = editableList()[static_cast<std::size_t>(offset)];
    const Uuid id = slot.id();
    std::erase_if(m_remindersAfterSave,
                  [&id](const WaitingReminder &waiting) { return waiting.item.id() == id; });
    m_reminders.cancelReminders({QString::fromStdString(id.uuidString())});
    slot = std::move(item);
    listChanged();
    emit todoChanged(offset);
    if (slot.time() > m_clock.now())
        scheduleAfterSave(slot);
}

void ContentView::undoChange()
{
    if (!m_undoableChange)
        return;
    TodoItem before = std::move(*std::exchange(m_undoableChange, std::nullopt));
    m_undoExpiry.stop();
    emit undoableChangeChanged();
    // By id: what is undone is that to-do, wherever it now is.
    const std::vector<TodoItem> &list = *m_todoList;
    const auto found = std::find_if(list.begin(), list.end(),
                                    [&](const TodoItem &item) { return item.id() == before.id(); });
    if (found != list.end())
        replaceTodo(static_cast<int>(found - list.begin()), std::move(before));
}

void ContentView::offerChangeUndo(TodoItem before)
{
    if (!m_undoableDeletion.empty()) {
        m_undoableDeletion.clear();
        emit undoableDeletionChanged();
    }
    m_undoableChange = std::move(before);
    m_undoExpiry.start();
    emit undoableChangeChanged();
}

void ContentView::dropChangeUndo()
{
    if (!m_undoableChange)
        return;
    m_undoableChange.reset();
    emit undoableChangeChanged();
}
