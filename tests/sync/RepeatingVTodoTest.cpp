// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoChanges.h"

#include <ContentLines.h>
#include <VTodoMapping.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>

namespace {

const LocalCalendar berlin("Europe/Berlin");

double utc(int year, int month, int day, int hour, int minute)
{
    return *LocalCalendar("UTC").instant(year, month, day, hour, minute, 0);
}

const double march1 = utc(2026, 3, 1, 0, 0);
const double writtenAt = utc(2026, 3, 2, 8, 0);

const std::string berlinZone =
    "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
    "TZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nRRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\n"
    "END:STANDARD\r\nBEGIN:DAYLIGHT\r\nDTSTART:19700329T020000\r\nTZOFFSETFROM:+0100\r\n"
    "TZOFFSETTO:+0200\r\nRRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU\r\nEND:DAYLIGHT\r\n"
    "END:VTIMEZONE\r\n";

// One object: the zone, the series' VTODO with these lines, then its overrides.
std::string object(std::string_view lines, std::string_view overrides = {})
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n" + berlinZone +
           "BEGIN:VTODO\r\nUID:series-1\r\nSEQUENCE:2\r\nSUMMARY:Water plants\r\n" +
           std::string(lines) + "END:VTODO\r\n" + std::string(overrides) + "END:VCALENDAR\r\n";
}

std::string overriding(std::string_view recurrenceId, std::string_view lines)
{
    return "BEGIN:VTODO\r\nUID:series-1\r\nRECURRENCE-ID;TZID=Europe/Berlin:" +
           std::string(recurrenceId) + "\r\nDTSTAMP:20260301T000000Z\r\n" + std::string(lines) +
           "END:VTODO\r\n";
}

// A master due daily at 08:30 UTC from 5 March, twice.
const std::string utcMaster =
    "DTSTART:20260305T083000Z\r\nDUE:20260305T083000Z\r\nRRULE:FREQ=DAILY;COUNT=2\r\n";

std::string overridingAt(std::string_view recurrenceId, std::string_view lines)
{
    return "BEGIN:VTODO\r\nUID:series-1\r\nRECURRENCE-ID:" + std::string(recurrenceId) + "\r\n" +
           std::string(lines) + "END:VTODO\r\n";
}

const std::string done = "STATUS:COMPLETED\r\nCOMPLETED:20260305T100000Z\r\n";
const std::string cancelled = "STATUS:CANCELLED\r\n";

// A master due daily at 09:30 in Berlin from 5 March, ten times.
const std::string master = "DTSTART;TZID=Europe/Berlin:20260305T093000\r\n"
                           "DUE;TZID=Europe/Berlin:20260305T093000\r\n"
                           "RRULE:FREQ=DAILY;COUNT=10\r\n";

// The app finished occurrences: due later, the rule counted from there.
Change dueAt(double time, std::string rule)
{
    return [time, rule](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.rrule = rule;
        return item.with(item.name(), time, item.priority()).withExtras(extras);
    };
}

struct RepeatCase {
    const char *what;
    std::string copy;
    // As read: due, rule and name of the occurrence still to do; done when none is.
    double due;
    std::string rule;
    std::string name;
    bool done;
    // What the app then writes, if anything.
    Change here;
    // Lines the write adds, as often as listed, and copy lines it replaces.
    std::vector<std::string> added;
    std::vector<std::string> gone;
    // The name the next occurrence has of its own, when not the one finished.
    std::string nextName{};
};

std::size_t occurrences(const std::string &text, const std::string &line)
{
    std::size_t count = 0;
    for (auto at = text.find(line); at != std::string::npos; at = text.find(line, at + 1))
        ++count;
    return count;
}

class RepeatingVTodos : public testing::TestWithParam<RepeatCase> {};

TEST_P(RepeatingVTodos, AreReadAtTheOccurrenceToDoAndWrittenInTheirForm)
{
    const RepeatCase &c = GetParam();
    const auto read = readVTodo(c.copy, berlin, march1);
    ASSERT_TRUE(read) << c.what;
    EXPECT_EQ(read->due, c.due) << c.what;
    EXPECT_EQ(read->extras.rrule, c.rule) << c.what;
    EXPECT_EQ(read->name, c.name) << c.what;
    EXPECT_EQ(read->extras.completed.has_value(), c.done) << c.what;
    if (!c.here)
        return;

    const TodoItem item = c.here(read->item());
    const auto written = updatedVTodo(c.copy, item, writtenAt, berlin);
    ASSERT_TRUE(written) << c.what;
    for (const ContentLine &line : splitContentLines(c.copy)) {
        if (line.name == "DTSTAMP" || line.name == "LAST-MODIFIED" || line.name == "SEQUENCE")
            continue;
        const bool gone = std::ranges::find(c.gone, line.raw) != c.gone.end();
        EXPECT_EQ(written->find(line.raw) == std::string::npos, gone)
            << c.what << ": " << line.raw << *written;
    }
    std::map<std::string, std::size_t> added;
    for (const std::string &line : c.added)
        ++added[line];
    for (const auto &[line, times] : added)
        EXPECT_EQ(occurrences(*written, line), occurrences(c.copy, line) + times)
            << c.what << ": " << line << *written;
    const auto back = readVTodo(*written, berlin, march1);
    ASSERT_TRUE(back) << c.what;
    const TodoItem expected =
        c.nextName.empty() ? item : item.with(c.nextName, item.time(), item.priority());
    EXPECT_EQ(back->item(), expected) << c.what << "\n" << *written;
}

INSTANTIATE_TEST_SUITE_P(
    Forms, RepeatingVTodos,
    testing::Values(
        RepeatCase{"in place, in a zone, across the spring change: DTSTART keeps its zone and "
                   "wall time, the alarm at a time moves, the relative one stays",
                   object("DTSTART;TZID=Europe/Berlin:20260328T093000\r\n"
                          "DUE;TZID=Europe/Berlin:20260328T093000\r\nRRULE:FREQ=DAILY;COUNT=5\r\n"
                          "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:"
                          "20260328T080000Z\r\nEND:VALARM\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\n"
                          "TRIGGER:-PT15M\r\nEND:VALARM\r\n"),
                   utc(2026, 3, 28, 8, 30),
                   "FREQ=DAILY;COUNT=5",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 29, 7, 30), "FREQ=DAILY;COUNT=4"),
                   {"DTSTART;TZID=Europe/Berlin:20260329T093000\r\n", "DUE:20260329T073000Z\r\n",
                    "RRULE:FREQ=DAILY;COUNT=4\r\n", "TRIGGER;VALUE=DATE-TIME:20260329T070000Z\r\n"},
                   {"DTSTART;TZID=Europe/Berlin:20260328T093000\r\n",
                    "DUE;TZID=Europe/Berlin:20260328T093000\r\n", "RRULE:FREQ=DAILY;COUNT=5\r\n",
                    "TRIGGER;VALUE=DATE-TIME:20260328T080000Z\r\n"}},
        RepeatCase{"in place, floating, two weeks passed",
                   object("DTSTART:20260305T093000\r\nDUE:20260305T093000\r\n"
                          "RRULE:FREQ=WEEKLY;BYDAY=TH;COUNT=3\r\n"),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=WEEKLY;BYDAY=TH;COUNT=3",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 19, 8, 30), "FREQ=WEEKLY;BYDAY=TH;COUNT=1"),
                   {"DTSTART:20260319T093000\r\n", "DUE:20260319T083000Z\r\n",
                    "RRULE:FREQ=WEEKLY;BYDAY=TH;COUNT=1\r\n"},
                   {"DTSTART:20260305T093000\r\n", "DUE:20260305T093000\r\n",
                    "RRULE:FREQ=WEEKLY;BYDAY=TH;COUNT=3\r\n"}},
        RepeatCase{"in place, a start after its due time: the start does not pass the new one",
                   object("DTSTART:20260306T083000Z\r\nDUE:20260305T083000Z\r\n"
                          "RRULE:FREQ=DAILY\r\n"),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=DAILY",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 6, 8, 30), "FREQ=DAILY"),
                   {"DUE:20260306T083000Z\r\n"},
                   {"DUE:20260305T083000Z\r\n"}},
        RepeatCase{"in place, UTC, until a day: the rule stays",
                   object("DTSTART:20260305T083000Z\r\nDUE:20260305T083000Z\r\n"
                          "RRULE:FREQ=DAILY;UNTIL=20260401T000000Z\r\n"),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=DAILY;UNTIL=20260401T000000Z",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 6, 8, 30), "FREQ=DAILY;UNTIL=20260401T000000Z"),
                   {"DTSTART:20260306T083000Z\r\n", "DUE:20260306T083000Z\r\n"},
                   {"DTSTART:20260305T083000Z\r\n", "DUE:20260305T083000Z\r\n"}},
        RepeatCase{"in place, whole days: dates stay dates",
                   object("DTSTART;VALUE=DATE:20260305\r\nDUE;VALUE=DATE:20260305\r\n"
                          "RRULE:FREQ=MONTHLY;COUNT=12\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                          "TRIGGER:-PT15H\r\nEND:VALARM\r\n"),
                   utc(2026, 3, 4, 23, 0),
                   "FREQ=MONTHLY;COUNT=12",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 4, 4, 22, 0), "FREQ=MONTHLY;COUNT=11"),
                   {"DTSTART;VALUE=DATE:20260405\r\n", "DUE;VALUE=DATE:20260405\r\n",
                    "RRULE:FREQ=MONTHLY;COUNT=11\r\n"},
                   {"DTSTART;VALUE=DATE:20260305\r\n", "DUE;VALUE=DATE:20260305\r\n",
                    "RRULE:FREQ=MONTHLY;COUNT=12\r\n"}},
        RepeatCase{"master, none done, one moved later: the first",
                   object(master, overriding("20260306T093000", "DUE:20260306T150000Z\r\n")),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=DAILY;COUNT=10",
                   "Water plants",
                   false,
                   {},
                   {},
                   {}},
        RepeatCase{"master, one done: the next; finishing it adds a done override",
                   object(master, overriding("20260305T093000", done)),
                   utc(2026, 3, 6, 8, 30),
                   "FREQ=DAILY;COUNT=9",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 7, 8, 30), "FREQ=DAILY;COUNT=8"),
                   {"RECURRENCE-ID;TZID=Europe/Berlin:20260306T093000\r\n", "STATUS:COMPLETED\r\n",
                    "COMPLETED:20260302T080000Z\r\n"},
                   {}},
        RepeatCase{"master, two done: the third; two days missed become cancelled overrides",
                   object(master, overriding("20260305T093000", done) +
                                      overriding("20260306T093000", "PERCENT-COMPLETE:100\r\n")),
                   utc(2026, 3, 7, 8, 30),
                   "FREQ=DAILY;COUNT=8",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 10, 8, 30), "FREQ=DAILY;COUNT=5"),
                   {"RECURRENCE-ID;TZID=Europe/Berlin:20260307T093000\r\n",
                    "RECURRENCE-ID;TZID=Europe/Berlin:20260308T093000\r\n",
                    "RECURRENCE-ID;TZID=Europe/Berlin:20260309T093000\r\n", "STATUS:COMPLETED\r\n",
                    cancelled, cancelled},
                   {}},
        RepeatCase{"master, one done and one cancelled: the third; renamed on the master",
                   object(master, overriding("20260306T093000", cancelled) +
                                      overriding("20260305T093000", done)),
                   utc(2026, 3, 7, 8, 30),
                   "FREQ=DAILY;COUNT=8",
                   "Water plants",
                   false,
                   renamed("Water the plants"),
                   {"SUMMARY:Water the plants\r\n"},
                   {"SUMMARY:Water plants\r\n"}},
        RepeatCase{"master, the current one moved and renamed by its override: as it says; "
                   "finishing closes that override",
                   object(master, overriding("20260305T093000", done) +
                                      overriding("20260306T093000", "SUMMARY:Water ferns\r\n"
                                                                    "DUE:20260306T150000Z\r\n")),
                   utc(2026, 3, 6, 15, 0),
                   "FREQ=DAILY;COUNT=9",
                   "Water ferns",
                   false,
                   dueAt(utc(2026, 3, 7, 8, 30), "FREQ=DAILY;COUNT=8"),
                   {"STATUS:COMPLETED\r\n"},
                   {},
                   "Water plants"},
        RepeatCase{"master, finished after more than a year: moved in place rather than given "
                   "hundreds of overrides",
                   object("DTSTART:20260305T083000Z\r\nDUE:20260305T083000Z\r\n"
                          "RRULE:FREQ=DAILY\r\n",
                          overridingAt("20260305T083000Z", done)),
                   utc(2026, 3, 6, 8, 30),
                   "FREQ=DAILY",
                   "Water plants",
                   false,
                   dueAt(utc(2027, 4, 10, 8, 30), "FREQ=DAILY"),
                   {"DTSTART:20270410T083000Z\r\n", "DUE:20270410T083000Z\r\n"},
                   {"DTSTART:20260305T083000Z\r\n", "DUE:20260305T083000Z\r\n"}},
        RepeatCase{"master on whole days, one done: overrides name a date",
                   object("DTSTART;VALUE=DATE:20260305\r\nDUE;VALUE=DATE:20260305\r\n"
                          "RRULE:FREQ=WEEKLY\r\n",
                          "BEGIN:VTODO\r\nUID:series-1\r\nRECURRENCE-ID;VALUE=DATE:20260305\r\n" +
                              done + "END:VTODO\r\n"),
                   utc(2026, 3, 11, 23, 0),
                   "FREQ=WEEKLY",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 18, 23, 0), "FREQ=WEEKLY"),
                   {"RECURRENCE-ID;VALUE=DATE:20260312\r\n", "DTSTART;VALUE=DATE:20260312\r\n",
                    "DUE;VALUE=DATE:20260312\r\n"},
                   {}},
        RepeatCase{
            "master, every occurrence done: done at the last; reopened, the last opens",
            object(utcMaster, overridingAt("20260305T083000Z", done) +
                                  overridingAt("20260306T083000Z", "PERCENT-COMPLETE:100\r\n")),
            utc(2026, 3, 6, 8, 30),
            "FREQ=DAILY;COUNT=1",
            "Water plants",
            true,
            completedAt(std::nullopt),
            {"STATUS:NEEDS-ACTION\r\n", "STATUS:NEEDS-ACTION\r\n"},
            {"PERCENT-COMPLETE:100\r\n"}},
        RepeatCase{"master, the last occurrence to do ticked off: the master is done",
                   object(utcMaster, overridingAt("20260305T083000Z", done)),
                   utc(2026, 3, 6, 8, 30),
                   "FREQ=DAILY;COUNT=1",
                   "Water plants",
                   false,
                   completedAt(writtenAt),
                   {"STATUS:COMPLETED\r\n", "COMPLETED:20260302T080000Z\r\n"},
                   {}},
        RepeatCase{"every second: not followed, shown at DUE, kept when moved",
                   object("DTSTART:20260305T083000Z\r\nDUE:20260305T083000Z\r\n"
                          "RRULE:FREQ=SECONDLY\r\n",
                          overriding("20260305T093000", done)),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=SECONDLY",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 6, 8, 30), "FREQ=SECONDLY"),
                   {"DUE:20260306T083000Z\r\n"},
                   {"DUE:20260305T083000Z\r\n"}},
        RepeatCase{"unreadable: shown at DUE, kept as written",
                   object("DUE:20260305T083000Z\r\nRRULE:FREQ=DAILY;X-NOT=1;COUNT=2\r\n",
                          overriding("20260305T093000", done)),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=DAILY;X-NOT=1;COUNT=2",
                   "Water plants",
                   false,
                   renamed("Water ferns"),
                   {"SUMMARY:Water ferns\r\n"},
                   {"SUMMARY:Water plants\r\n"}},
        RepeatCase{"a count no one means, and a rule that never matches: shown at DUE",
                   object("DUE:20260305T083000Z\r\nRRULE:FREQ=HOURLY;COUNT=999999999\r\n",
                          overriding("20260305T093000", done)),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=HOURLY;COUNT=999999999",
                   "Water plants",
                   false,
                   dueAt(utc(2026, 3, 5, 9, 30), "FREQ=HOURLY;COUNT=999999999"),
                   {"DUE:20260305T093000Z\r\n"},
                   {"DUE:20260305T083000Z\r\n"}},
        RepeatCase{"February the 30th: no occurrence, shown at DUE",
                   object("DUE:20260305T083000Z\r\nRRULE:FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30\r\n",
                          overriding("20260305T093000", done)),
                   utc(2026, 3, 5, 8, 30),
                   "FREQ=YEARLY;BYMONTH=2;BYMONTHDAY=30",
                   "Water plants",
                   false,
                   {},
                   {},
                   {}}));

} // namespace
