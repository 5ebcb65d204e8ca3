// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RepeatWords.h"

QString RepeatWords::of(const std::string &rrule) const
{
    return rrule.empty() ? QString() : of(m_view.shownRepeat(rrule), rrule);
}

QString RepeatWords::of(const RepeatChoice &choice, const std::string &rrule) const
{
    using Frequency = RepeatChoice::Frequency;
    const int n = choice.interval;
    QString words;
    switch (choice.frequency) {
    case Frequency::never:
        return {};
    case Frequency::custom:
        //: A repeat the forms cannot show, given as its iCalendar rule
        return tr("repeats by the rule %1").arg(QString::fromStdString(rrule));
    case Frequency::daily:
        words = n == 1 ? tr("repeats every day") : tr("repeats every %n days", nullptr, n);
        break;
    case Frequency::weekdays:
        words = tr("repeats every weekday");
        break;
    case Frequency::weekly:
        words = n == 1 ? tr("repeats every week") : tr("repeats every %n weeks", nullptr, n);
        break;
    case Frequency::monthly:
        words = n == 1 ? tr("repeats every month") : tr("repeats every %n months", nullptr, n);
        break;
    case Frequency::yearly:
        words = n == 1 ? tr("repeats every year") : tr("repeats every %n years", nullptr, n);
        break;
    }
    if (choice.until.isValid()) {
        if (!m_dayFormatter)
            m_dayFormatter.emplace(DateFormatter::withSkeleton(QStringLiteral("MMMd")));
        //: A repeat and its last day: "repeats every week until Dec 31"
        return tr("%1 until %2").arg(words, m_dayFormatter->format(m_view.noonOn(choice.until)));
    }
    if (choice.count == 1)
        //: A repeat whose current time is its last one
        return tr("%1, for the last time").arg(words);
    if (choice.count > 1)
        //: A repeat and how many times are left, this one included
        return tr("%1, %n times left", nullptr, choice.count).arg(words);
    return words;
}
