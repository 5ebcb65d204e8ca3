// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoMerge.h"

#include <string>
#include <utility>

namespace {

template <typename T> T mergedField(const T &base, const T &mine, const T &theirs, bool mineIsLater)
{
    const bool mineChanged = !(mine == base);
    const bool theirsChanged = !(theirs == base);
    if (mineChanged && theirsChanged)
        return mineIsLater ? mine : theirs;
    return theirsChanged ? theirs : mine;
}

template <typename T> T changedSide(const T &base, const T &mine, const T &theirs)
{
    return theirs != base && mine == base ? theirs : mine;
}

// A time that is a day's start only stays one with the whole-day mark of the
// same side.
std::pair<double, bool> dueOf(const TodoItem &item)
{
    return {item.time(), item.extras().wholeDay};
}

struct SeriesPlace {
    double time;
    bool wholeDay;
    std::string rule;
    friend bool operator==(const SeriesPlace &, const SeriesPlace &) = default;
};

SeriesPlace placeOf(const TodoItem &item)
{
    return {item.time(), item.extras().wholeDay, item.extras().rrule};
}

// Where a series stands moves on each side as the occurrences are finished
// there: changed on both, the one further on, whichever changed last.
SeriesPlace mergedPlace(const TodoItem &base, const TodoItem &mine, const TodoItem &theirs,
                            bool mineIsLater)
{
    const SeriesPlace b = placeOf(base);
    const SeriesPlace m = placeOf(mine);
    const SeriesPlace t = placeOf(theirs);
    if (m != b && t != b && m.time != t.time)
        return m.time > t.time ? m : t;
    return mergedField(b, m, t, mineIsLater);
}

} // namespace

TodoItem mergeTodo(const TodoItem &base, const TodoItem &mine, double mineTime,
                   const TodoItem &theirs, std::optional<double> theirTime)
{
    const bool mineIsLater = !theirTime || mineTime >= *theirTime;
    const TodoExtras &b = base.extras();
    const TodoExtras &m = mine.extras();
    const TodoExtras &t = theirs.extras();
    auto due = mergedField(dueOf(base), dueOf(mine), dueOf(theirs), mineIsLater);
    TodoExtras extras = m;
    extras.completed = mergedField(b.completed, m.completed, t.completed, mineIsLater);
    extras.uid = changedSide(b.uid, m.uid, t.uid);
    extras.alarm = changedSide(b.alarm, m.alarm, t.alarm);
    extras.rrule = changedSide(b.rrule, m.rrule, t.rrule);
    if (base.repeats() || mine.repeats() || theirs.repeats()) {
        const SeriesPlace place = mergedPlace(base, mine, theirs, mineIsLater);
        due = {place.time, place.wholeDay};
        extras.rrule = place.rule;
    }
    extras.wholeDay = due.second;
    return TodoItem(mergedField(base.name(), mine.name(), theirs.name(), mineIsLater), due.first,
                    mergedField(base.priority(), mine.priority(), theirs.priority(), mineIsLater),
                    mine.id(), std::move(extras));
}
