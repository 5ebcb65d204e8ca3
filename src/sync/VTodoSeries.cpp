// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoSeries.h"

#include "RepeatRule.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

// Occurrences looked at in one walk: years of a daily series, without a rule
// that never ends or never matches holding up a sync.
constexpr int walkBound = 20000;

bool isDoneOrCancelled(icalcomponent *todo)
{
    auto *percent = icalcomponent_get_first_property(todo, ICAL_PERCENTCOMPLETE_PROPERTY);
    const icalproperty_status status = icalcomponent_get_status(todo);
    return status == ICAL_STATUS_COMPLETED || status == ICAL_STATUS_CANCELLED ||
           icalcomponent_get_first_property(todo, ICAL_COMPLETED_PROPERTY) ||
           (percent && icalproperty_get_percentcomplete(percent) >= 100);
}

std::optional<icaltimetype> timeOf(icalcomponent *todo, icalproperty_kind kind)
{
    auto *property = icalcomponent_get_first_property(todo, kind);
    if (!property)
        return std::nullopt;
    const icaltimetype time = icalproperty_get_datetime_with_component(property, todo);
    if (icaltime_is_null_time(time))
        return std::nullopt;
    return time;
}

long daysBetween(icaltimetype from, icaltimetype to)
{
    return long((icaltime_as_timet(to) - icaltime_as_timet(from)) / 86400);
}

} // namespace

std::optional<VTodoSeries> VTodoSeries::of(icalcomponent *root, std::string_view rule,
                                           const LocalCalendar &local)
{
    icalcomponent *master = mainVTodo(root);
    if (!master || icalcomponent_get_first_property(master, ICAL_RECURRENCEID_PROPERTY))
        return std::nullopt;
    VTodoSeries series(master, local);
    const char *uid = icalcomponent_get_uid(master);
    icalcomponent *parent = icalcomponent_get_parent(master);
    for (auto *todo = parent ? icalcomponent_get_first_component(parent, ICAL_VTODO_COMPONENT)
                             : nullptr;
         todo; todo = icalcomponent_get_next_component(parent, ICAL_VTODO_COMPONENT)) {
        const char *otherUid = icalcomponent_get_uid(todo);
        if (todo == master || !uid || !otherUid || std::strcmp(uid, otherUid) != 0)
            continue;
        const auto recurrenceId = timeOf(todo, ICAL_RECURRENCEID_PROPERTY);
        const double at = recurrenceId ? instantOf(*recurrenceId, local).value_or(NAN) : NAN;
        if (!std::isnan(at))
            series.m_overrides.emplace(at, todo);
    }
    if (series.m_overrides.empty())
        return std::nullopt;

    const auto recurrence = followedRule(rule);
    const auto due = timeOf(master, ICAL_DUE_PROPERTY);
    const auto start =
        timeOf(master, ICAL_DTSTART_PROPERTY).value_or(due.value_or(icaltime_null_time()));
    if (!recurrence || !due || icaltime_is_null_time(start) || !instantOf(start, local) ||
        !instantOf(*due, local))
        return std::nullopt;
    series.m_recurrence = *recurrence;
    series.m_start = start;
    series.m_wholeDay = due->is_date;
    series.m_dueAfterStart = due->is_date && start.is_date
                                 ? double(daysBetween(start, *due))
                                 : *instantOf(*due, local) - *instantOf(start, local);
    for (auto *excluded = icalcomponent_get_first_property(master, ICAL_EXDATE_PROPERTY); excluded;
         excluded = icalcomponent_get_next_property(master, ICAL_EXDATE_PROPERTY)) {
        if (const auto at = instantOf(icalproperty_get_exdate(excluded), local))
            series.m_excluded.push_back(*at);
    }
    return series;
}

template <typename Visit> bool VTodoSeries::walk(Visit visit) const
{
    icalrecur_iterator *iterator = icalrecur_iterator_new(m_recurrence, m_start);
    if (!iterator)
        return false;
    bool ended = false;
    for (int index = 0; index < walkBound && !ended; ++index) {
        const icaltimetype start = icalrecur_iterator_next(iterator);
        if (icaltime_is_null_time(start)) {
            ended = true;
            break;
        }
        const auto startInstant = instantOf(start, *m_local);
        if (!startInstant)
            continue;
        if (std::ranges::find(m_excluded, *startInstant) != m_excluded.end())
            continue;
        Occurrence occurrence{start, *startInstant, *startInstant + m_dueAfterStart, index};
        if (m_wholeDay && start.is_date) {
            icaltimetype dueDate = start;
            icaltime_adjust(&dueDate, int(m_dueAfterStart), 0, 0, 0);
            occurrence.due = instantOf(dueDate, *m_local).value_or(occurrence.due);
        }
        ended = !visit(occurrence);
    }
    icalrecur_iterator_free(iterator);
    return ended;
}

icalcomponent *VTodoSeries::overrideOf(const Occurrence &occurrence) const
{
    const auto found = m_overrides.find(occurrence.start);
    return found == m_overrides.end() ? nullptr : found->second;
}

bool VTodoSeries::isClosed(const Occurrence &occurrence) const
{
    icalcomponent *todo = overrideOf(occurrence);
    return todo && isDoneOrCancelled(todo);
}

std::optional<Occurrence> VTodoSeries::firstOpen() const
{
    std::optional<Occurrence> found;
    walk([&](const Occurrence &occurrence) {
        if (!isClosed(occurrence))
            found = occurrence;
        return !found;
    });
    return found;
}

std::vector<Occurrence> VTodoSeries::dueUpTo(const Occurrence &after, double until) const
{
    std::vector<Occurrence> found;
    walk([&](const Occurrence &occurrence) {
        if (occurrence.index <= after.index)
            return true;
        if (occurrence.due > until)
            return false;
        found.push_back(occurrence);
        return true;
    });
    return found;
}

std::optional<Occurrence> VTodoSeries::lastClosed() const
{
    double lastAt = 0;
    bool any = false;
    for (const auto &[at, todo] : m_overrides) {
        if (isDoneOrCancelled(todo)) {
            lastAt = at;
            any = true;
        }
    }
    std::optional<Occurrence> found;
    if (!any)
        return found;
    walk([&](const Occurrence &occurrence) {
        if (occurrence.start > lastAt)
            return false;
        if (isClosed(occurrence))
            found = occurrence;
        return true;
    });
    return found;
}

std::optional<ShownOccurrence> VTodoSeries::shown(bool masterDone) const
{
    if (const auto open = firstOpen())
        return ShownOccurrence{*open, masterDone};
    // Every one closed, or a rule beyond the bound: only a walk that ends says which.
    if (!walk([](const Occurrence &) { return true; }))
        return std::nullopt;
    if (const auto closed = lastClosed())
        return ShownOccurrence{*closed, true};
    return std::nullopt;
}
