// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "AwaitAnswer.h"
#include "CalDavTestServer.h"
#include "PlimsaList.h"

#include <CalDavClient.h>
#include <FixedClock.h>
#include <Instant.h>
#include <SyncEngine.h>

#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

constexpr double march5 = 794424600; // 2026-03-05 18:30 UTC

std::vector<TodoItem> byId(std::vector<TodoItem> list)
{
    std::sort(list.begin(), list.end(), [](const TodoItem &a, const TodoItem &b) {
        return a.id().uuidString() < b.id().uuidString();
    });
    return list;
}

// Counts the calls, each one HTTP request once the list is known; holds the
// answer to the changes while `holdChanges`, until `heldAnswer` is called.
class CountingServer final : public CalendarServer {
public:
    explicit CountingServer(CalendarServer &server) : m_server(server) {}
    int calls = 0;
    bool holdChanges = false;
    bool holdPuts = false;
    std::function<void()> heldAnswer;

    void changesSince(const QString &token, Reply<ServerChanges> reply) override
    {
        ++calls;
        m_server.changesSince(token, [this, reply](ServerResult<ServerChanges> answer) {
            if (holdChanges)
                heldAnswer = [reply, answer] { reply(answer); };
            else
                reply(answer);
        });
    }
    void listEtags(Reply<std::vector<ServerObject>> reply) override
    {
        ++calls;
        m_server.listEtags(reply);
    }
    void fetch(const QStringList &hrefs, Reply<std::vector<ServerObject>> reply) override
    {
        ++calls;
        m_server.fetch(hrefs, reply);
    }
    void put(const QString &href, const QByteArray &data, const QString &etag,
             Reply<QString> reply) override
    {
        ++calls;
        m_server.put(href, data, etag, [this, reply](ServerResult<QString> answer) {
            if (holdPuts)
                heldAnswer = [reply, answer] { reply(answer); };
            else
                reply(answer);
        });
    }
    void remove(const QString &href, const QString &etag, Reply<bool> reply) override
    {
        ++calls;
        m_server.remove(href, etag, reply);
    }
    QString hrefForUid(const QString &uid) const override { return m_server.hrefForUid(uid); }

private:
    CalendarServer &m_server;
};

// One machine with Plimsa: its own sync folder, clock and list.
struct Device {
    Device(const CalDavTestServer &server, const QUrl &collection)
        : client(server.url(), server.user(), server.password())
    {
        client.setCollection(collection);
        reopen();
    }

    // A new engine from the files alone, as after a kill: the old one's writes
    // done first, as they would be by a kill after them.
    void reopen()
    {
        engine.reset();
        engine = std::make_unique<SyncEngine>(counted, folder.path(), clock);
        EXPECT_TRUE(engine->load());
    }

    void change(std::vector<TodoItem> newList)
    {
        list = std::move(newList);
        EXPECT_TRUE(engine->listChanged(list));
    }

    // Closes the database, as a kill would leave it.
    void close() { engine.reset(); }

    SyncOutcome sync(bool allowMassRemoval = false)
    {
        const auto outcome =
            awaitAnswer<SyncOutcome>([&](auto done) { engine->sync(done, allowMassRemoval); });
        list = appliedChanges(list, outcome);
        // As the window does once its list is on disk.
        engine->listStored(outcome.pullMark);
        return outcome;
    }

    QTemporaryDir folder;
    FixedClock clock{march5 - 86400};
    CalDavClient client;
    CountingServer counted{client};
    std::unique_ptr<SyncEngine> engine;
    std::vector<TodoItem> list;
};

class SyncEngineTest : public testing::TestWithParam<CalDavTestServer::Kind> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.start()) << server.log().toStdString();
        CalDavClient finder(server.url(), server.user(), server.password());
        const auto found = usePlimsaList(finder);
        ASSERT_TRUE(found.ok());
        collection = found.value;
        laptop = std::make_unique<Device>(server, collection);
        phone = std::make_unique<Device>(server, collection);
    }

    std::size_t objectsOnServer()
    {
        const auto listed = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
            [&](auto r) { laptop->client.listEtags(r); });
        EXPECT_TRUE(listed.ok());
        return listed.value.size();
    }

    std::vector<TodoItem> someTodos(int count)
    {
        std::vector<TodoItem> list;
        for (int i = 0; i < count; ++i)
            list.emplace_back("To-do " + std::to_string(i), march5 + 60 * i, TodoPriority::medium);
        return list;
    }

    CalDavTestServer server{GetParam()};
    QUrl collection;
    std::unique_ptr<Device> laptop;
    std::unique_ptr<Device> phone;
};

TEST_P(SyncEngineTest, EveryChangeReachesTheOtherDevice)
{
    laptop->change(someTodos(3));
    auto outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << int(outcome.error);
    EXPECT_EQ(outcome.uploaded, 3);
    EXPECT_TRUE(laptop->engine->journal().changes().empty());

    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    EXPECT_EQ(byId(phone->list), byId(laptop->list));

    std::vector<TodoItem> edited = phone->list;
    edited[0] = TodoItem("Renamed", edited[0].time(), TodoPriority::high, edited[0].id());
    edited.erase(edited.begin() + 1);
    edited.emplace_back("New on the phone", march5, TodoPriority::low);
    phone->change(edited);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

    outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done);
    EXPECT_EQ(outcome.removals.size(), 1u);
    EXPECT_EQ(byId(laptop->list), byId(phone->list));
    // Nothing changed since: nothing comes down, nothing goes up.
    outcome = laptop->sync();
    EXPECT_TRUE(outcome.upserts.empty() && outcome.removals.empty() && outcome.uploaded == 0);
}

struct ConflictCase {
    const char *what;
    // Applied to the shared to-do on each device, laptop's change made later.
    std::function<std::optional<TodoItem>(const TodoItem &)> onLaptop;
    std::function<std::optional<TodoItem>(const TodoItem &)> onPhone;
    // The to-do both end with; none for removed.
    std::function<std::optional<TodoItem>(const TodoItem &)> expected;
};

TodoItem named(const TodoItem &item, const char *name)
{
    return TodoItem(name, item.time(), item.priority(), item.id());
}

TodoItem raised(const TodoItem &item)
{
    return TodoItem(item.name(), item.time(), TodoPriority::high, item.id());
}

const ConflictCase conflicts[] = {
    {"different fields merge", [](auto &i) { return named(i, "Laptop"); },
     [](auto &i) { return raised(i); }, [](auto &i) { return raised(named(i, "Laptop")); }},
    {"one field, the later change wins", [](auto &i) { return named(i, "Laptop"); },
     [](auto &i) { return named(i, "Phone"); }, [](auto &i) { return named(i, "Laptop"); }},
    {"changed here, removed there: the change stays", [](auto &i) { return named(i, "Laptop"); },
     [](auto &) { return std::optional<TodoItem>(); }, [](auto &i) { return named(i, "Laptop"); }},
    {"removed here, changed there: the change stays",
     [](auto &) { return std::optional<TodoItem>(); }, [](auto &i) { return named(i, "Phone"); },
     [](auto &i) { return named(i, "Phone"); }},
};

std::vector<TodoItem> with(std::vector<TodoItem> list, std::optional<TodoItem> changed,
                           const Uuid &id)
{
    std::erase_if(list, [&](const TodoItem &item) { return item.id() == id; });
    if (changed)
        list.push_back(*changed);
    return list;
}

TEST_P(SyncEngineTest, ConflictsKeepEveryEdit)
{
    for (const ConflictCase &c : conflicts) {
        SCOPED_TRACE(c.what);
        const TodoItem shared("Shared " + std::string(c.what), march5, TodoPriority::low);
        laptop->change(with(laptop->list, shared, shared.id()));
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

        phone->clock.set(march5 - 3600);
        phone->change(with(phone->list, c.onPhone(shared), shared.id()));
        laptop->clock.set(march5 - 1800);
        laptop->change(with(laptop->list, c.onLaptop(shared), shared.id()));
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

        const std::vector<TodoItem> expected = with(laptop->list, c.expected(shared), shared.id());
        EXPECT_EQ(byId(laptop->list), byId(expected));
        EXPECT_EQ(byId(phone->list), byId(expected));
    }
    EXPECT_EQ(objectsOnServer(), laptop->list.size());
}

TEST_P(SyncEngineTest, ChangesMadeWhileTheServersAnswerIsHeldMergeToo)
{
    for (const ConflictCase &c : conflicts) {
        SCOPED_TRACE(c.what);
        const TodoItem shared("Held " + std::string(c.what), march5, TodoPriority::low);
        laptop->change(with(laptop->list, shared, shared.id()));
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
        phone->clock.set(march5 - 3600);
        phone->change(with(phone->list, c.onPhone(shared), shared.id()));
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

        laptop->counted.holdChanges = true;
        std::optional<SyncOutcome> outcome;
        laptop->engine->sync([&](SyncOutcome answer) { outcome = std::move(answer); });
        ASSERT_TRUE(QTest::qWaitFor([&] { return bool(laptop->counted.heldAnswer); }, 30000));
        laptop->clock.set(march5 - 1800);
        laptop->change(with(laptop->list, c.onLaptop(shared), shared.id()));
        laptop->counted.holdChanges = false;
        std::exchange(laptop->counted.heldAnswer, nullptr)();
        ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 30000));
        ASSERT_EQ(outcome->status, SyncOutcome::Status::done);
        laptop->list = appliedChanges(laptop->list, *outcome);
        laptop->engine->listStored(outcome->pullMark);
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

        const std::vector<TodoItem> expected = with(laptop->list, c.expected(shared), shared.id());
        EXPECT_EQ(byId(laptop->list), byId(expected));
        EXPECT_EQ(byId(phone->list), byId(expected));
    }
    EXPECT_EQ(objectsOnServer(), laptop->list.size());
}

TEST_P(SyncEngineTest, ChangedHereCompletedThereKeepsBoth)
{
    const TodoItem shared("Water the plants", march5, TodoPriority::low);
    laptop->change({shared});
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    const QString href =
        laptop->client.hrefForUid(QString::fromStdString(shared.id().uuidString()));
    const auto copy = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
        [&](auto r) { phone->client.fetch({href}, r); });
    ASSERT_TRUE(copy.ok() && copy.value.size() == 1u);
    QByteArray completed = copy.value[0].data;
    completed.replace("END:VTODO", "STATUS:COMPLETED\r\nEND:VTODO");
    ASSERT_TRUE(awaitAnswer<ServerResult<QString>>([&](auto r) {
                    phone->client.put(href, completed, copy.value[0].etag, r);
                }).ok());

    laptop->change({named(shared, "Water the plants twice")});
    const auto outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done);
    ASSERT_EQ(laptop->list.size(), 1u);
    EXPECT_EQ(laptop->list[0].name(), "Water the plants twice");
    EXPECT_TRUE(laptop->list[0].isCompleted());
    const auto merged = awaitAnswer<ServerResult<std::vector<ServerObject>>>(
        [&](auto r) { phone->client.fetch({href}, r); });
    ASSERT_TRUE(merged.ok() && merged.value.size() == 1u);
    const auto read = readVTodo(merged.value[0].data.toStdString(), LocalCalendar("UTC"), march5);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, "Water the plants twice");
    EXPECT_TRUE(read->item().isCompleted());
}

TEST_P(SyncEngineTest, AServerThatWouldEmptyTheListWaitsForTheUser)
{
    laptop->change(someTodos(10));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    const std::vector<TodoItem> all = phone->list;
    std::vector<TodoItem> fewer = all;
    fewer.erase(fewer.begin() + 4, fewer.end());

    // Emptied behind the laptop's back, then kept; then 6 removed and applied.
    for (const bool keep : {true, false}) {
        SCOPED_TRACE(keep ? "keep" : "apply");
        phone->change(keep ? std::vector<TodoItem>() : fewer);
        // Removed on the phone: its own sync asks first, too.
        const auto asked = phone->sync();
        EXPECT_EQ(asked.status, SyncOutcome::Status::needsConfirmation);
        EXPECT_EQ(asked.heldRemovals.size(), keep ? 10u : 6u);
        EXPECT_EQ(objectsOnServer(), 10u);
        ASSERT_EQ(phone->sync(true).status, SyncOutcome::Status::done);
        for (int attempt = 0; attempt < 2; ++attempt) {
            const auto held = laptop->sync();
            EXPECT_EQ(held.status, SyncOutcome::Status::needsConfirmation);
            EXPECT_EQ(held.heldRemovals.size(), keep ? 10u : 6u);
            EXPECT_TRUE(held.removals.empty());
            EXPECT_EQ(laptop->list.size(), 10u);
            if (keep && attempt == 1) {
                const auto back = laptop->engine->keepHeldRemovals(held.heldRemovals);
                ASSERT_TRUE(back && back->empty()) << "still in the list";
                laptop->reopen();
            }
        }
        const auto after = laptop->sync(!keep);
        ASSERT_EQ(after.status, SyncOutcome::Status::done);
        EXPECT_EQ(byId(laptop->list), byId(keep ? all : fewer));
        EXPECT_EQ(objectsOnServer(), keep ? 10u : 4u);
        EXPECT_EQ(laptop->sync().status, SyncOutcome::Status::done) << "asks no more";
        ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
        EXPECT_EQ(byId(phone->list), byId(laptop->list));
    }
}

TEST_P(SyncEngineTest, KeepingMostOfTheListRemovedHereBringsItBack)
{
    laptop->change(someTodos(10));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    const std::vector<TodoItem> all = laptop->list;
    laptop->change({all.begin(), all.begin() + 3});
    const auto held = laptop->sync();
    ASSERT_EQ(held.status, SyncOutcome::Status::needsConfirmation);
    ASSERT_EQ(held.heldRemovals.size(), 7u);
    const auto back = laptop->engine->keepHeldRemovals(held.heldRemovals);
    ASSERT_TRUE(back);
    ListChanges restored;
    restored.upserts = *back;
    laptop->list = appliedChanges(laptop->list, restored);
    EXPECT_EQ(byId(laptop->list), byId(all));
    EXPECT_EQ(laptop->sync().status, SyncOutcome::Status::done) << "asks no more";
    EXPECT_EQ(objectsOnServer(), 10u);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    EXPECT_EQ(byId(phone->list), byId(all));
}

TEST_P(SyncEngineTest, AStoppedServerOrAKillLosesAndDuplicatesNothing)
{
    const QString database = laptop->folder.filePath(QStringLiteral("sync.db"));
    laptop->change(someTodos(5));
    laptop->close();
    QFile::copy(database, database + QStringLiteral(".before"));
    laptop->reopen();

    laptop->engine->progress = [&](int taken, int) {
        if (taken == 2)
            server.stop();
    };
    const auto cut = laptop->sync();
    EXPECT_EQ(cut.status, SyncOutcome::Status::failed);
    EXPECT_EQ(cut.error, ServerError::network);
    EXPECT_EQ(laptop->engine->journal().changes().size(), 3u);

    ASSERT_TRUE(server.start()) << server.log().toStdString();
    laptop->reopen();
    std::vector<std::pair<int, int>> progress;
    laptop->engine->progress = [&](int taken, int waiting) {
        progress.emplace_back(taken, waiting);
    };
    auto outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << int(outcome.error);
    EXPECT_EQ(outcome.uploaded, 3);
    EXPECT_EQ(objectsOnServer(), 5u);
    EXPECT_EQ(progress.front(), std::pair(3, 2)) << "counts the whole upload";

    // Everything it knew lost after the server took every change: the
    // journal as it was before, and no copies.
    laptop->close();
    QFile::remove(database);
    QFile::rename(database + QStringLiteral(".before"), database);
    laptop->reopen();
    outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << int(outcome.error);
    EXPECT_EQ(objectsOnServer(), 5u);
    EXPECT_EQ(laptop->list.size(), 5u);
}

TEST_P(SyncEngineTest, NothingChangedIsOneRequestAndOneChangeAtMostThree)
{
    laptop->change(someTodos(20));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

    laptop->counted.calls = 0;
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    EXPECT_EQ(laptop->counted.calls, 1);

    std::vector<TodoItem> edited = phone->list;
    edited[5] = raised(edited[5]);
    phone->change(edited);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    laptop->counted.calls = 0;
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    EXPECT_LE(laptop->counted.calls, 3);
    EXPECT_EQ(byId(laptop->list), byId(phone->list));

    edited[6] = named(edited[6], "Changed on the laptop");
    laptop->change(edited);
    laptop->counted.calls = 0;
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    EXPECT_LE(laptop->counted.calls, 3);
}

TEST_P(SyncEngineTest, AStaleTokenFallsBackToETags)
{
    laptop->change(someTodos(3));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    std::vector<TodoItem> edited = phone->list;
    edited[0] = named(edited[0], "Renamed");
    edited.pop_back();
    phone->change(edited);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

    const QString token = laptop->engine->state().syncToken();
    ASSERT_FALSE(token.isEmpty());
    ASSERT_TRUE(laptop->engine->state().setSyncToken(token.left(token.size() - 1) + "0stale"));
    laptop->reopen();

    const auto outcome = laptop->sync();
    ASSERT_EQ(outcome.status, SyncOutcome::Status::done) << int(outcome.error);
    EXPECT_EQ(byId(laptop->list), byId(phone->list));
}

// Debian's python3-caldav as another client: "write" saves a to-do from the
// input, "read" prints the server's copy of it.
const char otherClient[] = R"(
import caldav, sys
url, user, password, calendar_url, action = sys.argv[1:6]
calendar = caldav.DAVClient(url=url, username=user, password=password).calendar(url=calendar_url)
if action == "write":
    calendar.save_todo(ical=sys.stdin.read())
elif action == "count":
    print(len(calendar.todos(include_completed=True)))
elif action == "series":
    import json
    def instant(component, name):
        return component.decoded(name).timestamp() if name in component else None
    print(json.dumps([{
        "recurrence": instant(c, "RECURRENCE-ID"), "due": instant(c, "DUE"),
        "start": instant(c, "DTSTART"),
        "rrule": c["RRULE"].to_ical().decode() if "RRULE" in c else "",
        "alarms": len(c.walk("VALARM")), "status": str(c.get("STATUS", "")),
    } for c in calendar.object_by_uid(sys.stdin.read()).icalendar_instance.walk("VTODO")]))
else:
    print(calendar.todo_by_uid(sys.stdin.read()).data)
)";

QByteArray otherClientsTodo(const char *uid, const char *summary,
                            const char *created = "20260101T000000Z")
{
    return QByteArray("BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\n"
                      "BEGIN:VTODO\r\nUID:") +
           uid + "\r\nDTSTAMP:20260101T000000Z\r\nCREATED:" + created + "\r\nSUMMARY:" + summary +
           "\r\nDUE:20260305T183000Z\r\nCATEGORIES:Work,Phone\r\n"
           "DESCRIPTION:Ask about the keys\r\nX-OTHER-CLIENT-FLAG:kept\r\n"
           "END:VTODO\r\nEND:VCALENDAR\r\n";
}

class WithAnotherClient : public SyncEngineTest {
protected:
    QString runOtherClient(const char *action, const QByteArray &input)
    {
        QProcess python;
        python.start(QStringLiteral("/usr/bin/python3"),
                     {QStringLiteral("-c"), QString::fromLatin1(otherClient),
                      server.url().toString(), server.user(), server.password(),
                      collection.toString(), QString::fromLatin1(action)});
        python.write(input);
        python.closeWriteChannel();
        EXPECT_TRUE(python.waitForFinished(60000));
        EXPECT_EQ(python.exitCode(), 0) << python.readAllStandardError().toStdString();
        return QString::fromUtf8(python.readAllStandardOutput()).remove(u'\r');
    }

    void expectKept(const QString &read, const char *summary)
    {
        for (const QString &line :
             {QStringLiteral("SUMMARY:") + QLatin1String(summary) + u'\n',
              QStringLiteral("CATEGORIES:Work,Phone\n"),
              QStringLiteral("DESCRIPTION:Ask about the keys\n"),
              QStringLiteral("X-OTHER-CLIENT-FLAG:kept\n"), QStringLiteral("UID:other-client-7\n")})
            EXPECT_TRUE(read.contains(line)) << line.toStdString() << read.toStdString();
    }
};

TEST_P(WithAnotherClient, ItsPropertiesSurviveAnEditAndAnUndoneRemoval)
{
    runOtherClient("write", otherClientsTodo("other-client-7", "Call Ann"));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(laptop->list.size(), 1u);
    laptop->change({named(laptop->list[0], "Call Ann back")});
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    QString read = runOtherClient("read", "other-client-7");
    expectKept(read, "Call Ann back");
    EXPECT_TRUE(read.contains(QStringLiteral("SEQUENCE:1\n"))) << read.toStdString();

    // Removed, and the removal on the server; then undone.
    const std::vector<TodoItem> before = laptop->list;
    laptop->change({});
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(runOtherClient("count", {}).trimmed(), u"0");
    laptop->change(before);
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    expectKept(runOtherClient("read", "other-client-7"), "Call Ann back");
    EXPECT_EQ(objectsOnServer(), 1u);
}

TEST_P(WithAnotherClient, ASecondSetUpOfTheListMergesWhatIsThereAlready)
{
    runOtherClient("write", otherClientsTodo("other-client-7", "Call Ann"));
    runOtherClient("write", otherClientsTodo("other-client-8", "Pay rent"));
    laptop->change(someTodos(2));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(laptop->list.size(), 4u);
    const std::vector<TodoItem> kept = laptop->list;

    // Stop Syncing forgets everything sync knew; the list stays.
    laptop->close();
    ASSERT_TRUE(QDir(laptop->folder.path()).removeRecursively());
    laptop->reopen();
    laptop->change(kept);
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    EXPECT_EQ(objectsOnServer(), 4u);
    EXPECT_EQ(byId(laptop->list), byId(kept));
    expectKept(runOtherClient("read", "other-client-7"), "Call Ann");
}

TEST_P(WithAnotherClient, AFirstSyncShowsToDosInTheOrderTheyWereMade)
{
    runOtherClient("write", otherClientsTodo("a-made-third", "Third", "20260103T000000Z"));
    runOtherClient("write", otherClientsTodo("c-made-first", "First", "20260101T000000Z"));
    runOtherClient("write", otherClientsTodo("b-made-second", "Second", "20260102T000000Z"));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    std::vector<std::string> names;
    for (const TodoItem &item : laptop->list)
        names.push_back(item.name());
    EXPECT_EQ(names, (std::vector<std::string>{"First", "Second", "Third"}));
}

constexpr double march5At9 = 794394000; // 2026-03-05 09:00 UTC
constexpr double day = 86400;

QByteArray otherClientsSeries(const char *uid, const char *lines)
{
    return QByteArray(
               "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//EN\r\nBEGIN:VTODO\r\nUID:") +
           uid +
           "\r\nDTSTAMP:20260301T000000Z\r\nSUMMARY:Water plants\r\n"
           "DTSTART:20260305T090000Z\r\nDUE:20260305T090000Z\r\n" +
           lines;
}

// How the other client's series reads there after Plimsa finished an occurrence.
struct SeriesCase {
    const char *what;
    const char *uid;
    QByteArray object;
    // Where Plimsa shows it, and the rule as counted from there.
    double shown;
    std::string rule;
    // The next occurrence, and its rule, as the app finishes the one shown.
    double next;
    std::string nextRule;
    // The VTODOs python3-caldav then reads: the series' DTSTART, DUE and
    // RRULE, its alarms, and the done occurrences' starts.
    double start;
    double due;
    QString rrule;
    int alarms;
    std::vector<double> done;
};

const SeriesCase seriesCases[] = {
    {"kept in one VTODO (as phones keep it): DUE moves a day, the alarm stays",
     "daily-in-place",
     otherClientsSeries("daily-in-place", "RRULE:FREQ=DAILY\r\nBEGIN:VALARM\r\nACTION:DISPLAY\r\n"
                                          "DESCRIPTION:Water plants\r\nTRIGGER:-PT10M\r\n"
                                          "END:VALARM\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"),
     march5At9,
     "FREQ=DAILY",
     march5At9 + day,
     "FREQ=DAILY",
     march5At9 + day,
     march5At9 + day,
     QStringLiteral("FREQ=DAILY"),
     1,
     {}},
    {"a master and a done override (as Thunderbird keeps it): one more done override",
     "daily-with-overrides",
     otherClientsSeries("daily-with-overrides",
                        "RRULE:FREQ=DAILY;COUNT=5\r\nEND:VTODO\r\nBEGIN:VTODO\r\n"
                        "UID:daily-with-overrides\r\nDTSTAMP:20260305T100000Z\r\n"
                        "RECURRENCE-ID:20260305T090000Z\r\nSUMMARY:Water plants\r\n"
                        "DUE:20260305T090000Z\r\nSTATUS:COMPLETED\r\n"
                        "COMPLETED:20260305T100000Z\r\nEND:VTODO\r\nEND:VCALENDAR\r\n"),
     march5At9 + day,
     "FREQ=DAILY;COUNT=4",
     march5At9 + 2 * day,
     "FREQ=DAILY;COUNT=3",
     march5At9,
     march5At9,
     QStringLiteral("FREQ=DAILY;COUNT=5"),
     0,
     {march5At9, march5At9 + day}},
};

TEST_P(WithAnotherClient, ItsRepeatingToDosAreFinishedInTheirOwnForm)
{
    for (const SeriesCase &c : seriesCases) {
        runOtherClient("write", c.object);
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done) << c.what;
        const auto series = std::ranges::find(laptop->list, std::string(c.uid), &TodoItem::uid);
        ASSERT_NE(series, laptop->list.end()) << c.what;
        EXPECT_EQ(series->time(), c.shown) << c.what;
        EXPECT_EQ(series->extras().rrule, c.rule) << c.what;

        TodoExtras extras = series->extras();
        extras.rrule = c.nextRule;
        std::vector<TodoItem> list = laptop->list;
        list[std::size_t(series - laptop->list.begin())] =
            series->with(series->name(), c.next, series->priority()).withExtras(extras);
        laptop->change(list);
        ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done) << c.what;

        const QJsonArray components =
            QJsonDocument::fromJson(runOtherClient("series", c.uid).toUtf8()).array();
        ASSERT_EQ(components.size(), qsizetype(1 + c.done.size())) << c.what;
        std::vector<double> done;
        for (const QJsonValue &component : components) {
            if (component[QLatin1String("recurrence")].isNull()) {
                EXPECT_EQ(component[QLatin1String("start")].toDouble() - referenceDateUnixSeconds,
                          c.start)
                    << c.what;
                EXPECT_EQ(component[QLatin1String("due")].toDouble() - referenceDateUnixSeconds,
                          c.due)
                    << c.what;
                EXPECT_EQ(component[QLatin1String("rrule")].toString(), c.rrule) << c.what;
                EXPECT_EQ(component[QLatin1String("alarms")].toInt(), c.alarms) << c.what;
            } else {
                EXPECT_EQ(component[QLatin1String("status")].toString(), u"COMPLETED") << c.what;
                done.push_back(component[QLatin1String("recurrence")].toDouble() -
                               referenceDateUnixSeconds);
            }
        }
        std::ranges::sort(done);
        EXPECT_EQ(done, c.done) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(Servers, WithAnotherClient,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });

TEST_P(SyncEngineTest, AnEditMadeWhileItsOwnUploadIsOutReachesTheServer)
{
    const TodoItem typo("Buy mil", march5, TodoPriority::low);
    laptop->change({typo});
    laptop->counted.holdPuts = true;
    std::optional<SyncOutcome> outcome;
    laptop->engine->sync([&](SyncOutcome answer) { outcome = std::move(answer); });
    ASSERT_TRUE(QTest::qWaitFor([&] { return bool(laptop->counted.heldAnswer); }, 30000));
    laptop->change({named(typo, "Buy milk")});
    laptop->counted.holdPuts = false;
    std::exchange(laptop->counted.heldAnswer, nullptr)();
    ASSERT_TRUE(QTest::qWaitFor([&] { return outcome.has_value(); }, 30000));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);

    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(phone->list.size(), 1u);
    EXPECT_EQ(phone->list[0].name(), "Buy milk");
}

TEST_P(SyncEngineTest, AStartThatLostThePullOrTheListBringsTheirToDosBack)
{
    laptop->change(someTodos(3));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);
    std::vector<TodoItem> phones = phone->list;
    phones.emplace_back("From the phone", march5, TodoPriority::high);
    phones.erase(phones.begin());
    phone->change(phones);
    ASSERT_EQ(phone->sync().status, SyncOutcome::Status::done);

    // Killed after the pull, before the list that holds it was stored.
    const auto pulled = awaitAnswer<SyncOutcome>([&](auto done) { laptop->engine->sync(done); });
    ASSERT_EQ(pulled.status, SyncOutcome::Status::done);
    laptop->reopen();
    auto back = laptop->engine->reconcile(laptop->list, true);
    ASSERT_TRUE(back);
    EXPECT_TRUE(laptop->engine->journal().changes().empty()) << "nothing taken for a removal here";
    laptop->list = appliedChanges(laptop->list, *back);
    laptop->engine->listStored(back->pullMark);
    EXPECT_EQ(byId(laptop->list), byId(phones));

    // A start whose list could not be read: what sync knew comes back.
    laptop->reopen();
    back = laptop->engine->reconcile({}, false);
    ASSERT_TRUE(back);
    EXPECT_TRUE(laptop->engine->journal().changes().empty());
    EXPECT_EQ(byId(back->upserts), byId(phones));
    ASSERT_EQ(laptop->sync().status, SyncOutcome::Status::done);
    EXPECT_EQ(objectsOnServer(), 3u);
}

INSTANTIATE_TEST_SUITE_P(Servers, SyncEngineTest,
                         testing::Values(CalDavTestServer::Kind::radicale,
                                         CalDavTestServer::Kind::xandikos),
                         [](const auto &info) {
                             return CalDavTestServer(info.param).name().toStdString();
                         });

} // namespace
