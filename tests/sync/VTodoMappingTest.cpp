// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include <ContentLines.h>
#include <VTodoMapping.h>

#include <gtest/gtest.h>

namespace {

const LocalCalendar berlin("Europe/Berlin");

double utc(int year, int month, int day, int hour, int minute)
{
    return *LocalCalendar("UTC").instant(year, month, day, hour, minute, 0);
}

std::string calendar(std::string_view todoLines)
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\n"
           "UID:other-client-1\r\nSUMMARY:Call Ann\r\n" +
           std::string(todoLines) + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

struct ReadCase {
    const char *what;
    std::string text;
    bool shown;
    std::optional<double> due;
    bool allDay;
    TodoPriority priority;
    std::optional<double> reminder;
};

class ReadingVTodos : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingVTodos, GivesWhatTheListShows)
{
    const ReadCase &c = GetParam();
    const auto todo = readVTodo(c.text, berlin);
    ASSERT_TRUE(todo) << c.what;
    EXPECT_EQ(todo->uid, "other-client-1");
    EXPECT_EQ(todo->name, "Call Ann");
    EXPECT_EQ(todo->shown(), c.shown) << c.what;
    EXPECT_EQ(todo->due, c.due) << c.what;
    EXPECT_EQ(todo->allDay, c.allDay) << c.what;
    EXPECT_EQ(todo->priority, c.priority) << c.what;
    EXPECT_EQ(todo->reminder, c.reminder) << c.what;
}

const double march5 = utc(2026, 3, 5, 18, 30);

INSTANTIATE_TEST_SUITE_P(
    Cases, ReadingVTodos,
    testing::Values(
        ReadCase{"UTC, high", calendar("DUE:20260305T183000Z\r\nPRIORITY:1\r\n"), true, march5,
                 false, TodoPriority::high, march5},
        ReadCase{"TZID known to the system",
                 calendar("DUE;TZID=Europe/Berlin:20260305T193000\r\nPRIORITY:4\r\n"), true, march5,
                 false, TodoPriority::high, march5},
        ReadCase{"TZID from the object's own VTIMEZONE",
                 "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nBEGIN:VTIMEZONE\r\nTZID:Office\r\n"
                 "BEGIN:STANDARD\r\nDTSTART:19700101T000000\r\nTZOFFSETFROM:+0500\r\n"
                 "TZOFFSETTO:+0500\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VTODO\r\n"
                 "UID:other-client-1\r\nSUMMARY:Call Ann\r\nDUE;TZID=Office:20260305T233000\r\n"
                 "END:VTODO\r\nEND:VCALENDAR\r\n",
                 true, march5, false, TodoPriority::medium, march5},
        ReadCase{"floating, in the local zone", calendar("DUE:20260305T193000\r\nPRIORITY:5\r\n"),
                 true, march5, false, TodoPriority::medium, march5},
        ReadCase{"all-day: no reminder of its own", calendar("DUE;VALUE=DATE:20260305\r\n"), true,
                 utc(2026, 3, 4, 23, 0), true, TodoPriority::medium, std::nullopt},
        ReadCase{"all-day with an alarm before its start",
                 calendar("DUE;VALUE=DATE:20260305\r\nPRIORITY:0\r\nBEGIN:VALARM\r\n"
                          "ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT15H\r\nEND:VALARM\r\n"),
                 true, utc(2026, 3, 4, 23, 0), true, TodoPriority::medium, utc(2026, 3, 4, 8, 0)},
        ReadCase{"alarm relative to DTSTART",
                 calendar("DTSTART:20260305T100000Z\r\nDUE:20260305T183000Z\r\nPRIORITY:6\r\n"
                          "BEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:PT1H\r\nEND:VALARM\r\n"),
                 true, march5, false, TodoPriority::low, utc(2026, 3, 5, 11, 0)},
        ReadCase{"alarm at a fixed time",
                 calendar("DUE:20260305T183000Z\r\nPRIORITY:9\r\nBEGIN:VALARM\r\n"
                          "ACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20260305T170000Z\r\n"
                          "END:VALARM\r\n"),
                 true, march5, false, TodoPriority::low, utc(2026, 3, 5, 17, 0)},
        ReadCase{"no DUE", calendar("PRIORITY:2\r\n"), false, std::nullopt, false,
                 TodoPriority::high, std::nullopt},
        ReadCase{"completed", calendar("DUE:20260305T183000Z\r\nSTATUS:COMPLETED\r\n"), false,
                 march5, false, TodoPriority::medium, march5},
        ReadCase{"cancelled", calendar("DUE:20260305T183000Z\r\nSTATUS:CANCELLED\r\n"), false,
                 march5, false, TodoPriority::medium, march5},
        ReadCase{"COMPLETED without STATUS",
                 calendar("DUE:20260305T183000Z\r\nCOMPLETED:20260301T100000Z\r\n"), false, march5,
                 false, TodoPriority::medium, march5},
        ReadCase{"recurring: the main VTODO, not an override",
                 "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:other-client-1\r\nSUMMARY:Moved\r\n"
                 "RECURRENCE-ID:20260312T183000Z\r\nDUE:20260313T183000Z\r\nEND:VTODO\r\n"
                 "BEGIN:VTODO\r\nUID:other-client-1\r\nSUMMARY:Call Ann\r\nRRULE:FREQ=WEEKLY\r\n"
                 "DUE:20260305T183000Z\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
                 true, march5, false, TodoPriority::medium, march5}));

TEST(ReadingVTodos, IdentityComesFromTheUid)
{
    const std::string uuid = "e621e1f8-c36c-495a-93fc-0c247a3e6e5f";
    const auto plimsas = readVTodo("BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:" + uuid +
                                       "\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
                                   berlin);
    ASSERT_TRUE(plimsas);
    EXPECT_EQ(plimsas->id, *Uuid::fromString(uuid));

    const auto first = readVTodo(calendar(""), berlin);
    const auto again = readVTodo(calendar(""), berlin);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->id, again->id);
    EXPECT_NE(first->id, Uuid(Uuid::Bytes{}));
    std::string other = calendar("");
    other.replace(other.find("other-client-1"), 14, "other-client-2");
    EXPECT_NE(readVTodo(other, berlin)->id, first->id);
}

TEST(ReadingVTodos, WhatHoldsNoVTodoWithAUidIsNotRead)
{
    for (const std::string &text :
         {std::string(), std::string("not a calendar"),
          std::string(
              "BEGIN:VCALENDAR\r\nBEGIN:VEVENT\r\nUID:a\r\nEND:VEVENT\r\nEND:VCALENDAR\r\n"),
          std::string(
              "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nSUMMARY:x\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"),
          calendar("X-PAD:" + std::string(vTodoSizeLimit, 'a') + "\r\n")})
        EXPECT_FALSE(readVTodo(text, berlin)) << text.substr(0, 80);
}

TEST(WritingVTodos, ANewToDoReadsBackAsItself)
{
    const TodoItem item("Buy milk, bread; eggs\nand tea", utc(2026, 3, 5, 18, 30),
                        TodoPriority::high);
    const std::string text = newVTodo(item, utc(2026, 3, 1, 9, 0));
    for (const char *line : {"DUE:20260305T183000Z\r\n", "PRIORITY:1\r\n", "SEQUENCE:0\r\n",
                             "DTSTAMP:20260301T090000Z\r\n", "LAST-MODIFIED:20260301T090000Z\r\n",
                             "ACTION:DISPLAY\r\n", "TRIGGER;RELATED=END:PT0S\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    const auto read = readVTodo(text, berlin);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->uid, item.id().uuidString());
    EXPECT_EQ(read->item(), item);
    EXPECT_EQ(read->reminder, item.time());
    EXPECT_EQ(readVTodo(newVTodo(TodoItem("x", 0, TodoPriority::low), 0), berlin)->priority,
              TodoPriority::low);
}

struct UpdateCase {
    const char *what;
    std::string name;
    double time;
    TodoPriority priority;
    // Lines of the server copy that the edit replaces.
    std::vector<std::string> replaced;
    std::vector<std::string> added;
};

// Another client's to-do with much Plimsa does not know of.
const std::string otherClientsCopy =
    "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTIMEZONE\r\n"
    "TZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\nTZOFFSETFROM:+0200\r\n"
    "TZOFFSETTO:+0100\r\nEND:STANDARD\r\nEND:VTIMEZONE\r\nBEGIN:VTODO\r\nUID:other-client-1\r\n"
    "DTSTAMP:20260101T000000Z\r\nSUMMARY:Call Ann\r\nDUE;TZID=Europe/Berlin:20260305T193000\r\n"
    "PRIORITY:2\r\nSEQUENCE:4\r\nCATEGORIES:Work,Phone\r\nRRULE:FREQ=WEEKLY;COUNT=3\r\n"
    "DESCRIPTION:A long description that another client folded over more than one \r\n"
    " line\\, with an escaped comma\r\nX-OTHER-APP;X-PARAM=\"q\":kept\r\n"
    "BEGIN:VALARM\r\nACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT0S\r\nDESCRIPTION:Call Ann\r\n"
    "END:VALARM\r\nBEGIN:VALARM\r\nACTION:AUDIO\r\nTRIGGER:-PT10M\r\nEND:VALARM\r\n"
    "END:VTODO\r\nEND:VCALENDAR\r\n";

class UpdatingVTodos : public testing::TestWithParam<UpdateCase> {};

TEST_P(UpdatingVTodos, ChangesOnlyWhatPlimsaOwnsAndChanged)
{
    const UpdateCase &c = GetParam();
    const auto server = readVTodo(otherClientsCopy, berlin);
    ASSERT_TRUE(server);
    const TodoItem item(c.name, c.time, c.priority, server->id);
    const auto updated = updatedVTodo(otherClientsCopy, item, utc(2026, 3, 2, 8, 0), berlin);
    ASSERT_TRUE(updated) << c.what;

    std::vector<std::string> replaced = c.replaced;
    for (const char *stamp : {"DTSTAMP:20260101T000000Z\r\n", "SEQUENCE:4\r\n"})
        replaced.push_back(stamp);
    for (const ContentLine &line : splitContentLines(otherClientsCopy)) {
        const bool gone = std::find(replaced.begin(), replaced.end(), line.raw) != replaced.end();
        EXPECT_EQ(updated->find(line.raw) == std::string::npos, gone) << c.what << ": " << line.raw;
    }
    std::vector<std::string> added = c.added;
    for (const char *stamp : {"SEQUENCE:5\r\n", "LAST-MODIFIED:20260302T080000Z\r\n"})
        added.push_back(stamp);
    for (const std::string &line : added)
        EXPECT_NE(updated->find(line), std::string::npos) << c.what << ": " << line;

    const auto read = readVTodo(*updated, berlin);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->item(), item) << c.what;
    EXPECT_EQ(read->sequence, 5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, UpdatingVTodos,
    testing::Values(
        UpdateCase{
            "nothing changed but the stamps", "Call Ann", march5, TodoPriority::high, {}, {}},
        UpdateCase{"renamed: the name and Plimsa's own alarm",
                   "Call Ann back",
                   march5,
                   TodoPriority::high,
                   {"SUMMARY:Call Ann\r\n", "DESCRIPTION:Call Ann\r\n"},
                   {"SUMMARY:Call Ann back\r\n", "DESCRIPTION:Call Ann back\r\n"}},
        UpdateCase{"moved: DUE written in UTC",
                   "Call Ann",
                   utc(2026, 3, 6, 10, 0),
                   TodoPriority::high,
                   {"DUE;TZID=Europe/Berlin:20260305T193000\r\n"},
                   {"DUE:20260306T100000Z\r\n"}},
        UpdateCase{"lowered",
                   "Call Ann",
                   march5,
                   TodoPriority::low,
                   {"PRIORITY:2\r\n"},
                   {"PRIORITY:9\r\n"}}));

TEST(UpdatingVTodos, AnAllDayDueStaysWhileTheTimeIsUnchanged)
{
    const std::string copy = calendar("DUE;VALUE=DATE:20260305\r\n");
    const auto server = readVTodo(copy, berlin);
    ASSERT_TRUE(server);
    TodoItem renamed("Call Bob", *server->due, server->priority, server->id);
    const auto updated = updatedVTodo(copy, renamed, 0, berlin);
    ASSERT_TRUE(updated);
    EXPECT_NE(updated->find("DUE;VALUE=DATE:20260305\r\n"), std::string::npos) << *updated;
    EXPECT_TRUE(readVTodo(*updated, berlin)->allDay);
    EXPECT_FALSE(updatedVTodo("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", renamed, 0, berlin));
}

} // namespace
