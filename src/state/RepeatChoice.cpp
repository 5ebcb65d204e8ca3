// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "RepeatChoice.h"

#include <Instant.h>

#include <QSet>
#include <QString>
#include <QStringList>
#include <QTime>

#include <cmath>
#include <optional>

namespace {

using Frequency = RepeatChoice::Frequency;

constexpr const char *weekdays = "MO,TU,WE,TH,FR";
constexpr qint64 unixEpochJulianDay = 2440588;
constexpr qint64 secondsPerDay = 86400;

std::optional<Frequency> frequencyNamed(const QString &name)
{
    if (name == QLatin1String("DAILY"))
        return Frequency::daily;
    if (name == QLatin1String("WEEKLY"))
        return Frequency::weekly;
    if (name == QLatin1String("MONTHLY"))
        return Frequency::monthly;
    if (name == QLatin1String("YEARLY"))
        return Frequency::yearly;
    return std::nullopt;
}

const char *frequencyName(Frequency frequency)
{
    switch (frequency) {
    case Frequency::daily:
        return "DAILY";
    case Frequency::weekly:
    case Frequency::weekdays:
        return "WEEKLY";
    case Frequency::monthly:
        return "MONTHLY";
    case Frequency::yearly:
        return "YEARLY";
    case Frequency::never:
    case Frequency::custom:
        break;
    }
    return "";
}

int positive(const QString &text)
{
    bool ok = false;
    const int value = text.toInt(&ok);
    return ok && value > 0 ? value : 0;
}

// The day of an UNTIL value: a date, a wall time, or a UTC time on its local day.
QDate untilDay(const QString &value, const LocalCalendar &calendar)
{
    const QDate day = QDate::fromString(value.left(8), QStringLiteral("yyyyMMdd"));
    if (value.size() == 8 || !day.isValid())
        return value.size() == 8 ? day : QDate();
    const QTime time = QTime::fromString(value.mid(9, 6), QStringLiteral("HHmmss"));
    if (value.size() == 15 && value[8] == u'T' && time.isValid())
        return day;
    if (value.size() != 16 || value[8] != u'T' || value[15] != u'Z' || !time.isValid())
        return QDate();
    const qint64 unixSeconds = (day.toJulianDay() - unixEpochJulianDay) * secondsPerDay +
                               time.msecsSinceStartOfDay() / 1000;
    const DateComponents local =
        calendar.components(static_cast<double>(unixSeconds) - referenceDateUnixSeconds);
    return QDate(local.year, local.month, local.day);
}

// An instant as an iCalendar UTC time, 20261231T225959Z.
QString utcText(double instant)
{
    const qint64 unixSeconds = std::llround(instant + referenceDateUnixSeconds);
    const qint64 days = unixSeconds / secondsPerDay - (unixSeconds % secondsPerDay < 0 ? 1 : 0);
    const QDate day = QDate::fromJulianDay(days + unixEpochJulianDay);
    const QTime time = QTime::fromMSecsSinceStartOfDay(
        static_cast<int>((unixSeconds - days * secondsPerDay) * 1000));
    return day.toString(QStringLiteral("yyyyMMdd")) + u'T' +
           time.toString(QStringLiteral("HHmmss")) + u'Z';
}

} // namespace

RepeatChoice repeatChoiceOf(std::string_view rrule, const LocalCalendar &calendar)
{
    RepeatChoice choice;
    if (rrule.empty())
        return choice;
    RepeatChoice custom;
    custom.frequency = Frequency::custom;
    QSet<QString> seen;
    bool onWeekdays = false;
    for (const QString &part :
         QString::fromUtf8(rrule.data(), static_cast<qsizetype>(rrule.size())).split(u';')) {
        const QStringList keyValue = part.split(u'=');
        if (keyValue.size() != 2)
            return custom;
        const QString key = keyValue[0].toUpper();
        const QString value = keyValue[1].toUpper();
        if (seen.contains(key))
            return custom;
        seen.insert(key);
        if (key == QLatin1String("FREQ")) {
            const auto frequency = frequencyNamed(value);
            if (!frequency)
                return custom;
            choice.frequency = *frequency;
        } else if (key == QLatin1String("INTERVAL")) {
            choice.interval = positive(value);
        } else if (key == QLatin1String("COUNT")) {
            choice.count = positive(value);
            if (choice.count == 0)
                return custom;
        } else if (key == QLatin1String("UNTIL")) {
            choice.until = untilDay(value, calendar);
            if (!choice.until.isValid())
                return custom;
        } else if (key == QLatin1String("BYDAY") && value == QLatin1String(weekdays)) {
            onWeekdays = true;
        } else {
            return custom;
        }
    }
    if (choice.frequency == Frequency::never || choice.interval == 0 ||
        (choice.count > 0 && choice.until.isValid()))
        return custom;
    if (onWeekdays) {
        if (choice.frequency != Frequency::weekly || choice.interval != 1)
            return custom;
        choice.frequency = Frequency::weekdays;
    }
    return choice;
}

std::string ruleOf(const RepeatChoice &choice, bool wholeDay, const LocalCalendar &calendar)
{
    if (choice.frequency == Frequency::never || choice.frequency == Frequency::custom)
        return {};
    std::string rule = std::string("FREQ=") + frequencyName(choice.frequency);
    if (choice.frequency == Frequency::weekdays)
        rule += std::string(";BYDAY=") + weekdays;
    else if (choice.interval > 1)
        rule += ";INTERVAL=" + std::to_string(choice.interval);
    if (choice.until.isValid()) {
        const QDate day = choice.until;
        const std::optional<double> end =
            wholeDay ? std::nullopt
                     : calendar.instant(day.year(), day.month(), day.day(), 23, 59, 59);
        rule += ";UNTIL=" +
                (end ? utcText(*end) : day.toString(QStringLiteral("yyyyMMdd"))).toStdString();
    } else if (choice.count > 0) {
        rule += ";COUNT=" + std::to_string(choice.count);
    }
    return rule;
}
