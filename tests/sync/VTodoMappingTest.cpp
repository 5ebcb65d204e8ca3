// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "TodoChanges.h"

#include <ContentLines.h>
#include <TodoMerge.h>
#include <VTodoMapping.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <functional>

namespace {

const LocalCalendar berlin("Europe/Berlin");

double utc(int year, int month, int day, int hour, int minute)
{
    return *LocalCalendar("UTC").instant(year, month, day, hour, minute, 0);
}

const double march1 = utc(2026, 3, 1, 0, 0);
const double march5 = utc(2026, 3, 5, 18, 30);

// A VTODO of another client with these lines after its UID.
std::string todoText(std::string_view lines, std::string_view uid = "other-client-1")
{
    return "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:" +
           std::string(uid) + "\r\n" + std::string(lines) + "END:VTODO\r\nEND:VCALENDAR\r\n";
}

std::string calendar(std::string_view todoLines)
{
    return todoText("SUMMARY:Call Ann\r\n" + std::string(todoLines));
}

Change movedBy(double seconds)
{
    return [seconds](const TodoItem &item) {
        return item.with(item.name(), item.time() + seconds, item.priority());
    };
}

// Every line of `before` is in `after` but for those in `gone` and the stamps
// every edit replaces; every line of `written` is.
void expectEdit(const std::string &before, const std::string &after,
                const std::vector<std::string> &gone, const std::vector<std::string> &written,
                const char *what)
{
    for (const ContentLine &line : splitContentLines(before)) {
        if (line.name == "DTSTAMP" || line.name == "LAST-MODIFIED" || line.name == "SEQUENCE")
            continue;
        const bool expectedGone = std::find(gone.begin(), gone.end(), line.raw) != gone.end();
        EXPECT_EQ(after.find(line.raw) == std::string::npos, expectedGone)
            << what << ": " << line.raw << after;
    }
    for (const std::string &line : written)
        EXPECT_NE(after.find(line), std::string::npos) << what << ": " << line << after;
}

struct ReadCase {
    const char *what;
    std::string text;
    bool shown;
    std::optional<double> due;
    bool wholeDay;
    TodoPriority priority;
    std::optional<double> reminder;
};

class ReadingVTodos : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadingVTodos, GivesWhatTheListShows)
{
    const ReadCase &c = GetParam();
    const auto todo = readVTodo(c.text, berlin, march1);
    ASSERT_TRUE(todo) << c.what;
    EXPECT_EQ(todo->uid, "other-client-1");
    EXPECT_EQ(todo->name, "Call Ann");
    EXPECT_EQ(todo->shown(), c.shown) << c.what;
    EXPECT_EQ(todo->due, c.due) << c.what;
    EXPECT_EQ(todo->extras.wholeDay, c.wholeDay) << c.what;
    EXPECT_EQ(todo->priority, c.priority) << c.what;
    if (c.shown) {
        EXPECT_EQ(todo->item().reminderAt(), c.reminder) << c.what;
    }
}

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
        ReadCase{"a DUE on no real day", calendar("DUE:20265584T183000Z\r\nPRIORITY:2\r\n"), false,
                 std::nullopt, false, TodoPriority::high, std::nullopt},
        ReadCase{"cancelled", calendar("DUE:20260305T183000Z\r\nSTATUS:CANCELLED\r\n"), false,
                 march5, false, TodoPriority::medium, march5},
        ReadCase{"recurring: the main VTODO, not an override",
                 "BEGIN:VCALENDAR\r\nBEGIN:VTODO\r\nUID:other-client-1\r\nSUMMARY:Moved\r\n"
                 "RECURRENCE-ID:20260312T183000Z\r\nDUE:20260313T183000Z\r\nEND:VTODO\r\n"
                 "BEGIN:VTODO\r\nUID:other-client-1\r\nSUMMARY:Call Ann\r\nRRULE:FREQ=WEEKLY\r\n"
                 "DUE:20260305T183000Z\r\nEND:VTODO\r\nEND:VCALENDAR\r\n",
                 true, march5, false, TodoPriority::medium, march5}));

TEST(ReadingVTodos, IdentityComesFromTheUid)
{
    const std::string uuid = "E621E1F8-C36C-495A-93FC-0C247A3E6E5F";
    const auto plimsas = readVTodo(todoText("", uuid), berlin, march1);
    ASSERT_TRUE(plimsas);
    EXPECT_EQ(plimsas->id, *Uuid::fromString(uuid));
    EXPECT_TRUE(plimsas->extras.uid.empty()) << "the id's own text";

    const std::string lower = "e621e1f8-c36c-495a-93fc-0c247a3e6e5f";
    const auto lowerCase = readVTodo(todoText("", lower), berlin, march1);
    ASSERT_TRUE(lowerCase);
    EXPECT_EQ(lowerCase->id, plimsas->id);
    EXPECT_EQ(lowerCase->extras.uid, lower);

    const auto first = readVTodo(calendar(""), berlin, march1);
    const auto again = readVTodo(calendar(""), berlin, march1);
    ASSERT_TRUE(first && again);
    EXPECT_EQ(first->id, again->id);
    EXPECT_NE(first->id, Uuid(Uuid::Bytes{}));
    EXPECT_EQ(first->extras.uid, "other-client-1");
    EXPECT_NE(readVTodo(todoText("", "other-client-2"), berlin, march1)->id, first->id);
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
        EXPECT_FALSE(readVTodo(text, berlin, march1)) << text.substr(0, 80);
}

TEST(WritingVTodos, ANewToDoReadsBackAsItself)
{
    const TodoItem item("Buy milk, bread; eggs\nand tea", utc(2026, 3, 5, 18, 30),
                        TodoPriority::high);
    const std::string text = newVTodo(item, utc(2026, 3, 1, 9, 0), berlin);
    for (const char *line : {"DUE:20260305T183000Z\r\n", "PRIORITY:1\r\n", "SEQUENCE:0\r\n",
                             "DTSTAMP:20260301T090000Z\r\n", "LAST-MODIFIED:20260301T090000Z\r\n",
                             "ACTION:DISPLAY\r\n", "TRIGGER;RELATED=END:PT0S\r\n"})
        EXPECT_NE(text.find(line), std::string::npos) << line << text;
    EXPECT_EQ(text.find("STATUS"), std::string::npos) << "open, as before";
    const auto read = readVTodo(text, berlin, march1);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->uid, item.id().uuidString());
    EXPECT_EQ(read->item(), item);
    EXPECT_EQ(read->item().reminderAt(), item.time());
    EXPECT_EQ(
        readVTodo(newVTodo(TodoItem("x", 0, TodoPriority::low), 0, berlin), berlin, 0)->priority,
        TodoPriority::low);

    // Undone or sent again, a to-do keeps all the list knows of it.
    TodoExtras doneExtras;
    doneExtras.completed = utc(2026, 3, 4, 12, 0);
    doneExtras.rrule = "FREQ=WEEKLY;COUNT=3";
    doneExtras.uid = item.id().uuidString();
    std::transform(doneExtras.uid.begin(), doneExtras.uid.end(), doneExtras.uid.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    doneExtras.alarm = -3600;
    const TodoItem done = item.withExtras(doneExtras);
    TodoExtras wholeDayExtras;
    wholeDayExtras.wholeDay = true;
    const TodoItem wholeDay = TodoItem("Pay rent", utc(2026, 3, 4, 23, 0), TodoPriority::medium)
                                  .withExtras(wholeDayExtras);
    for (const TodoItem &kept : {done, wholeDay}) {
        const std::string keptText = newVTodo(kept, march1, berlin);
        const auto keptRead = readVTodo(keptText, berlin, march1);
        ASSERT_TRUE(keptRead) << keptText;
        EXPECT_EQ(keptRead->item(), kept) << keptText;
    }
    EXPECT_NE(newVTodo(wholeDay, march1, berlin).find("DUE;VALUE=DATE:20260305\r\n"),
              std::string::npos);
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
    const auto server = readVTodo(otherClientsCopy, berlin, march1);
    ASSERT_TRUE(server);
    const TodoItem item = server->item().with(c.name, c.time, c.priority);
    const auto updated = updatedVTodo(otherClientsCopy, item, utc(2026, 3, 2, 8, 0), berlin);
    ASSERT_TRUE(updated) << c.what;

    std::vector<std::string> added = c.added;
    for (const char *stamp : {"SEQUENCE:5\r\n", "LAST-MODIFIED:20260302T080000Z\r\n"})
        added.push_back(stamp);
    expectEdit(otherClientsCopy, *updated, c.replaced, added, c.what);
    EXPECT_EQ(updated->find("DTSTAMP:20260101T000000Z\r\n"), std::string::npos);

    const auto read = readVTodo(*updated, berlin, march1);
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

TEST(UpdatingVTodos, ADayStartBecomesADateOrATimeOnlyWithTheWholeDayMark)
{
    const std::string copy = calendar("DUE;VALUE=DATE:20260305\r\n");
    const auto server = readVTodo(copy, berlin, march1);
    ASSERT_TRUE(server);
    // As a list from before whole days were marked holds it.
    const TodoItem renamedItem("Call Bob", *server->due, server->priority, server->id);
    const auto updated = updatedVTodo(copy, renamedItem, 0, berlin);
    ASSERT_TRUE(updated);
    EXPECT_NE(updated->find("DUE;VALUE=DATE:20260305\r\n"), std::string::npos) << *updated;
    EXPECT_TRUE(readVTodo(*updated, berlin, march1)->extras.wholeDay);
    EXPECT_FALSE(updatedVTodo("BEGIN:VCALENDAR\r\nEND:VCALENDAR\r\n", renamedItem, 0, berlin));

    const std::string timed = calendar("DUE:20260304T230000Z\r\n");
    TodoExtras wholeDay;
    wholeDay.wholeDay = true;
    const auto marked = updatedVTodo(
        timed, readVTodo(timed, berlin, march1)->item().withExtras(wholeDay), 0, berlin);
    ASSERT_TRUE(marked);
    EXPECT_NE(marked->find("DUE;VALUE=DATE:20260305\r\n"), std::string::npos) << *marked;
}

// Done and reopened, read, written and merged.
struct CompletionCase {
    const char *what;
    // The VTODO's lines on the server, as Plimsa last synced them.
    std::string server;
    // Plimsa's change; none: only read.
    Change here;
    // Changed by another client since (the VTODO's lines); empty: not.
    std::string there;
    // When Plimsa's change was made, against LAST-MODIFIED there.
    double hereTime;
    std::optional<double> completed;
    std::string name;
    std::vector<std::string> written;
    std::vector<std::string> gone;
};

class CompletingVTodos : public testing::TestWithParam<CompletionCase> {};

TEST_P(CompletingVTodos, AgreesWithEveryClient)
{
    const CompletionCase &c = GetParam();
    const std::string synced = calendar(c.server);
    const auto base = readVTodo(synced, berlin, march1);
    ASSERT_TRUE(base) << c.what;
    EXPECT_TRUE(base->shown()) << c.what << ": done to-dos are in the list";
    TodoItem result = base->item();
    if (c.here) {
        TodoItem mine = c.here(base->item());
        const std::string copy = c.there.empty() ? synced : todoText(c.there);
        if (!c.there.empty()) {
            const auto theirs = readVTodo(copy, berlin, march1);
            ASSERT_TRUE(theirs) << c.what;
            mine = mergeTodo(base->item(), mine, c.hereTime, theirs->item(), theirs->lastModified);
        }
        const auto updated = updatedVTodo(copy, mine, utc(2026, 3, 6, 8, 0), berlin);
        ASSERT_TRUE(updated) << c.what;
        expectEdit(copy, *updated, c.gone, c.written, c.what);
        const auto read = readVTodo(*updated, berlin, march1);
        ASSERT_TRUE(read) << c.what;
        result = read->item();
    }
    EXPECT_EQ(result.completed(), c.completed) << c.what;
    EXPECT_EQ(result.name(), c.name) << c.what;
}

const std::string openCopy = "SUMMARY:Call Ann\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work\r\n"
                             "LAST-MODIFIED:20260302T100000Z\r\nSTATUS:IN-PROCESS\r\n"
                             "PERCENT-COMPLETE:40\r\n";
const std::string doneCopy = "SUMMARY:Call Ann\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work\r\n"
                             "LAST-MODIFIED:20260302T100000Z\r\nSTATUS:COMPLETED\r\n"
                             "COMPLETED:20260302T090000Z\r\nPERCENT-COMPLETE:100\r\n";
const std::vector<std::string> doneLines{"STATUS:COMPLETED\r\n", "COMPLETED:20260302T090000Z\r\n",
                                         "PERCENT-COMPLETE:100\r\n"};

INSTANTIATE_TEST_SUITE_P(
    Cases, CompletingVTodos,
    testing::Values(
        CompletionCase{"STATUS alone: done when it last changed",
                       "DUE:20260305T183000Z\r\nDTSTAMP:20260304T100000Z\r\n"
                       "LAST-MODIFIED:20260303T100000Z\r\nSTATUS:COMPLETED\r\n",
                       {},
                       "",
                       0,
                       utc(2026, 3, 3, 10, 0),
                       "Call Ann",
                       {},
                       {}},
        CompletionCase{"COMPLETED alone: done then",
                       "DUE:20260305T183000Z\r\nLAST-MODIFIED:20260303T100000Z\r\n"
                       "COMPLETED:20260302T090000Z\r\n",
                       {},
                       "",
                       0,
                       utc(2026, 3, 2, 9, 0),
                       "Call Ann",
                       {},
                       {}},
        CompletionCase{"PERCENT-COMPLETE:100 alone: done when stamped",
                       "DUE:20260305T183000Z\r\nDTSTAMP:20260304T100000Z\r\n"
                       "PERCENT-COMPLETE:100\r\n",
                       {},
                       "",
                       0,
                       utc(2026, 3, 4, 10, 0),
                       "Call Ann",
                       {},
                       {}},
        CompletionCase{"PERCENT-COMPLETE below 100: open",
                       openCopy,
                       {},
                       "",
                       0,
                       std::nullopt,
                       "Call Ann",
                       {},
                       {}},
        CompletionCase{"all three", doneCopy, {}, "", 0, utc(2026, 3, 2, 9, 0), "Call Ann", {}, {}},
        CompletionCase{
            "ticked off here: all three written",
            openCopy,
            completedAt(utc(2026, 3, 5, 20, 0)),
            "",
            0,
            utc(2026, 3, 5, 20, 0),
            "Call Ann",
            {"STATUS:COMPLETED\r\n", "COMPLETED:20260305T200000Z\r\n", "PERCENT-COMPLETE:100\r\n"},
            {"STATUS:IN-PROCESS\r\n", "PERCENT-COMPLETE:40\r\n"}},
        CompletionCase{"reopened here: NEEDS-ACTION, the others removed",
                       doneCopy,
                       completedAt(std::nullopt),
                       "",
                       0,
                       std::nullopt,
                       "Call Ann",
                       {"STATUS:NEEDS-ACTION\r\n"},
                       doneLines},
        CompletionCase{"renamed while done: its completion lines stay, done when changed",
                       "SUMMARY:Call Ann\r\nDUE:20260305T183000Z\r\nSTATUS:IN-PROCESS\r\n"
                       "LAST-MODIFIED:20260302T090000Z\r\nPERCENT-COMPLETE:100\r\n",
                       renamed("Call Ann back"),
                       "",
                       0,
                       utc(2026, 3, 6, 8, 0),
                       "Call Ann back",
                       {"SUMMARY:Call Ann back\r\n"},
                       {"SUMMARY:Call Ann\r\n"}},
        CompletionCase{"done there, renamed here: both",
                       openCopy,
                       renamed("Call Ann back"),
                       doneCopy,
                       utc(2026, 3, 5, 0, 0),
                       utc(2026, 3, 2, 9, 0),
                       "Call Ann back",
                       {"SUMMARY:Call Ann back\r\n"},
                       {"SUMMARY:Call Ann\r\n"}},
        CompletionCase{"renamed there, done here: both",
                       openCopy,
                       completedAt(utc(2026, 3, 1, 12, 0)),
                       "SUMMARY:Call Bob\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work\r\n"
                       "LAST-MODIFIED:20260304T100000Z\r\nSTATUS:IN-PROCESS\r\n"
                       "PERCENT-COMPLETE:40\r\n",
                       utc(2026, 3, 1, 12, 0),
                       utc(2026, 3, 1, 12, 0),
                       "Call Bob",
                       {"STATUS:COMPLETED\r\n", "COMPLETED:20260301T120000Z\r\n"},
                       {"STATUS:IN-PROCESS\r\n", "PERCENT-COMPLETE:40\r\n"}},
        CompletionCase{
            "reopened here after it was ticked off again there: the later, open",
            doneCopy,
            completedAt(std::nullopt),
            "SUMMARY:Call Ann\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work\r\n"
            "LAST-MODIFIED:20260303T100000Z\r\nSTATUS:COMPLETED\r\n"
            "COMPLETED:20260303T100000Z\r\nPERCENT-COMPLETE:100\r\n",
            utc(2026, 3, 4, 0, 0),
            std::nullopt,
            "Call Ann",
            {"STATUS:NEEDS-ACTION\r\n"},
            {"STATUS:COMPLETED\r\n", "COMPLETED:20260303T100000Z\r\n", "PERCENT-COMPLETE:100\r\n"}},
        CompletionCase{"ticked off on both: the later one's time",
                       openCopy,
                       completedAt(utc(2026, 3, 3, 8, 0)),
                       "SUMMARY:Call Ann\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work\r\n"
                       "LAST-MODIFIED:20260303T100000Z\r\nSTATUS:COMPLETED\r\n"
                       "COMPLETED:20260303T100000Z\r\n",
                       utc(2026, 3, 3, 8, 0),
                       utc(2026, 3, 3, 10, 0),
                       "Call Ann",
                       {"STATUS:COMPLETED\r\n", "COMPLETED:20260303T100000Z\r\n"},
                       {}}));

// Which alarm reminds, and how alarms follow a moved DUE.
struct AlarmCase {
    const char *what;
    std::string lines;
    double now;
    bool wholeDay;
    std::optional<double> alarm;
    std::optional<double> reminder;
    // Moved by Plimsa by so many seconds before it is read at `now`; 0: not.
    double moveBy;
    std::vector<std::string> written;
    std::vector<std::string> gone;
};

class AlarmsOfVTodos : public testing::TestWithParam<AlarmCase> {};

TEST_P(AlarmsOfVTodos, RemindAtTheNextAlarmToCome)
{
    const AlarmCase &c = GetParam();
    std::string text = calendar(c.lines);
    if (c.moveBy != 0) {
        const auto server = readVTodo(text, berlin, c.now);
        ASSERT_TRUE(server) << c.what;
        const auto updated = updatedVTodo(text, movedBy(c.moveBy)(server->item()), c.now, berlin);
        ASSERT_TRUE(updated) << c.what;
        expectEdit(text, *updated, c.gone, c.written, c.what);
        text = *updated;
    }
    const auto read = readVTodo(text, berlin, c.now);
    ASSERT_TRUE(read) << c.what;
    EXPECT_EQ(read->extras.wholeDay, c.wholeDay) << c.what;
    EXPECT_EQ(read->extras.alarm, c.alarm) << c.what;
    EXPECT_EQ(read->item().reminderAt(), c.reminder) << c.what;
}

std::string alarm(std::string_view lines)
{
    return "BEGIN:VALARM\r\n" + std::string(lines) + "END:VALARM\r\n";
}

const std::string due = "DUE:20260305T183000Z\r\n";
const std::string dayBefore = alarm("ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-P1D\r\n");
const std::string hourBefore = alarm("ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT1H\r\n");
const std::string plimsas = alarm("ACTION:DISPLAY\r\nTRIGGER;RELATED=END:PT0S\r\n");

INSTANTIATE_TEST_SUITE_P(
    Cases, AlarmsOfVTodos,
    testing::Values(
        AlarmCase{"two alarms, the first past: the one to come",
                  due + dayBefore + hourBefore,
                  utc(2026, 3, 5, 12, 0),
                  false,
                  -3600,
                  march5 - 3600,
                  0,
                  {},
                  {}},
        AlarmCase{"a day before passed: Plimsa's own at the due time",
                  due + dayBefore + plimsas,
                  utc(2026, 3, 5, 12, 0),
                  false,
                  std::nullopt,
                  march5,
                  0,
                  {},
                  {}},
        AlarmCase{"every alarm passed: the last, not the due time",
                  due + dayBefore + hourBefore,
                  utc(2026, 3, 6, 0, 0),
                  false,
                  -3600,
                  march5 - 3600,
                  0,
                  {},
                  {}},
        AlarmCase{"acknowledged: the next one",
                  due +
                      alarm("ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT2H\r\n"
                            "ACKNOWLEDGED:20260305T163000Z\r\n") +
                      hourBefore,
                  march1,
                  false,
                  -3600,
                  march5 - 3600,
                  0,
                  {},
                  {}},
        AlarmCase{"acknowledged before it went off: still to come",
                  due +
                      alarm("ACTION:DISPLAY\r\nTRIGGER;RELATED=END:-PT2H\r\n"
                            "ACKNOWLEDGED:20260304T100000Z\r\n") +
                      hourBefore,
                  march1,
                  false,
                  -7200,
                  march5 - 7200,
                  0,
                  {},
                  {}},
        AlarmCase{"an e-mail alarm does not remind, an audio one does",
                  due +
                      alarm("ACTION:EMAIL\r\nTRIGGER;RELATED=END:-PT2H\r\n"
                            "SUMMARY:Call\r\nDESCRIPTION:Call Ann\r\n"
                            "ATTENDEE:mailto:ann@example.org\r\n") +
                      alarm("ACTION:AUDIO\r\nTRIGGER;RELATED=END:-PT30M\r\n"),
                  march1,
                  false,
                  -1800,
                  march5 - 1800,
                  0,
                  {},
                  {}},
        AlarmCase{"whole-day DUE without an alarm: no reminder",
                  "DUE;VALUE=DATE:20260305\r\n",
                  march1,
                  true,
                  std::nullopt,
                  std::nullopt,
                  0,
                  {},
                  {}},
        AlarmCase{"whole-day DUE with an alarm at its start",
                  "DUE;VALUE=DATE:20260305\r\n" + plimsas,
                  march1,
                  true,
                  0,
                  utc(2026, 3, 4, 23, 0),
                  0,
                  {},
                  {}},
        AlarmCase{"moved a day later: an absolute trigger moves, a relative one stays",
                  due + alarm("ACTION:DISPLAY\r\nTRIGGER;VALUE=DATE-TIME:20260305T170000Z\r\n") +
                      alarm("ACTION:AUDIO\r\nTRIGGER;RELATED=END:-PT10M\r\n"),
                  utc(2026, 3, 5, 12, 0),
                  false,
                  -5400,
                  utc(2026, 3, 6, 17, 0),
                  86400,
                  {"DUE:20260306T183000Z\r\n", "TRIGGER;VALUE=DATE-TIME:20260306T170000Z\r\n"},
                  {due, "TRIGGER;VALUE=DATE-TIME:20260305T170000Z\r\n"}}));

// DTSTART kept at or before DUE and of its value type; UIDs kept.
struct DueCase {
    const char *what;
    const char *uid;
    std::string lines;
    Change here;
    // Written as a new VTODO (an undo, a copy sent again) rather than over the copy.
    bool anew;
    std::vector<std::string> written;
    std::vector<std::string> gone;
};

class MovingDue : public testing::TestWithParam<DueCase> {};

TEST_P(MovingDue, WritesWhatServersAccept)
{
    const DueCase &c = GetParam();
    const std::string copy = todoText("SUMMARY:Call Ann\r\n" + c.lines, c.uid);
    const auto server = readVTodo(copy, berlin, march1);
    ASSERT_TRUE(server) << c.what;
    const TodoItem item = c.here(server->item());
    const auto written =
        c.anew ? newVTodo(item, march1, berlin) : updatedVTodo(copy, item, march1, berlin);
    ASSERT_TRUE(written) << c.what;
    if (c.anew) {
        for (const std::string &line : c.written)
            EXPECT_NE(written->find(line), std::string::npos) << c.what << ": " << *written;
    } else {
        expectEdit(copy, *written, c.gone, c.written, c.what);
    }
    const auto read = readVTodo(*written, berlin, march1);
    ASSERT_TRUE(read) << c.what;
    EXPECT_EQ(read->item(), item) << c.what;
}

Change givenATime(double time)
{
    return [time](const TodoItem &item) {
        TodoExtras extras = item.extras();
        extras.wholeDay = false;
        return item.with(item.name(), time, item.priority()).withExtras(extras);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Cases, MovingDue,
    testing::Values(
        DueCase{"DTSTART = DUE, moved earlier: DTSTART moves with it",
                "other-client-1",
                "DTSTART:20260305T183000Z\r\nDUE:20260305T183000Z\r\n",
                movedBy(-86400),
                false,
                {"DUE:20260304T183000Z\r\n", "DTSTART:20260304T183000Z\r\n"},
                {"DTSTART:20260305T183000Z\r\n", "DUE:20260305T183000Z\r\n"}},
        DueCase{"DTSTART = DUE, moved later: DTSTART stays",
                "other-client-1",
                "DTSTART:20260305T183000Z\r\nDUE:20260305T183000Z\r\n",
                movedBy(86400),
                false,
                {"DUE:20260306T183000Z\r\n"},
                {"DUE:20260305T183000Z\r\n"}},
        DueCase{"DTSTART an hour before, moved earlier: still an hour before",
                "other-client-1",
                "DTSTART;TZID=Europe/Berlin:20260305T183000\r\nDUE:20260305T183000Z\r\n",
                movedBy(-86400),
                false,
                {"DUE:20260304T183000Z\r\n", "DTSTART:20260304T173000Z\r\n"},
                {"DTSTART;TZID=Europe/Berlin:20260305T183000\r\n", "DUE:20260305T183000Z\r\n"}},
        DueCase{"whole-day task given a time: DUE and DTSTART become date-times",
                "other-client-1",
                "DTSTART;VALUE=DATE:20260303\r\nDUE;VALUE=DATE:20260305\r\n",
                givenATime(utc(2026, 3, 5, 9, 0)),
                false,
                {"DUE:20260305T090000Z\r\n", "DTSTART:20260302T230000Z\r\n"},
                {"DTSTART;VALUE=DATE:20260303\r\n", "DUE;VALUE=DATE:20260305\r\n"}},
        DueCase{"whole-day task moved two days earlier: dates, DTSTART as far",
                "other-client-1",
                "DTSTART;VALUE=DATE:20260304\r\nDUE;VALUE=DATE:20260305\r\n",
                movedBy(-2 * 86400),
                false,
                {"DUE;VALUE=DATE:20260303\r\n", "DTSTART;VALUE=DATE:20260302\r\n"},
                {"DTSTART;VALUE=DATE:20260304\r\n", "DUE;VALUE=DATE:20260305\r\n"}},
        DueCase{"a lower-case UID kept on a new VTODO",
                "e621e1f8-c36c-495a-93fc-0c247a3e6e5f",
                "DUE:20260305T183000Z\r\n",
                renamed("Call Bob"),
                true,
                {"UID:e621e1f8-c36c-495a-93fc-0c247a3e6e5f\r\n"},
                {}},
        DueCase{"another client's UID kept on a new VTODO",
                "other-client-1",
                "DUE:20260305T183000Z\r\n",
                renamed("Call Bob"),
                true,
                {"UID:other-client-1\r\n"},
                {}}));

} // namespace
