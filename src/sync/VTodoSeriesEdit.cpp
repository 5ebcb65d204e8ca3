// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "VTodoSeriesEdit.h"

#include "VTodoEdit.h"
#include "VTodoLines.h"

#include <algorithm>
#include <cmath>

namespace {

// Overrides one write may add for occurrences passed: a daily series a year
// behind. Further behind, the series is moved in place instead.
constexpr std::size_t passedLimit = 366;

enum class Closing { done, cancelled };

std::string joined(const std::vector<ContentLine> &lines)
{
    std::string text;
    for (const ContentLine &line : lines)
        text += line.raw;
    return text;
}

// Among the VTODOs with a RECURRENCE-ID, in the order the text has them.
std::optional<std::size_t> overridePlace(icalcomponent *own)
{
    icalcomponent *parent = icalcomponent_get_parent(own);
    std::size_t place = 0;
    for (auto *todo = icalcomponent_get_first_component(parent, ICAL_VTODO_COMPONENT); todo;
         todo = icalcomponent_get_next_component(parent, ICAL_VTODO_COMPONENT)) {
        if (todo == own)
            return place;
        if (icalcomponent_get_first_property(todo, ICAL_RECURRENCEID_PROPERTY))
            ++place;
    }
    return std::nullopt;
}

class SeriesEditor {
public:
    SeriesEditor(const std::vector<ContentLine> &lines, const VTodoSeries &series,
                 const TodoItem &item, double now, const LocalCalendar &local)
        : m_text(joined(lines)), m_series(series), m_item(item), m_now(now), m_local(local)
    {
    }

    bool editMaster(Fields fields)
    {
        Edit edit;
        edit.fields = fields;
        edit.now = m_now;
        edit.sequence = nextSequence(m_series.master());
        const std::vector<ContentLine> lines = splitContentLines(m_text);
        const auto start = mainVTodoStart(lines);
        if (!start)
            return false;
        m_text = editedVTodo(lines, *start, m_item, edit, m_local);
        return true;
    }

    bool close(const Occurrence &occurrence, Closing closing)
    {
        if (icalcomponent *own = m_series.overrideOf(occurrence)) {
            Edit edit;
            edit.fields = Fields{false, false, false, true};
            edit.cancelled = closing == Closing::cancelled;
            return editOverride(own, as(m_item.time(), m_now), edit);
        }
        addOverride(occurrence, closing, std::nullopt);
        return true;
    }

    bool reopen(const Occurrence &occurrence)
    {
        icalcomponent *own = m_series.overrideOf(occurrence);
        if (!own)
            return true;
        Edit edit;
        edit.fields = Fields{false, false, false, true};
        return editOverride(own, as(m_item.time(), std::nullopt), edit);
    }

    bool move(const Occurrence &occurrence)
    {
        if (icalcomponent *own = m_series.overrideOf(occurrence)) {
            const TodoItem moved = as(m_item.time(), std::nullopt);
            Edit edit;
            edit.fields = Fields{false, true, false, false};
            edit.move = dueMove(own, moved, m_local);
            return editOverride(own, moved, edit);
        }
        addOverride(occurrence, std::nullopt, m_item.time());
        return true;
    }

    // A still-open override with a name or priority of its own takes the new ones.
    bool rename(const Occurrence &occurrence, const ServerTodo &current)
    {
        icalcomponent *own = m_series.overrideOf(occurrence);
        if (!own)
            return true;
        Edit edit;
        edit.fields = Fields{current.name != m_item.name() &&
                                 icalcomponent_get_first_property(own, ICAL_SUMMARY_PROPERTY),
                             false,
                             current.priority != m_item.priority() &&
                                 icalcomponent_get_first_property(own, ICAL_PRIORITY_PROPERTY),
                             false};
        if (!edit.fields.name && !edit.fields.priority)
            return true;
        return editOverride(own, m_item, edit);
    }

    // New overrides go right after the master, as its siblings.
    std::optional<std::string> text() const
    {
        std::string added;
        for (const std::string &todo : m_added)
            added += todo;
        const std::vector<ContentLine> lines = splitContentLines(m_text);
        const auto start = mainVTodoStart(lines);
        const auto end = start ? componentEnd(lines, *start) : std::nullopt;
        if (!end)
            return std::nullopt;
        const ContentLine &last = lines[*end];
        const std::size_t at = std::size_t(last.raw.data() - m_text.data()) + last.raw.size();
        std::string result = m_text.substr(0, at);
        if (!result.ends_with('\n'))
            result += "\r\n";
        return result + added + m_text.substr(at);
    }

private:
    // The to-do as one occurrence of it: due then, done then or open.
    TodoItem as(double due, std::optional<double> completed) const
    {
        TodoExtras extras = m_item.extras();
        extras.completed = completed;
        return TodoItem(m_item.name(), due, m_item.priority(), m_item.id(), extras);
    }

    bool editOverride(icalcomponent *own, const TodoItem &item, Edit edit)
    {
        const auto place = overridePlace(own);
        const std::vector<ContentLine> lines = splitContentLines(m_text);
        const std::vector<std::size_t> starts = overrideStarts(lines);
        if (!place || *place >= starts.size())
            return false;
        edit.now = m_now;
        edit.sequence = nextSequence(own);
        m_text = editedVTodo(lines, starts[*place], item, edit, m_local);
        return true;
    }

    // The TZID the master's times are written in, when they are a zone's.
    std::string zoneOfStart() const
    {
        icalcomponent *master = m_series.master();
        auto *start = icalcomponent_get_first_property(master, ICAL_DTSTART_PROPERTY);
        if (!start)
            start = icalcomponent_get_first_property(master, ICAL_DUE_PROPERTY);
        auto *zone = start ? icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER) : nullptr;
        const char *name = zone ? icalparameter_get_tzid(zone) : nullptr;
        return name ? name : "";
    }

    // Written like the master's start: a date, UTC, or a time of its zone.
    IcalPropertyPointer inStartsZone(icalproperty *property, icaltimetype time) const
    {
        const std::string zone = zoneOfStart();
        if (!time.is_date && !icaltime_is_utc(time) && !zone.empty())
            icalproperty_add_parameter(property, icalparameter_new_tzid(zone.c_str()));
        return IcalPropertyPointer(property);
    }

    void addOverride(const Occurrence &occurrence, std::optional<Closing> closing,
                     std::optional<double> movedDue)
    {
        icalcomponent *master = m_series.master();
        const IcalComponentPointer todo(icalcomponent_new(ICAL_VTODO_COMPONENT));
        std::vector<IcalPropertyPointer> properties;
        properties.emplace_back(icalproperty_new_uid(icalcomponent_get_uid(master)));
        properties.push_back(inStartsZone(icalproperty_new_recurrenceid(occurrence.recurrenceId),
                                          occurrence.recurrenceId));
        properties.emplace_back(icalproperty_new_dtstamp(icalUtcTime(m_now)));
        properties.emplace_back(icalproperty_new_lastmodified(icalUtcTime(m_now)));
        properties.emplace_back(
            icalproperty_new_sequence(std::max(icalcomponent_get_sequence(master), 0)));
        properties.emplace_back(icalproperty_new_summary(m_item.name().c_str()));
        if (auto *priority = icalcomponent_get_first_property(master, ICAL_PRIORITY_PROPERTY))
            properties.emplace_back(icalproperty_new_clone(priority));
        const icaltimetype due =
            dueValue(as(movedDue.value_or(occurrence.due), std::nullopt), m_local);
        // Against the DUE as written: a day is due at its start, so a start
        // at a time of that day would come after it.
        const auto start = instantOf(occurrence.recurrenceId, m_local);
        const auto dueAt = instantOf(due, m_local);
        if (icalcomponent_get_first_property(master, ICAL_DTSTART_PROPERTY) && start && dueAt &&
            *start <= *dueAt)
            properties.push_back(inStartsZone(icalproperty_new_dtstart(occurrence.recurrenceId),
                                              occurrence.recurrenceId));
        properties.emplace_back(icalproperty_new_due(due));
        if (closing == Closing::cancelled) {
            properties.emplace_back(icalproperty_new_status(ICAL_STATUS_CANCELLED));
        } else if (closing == Closing::done) {
            properties.emplace_back(icalproperty_new_status(ICAL_STATUS_COMPLETED));
            properties.emplace_back(icalproperty_new_completed(icalUtcTime(m_now)));
            properties.emplace_back(icalproperty_new_percentcomplete(100));
        }
        for (IcalPropertyPointer &property : properties)
            icalcomponent_add_property(todo.get(), property.release());
        m_added.push_back(takeIcalString(icalcomponent_as_ical_string_r(todo.get())));
    }

    std::string m_text;
    std::vector<std::string> m_added;
    const VTodoSeries &m_series;
    const TodoItem &m_item;
    double m_now;
    const LocalCalendar &m_local;
};

// The due time the reader would show for the occurrence.
double shownDue(const VTodoSeries &series, const Occurrence &occurrence, const LocalCalendar &local)
{
    icalcomponent *own = series.overrideOf(occurrence);
    const auto moved = own ? propertyInstant(own, ICAL_DUE_PROPERTY, local) : std::nullopt;
    return std::floor(moved.value_or(occurrence.due));
}

} // namespace

std::optional<std::string> updatedSeries(const std::vector<ContentLine> &lines,
                                         const VTodoSeries &series, const ServerTodo &current,
                                         const TodoItem &item, double now,
                                         const LocalCalendar &local)
{
    const double due = dueInstant(item, local);
    const bool wasDone = current.extras.completed.has_value();
    const auto shown = series.shown(wasDone);
    if (!shown)
        return std::nullopt;
    SeriesEditor editor(lines, series, item, now, local);
    bool written = editor.editMaster(Fields{current.name != item.name(), false,
                                            current.priority != item.priority(),
                                            wasDone != item.isCompleted()});
    Occurrence target = shown->occurrence;
    if (wasDone && !item.isCompleted() && series.isClosed(target)) {
        written = written && editor.reopen(target);
    } else if (!wasDone && current.due && due > std::floor(*current.due)) {
        std::vector<Occurrence> passed;
        for (const Occurrence &occurrence : series.dueUpTo(target, due)) {
            if (!series.isClosed(occurrence))
                passed.push_back(occurrence);
        }
        if (passed.size() > passedLimit)
            return std::nullopt;
        if (!passed.empty()) {
            written = written && editor.close(target, Closing::done);
            for (std::size_t index = 0; index + 1 < passed.size(); ++index)
                written = written && editor.close(passed[index], Closing::cancelled);
            target = passed.back();
        }
    }
    if (shownDue(series, target, local) != due)
        written = written && editor.move(target);
    written = written && editor.rename(target, current);
    return written ? editor.text() : std::nullopt;
}
