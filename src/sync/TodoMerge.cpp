// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoMerge.h"

namespace {

template <typename T> T mergedField(const T &base, const T &mine, const T &theirs, bool mineIsLater)
{
    const bool mineChanged = !(mine == base);
    const bool theirsChanged = !(theirs == base);
    if (mineChanged && theirsChanged)
        return mineIsLater ? mine : theirs;
    return theirsChanged ? theirs : mine;
}

} // namespace

TodoItem mergeTodo(const TodoItem &base, const TodoItem &mine, double mineTime,
                   const TodoItem &theirs, std::optional<double> theirTime)
{
    const bool mineIsLater = !theirTime || mineTime >= *theirTime;
    return TodoItem(mergedField(base.name(), mine.name(), theirs.name(), mineIsLater),
                    mergedField(base.time(), mine.time(), theirs.time(), mineIsLater),
                    mergedField(base.priority(), mine.priority(), theirs.priority(), mineIsLater),
                    mine.id());
}
