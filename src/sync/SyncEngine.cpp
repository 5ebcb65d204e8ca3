// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncEngine.h"

#include "TodoMerge.h"

#include <TodoListChanges.h>

#include <algorithm>
#include <set>
#include <unordered_set>

namespace {

QString idText(const Uuid &id)
{
    return QString::fromStdString(id.uuidString());
}

// Conditional writes tried per change before the sync gives up on it for now.
constexpr int writeAttempts = 3;
// Taken changes between writes of the files: a kill replays at most these
// (conditional writes make that harmless), and a first upload of a long list
// does not rewrite both files after every request.
constexpr int changesPerWrite = 50;

} // namespace

std::vector<TodoItem> appliedOutcome(std::vector<TodoItem> list, const SyncOutcome &outcome)
{
    std::vector<TodoItem> changed;
    changed.reserve(outcome.upserts.size());
    for (const ServerTodo &todo : outcome.upserts)
        changed.push_back(todo.item());
    return withChanges(std::move(list), changed, outcome.removals);
}

SyncEngine::SyncEngine(CalendarServer &server, const QString &folder, const Clock &clock)
    : m_server(server), m_clock(clock), m_journal(folder + QStringLiteral("/journal.json")),
      m_state(folder + QStringLiteral("/state.json")), m_calendar(LocalCalendar::current())
{
    m_journal.setWriter(&m_writer);
    m_state.setWriter(&m_writer);
    QObject::connect(&m_writer, &SyncFileWriter::writeFailed, [this] {
        if (writeFailed)
            writeFailed();
    });
}

bool SyncEngine::load()
{
    return m_journal.load() && m_state.load();
}

bool SyncEngine::listChanged(const std::vector<TodoItem> &list)
{
    return m_journal.listChanged(list, m_clock.now());
}

void SyncEngine::sync(std::function<void(SyncOutcome)> done, bool allowMassRemoval)
{
    if (m_done) {
        SyncOutcome busy;
        busy.status = SyncOutcome::Status::failed;
        done(std::move(busy));
        return;
    }
    m_done = std::move(done);
    m_allowMassRemoval = allowMassRemoval;
    m_uploaded = 0;
    m_merged.clear();
    m_calendar = LocalCalendar::current();
    replayNext();
}

bool SyncEngine::keepHeldRemovals(const std::vector<Uuid> &ids)
{
    // Most of a long list may be held: one pass over the copies, not one a to-do.
    std::set<QString> kept;
    for (const Uuid &id : ids)
        kept.insert(idText(id));
    std::erase_if(m_state.copies, [&](const auto &entry) { return kept.contains(entry.second.id); });
    // The journal first: with the copies still on disk a replay only takes a
    // 412 or 404 more before it writes them as new; the other way round a
    // kill would leave them in no file that sends them.
    return m_journal.resend(ids, m_clock.now()) && m_state.save();
}

void SyncEngine::replayNext()
{
    if (m_journal.changes().empty()) {
        if (m_unsaved > 0 && !writeFiles())
            return fail(ServerError::none);
        pull();
    } else {
        upload(m_journal.changes().front(), writeAttempts);
    }
}

void SyncEngine::upload(LocalChange change, int attemptsLeft)
{
    const QString id = idText(change.item.id());
    const QString href = m_state.hrefOf(id);
    if (change.kind == LocalChange::Kind::remove) {
        if (href.isEmpty()) {
            taken();
            return;
        }
        m_server.remove(href, m_state.copies[href].etag, [this, href](ServerResult<bool> result) {
            if (result.ok() || result.error == ServerError::notFound) {
                m_state.copies.erase(href);
                taken();
            } else if (result.error == ServerError::preconditionFailed) {
                keepTheirs(href);
            } else {
                fail(result.error);
            }
        });
        return;
    }

    const double now = m_clock.now();
    const QString target = href.isEmpty() ? m_server.hrefForUid(id) : href;
    QString etag;
    std::string text;
    if (href.isEmpty()) {
        text = newVTodo(change.item, now, m_calendar);
    } else {
        const SyncedCopy &copy = m_state.copies[href];
        etag = copy.etag;
        text = updatedVTodo(copy.text.toStdString(), change.item, now, m_calendar)
                   .value_or(newVTodo(change.item, now, m_calendar));
    }
    const QByteArray data = QByteArray::fromStdString(text);
    m_server.put(target, data, etag,
                 [this, change, id, target, data, attemptsLeft](ServerResult<QString> result) {
                     if (result.ok()) {
                         m_state.copies[target] = SyncedCopy{id, result.value, data};
                         // After a conflict the server copy may differ beyond the
                         // item (completed there): the list takes it as written.
                         if (attemptsLeft < writeAttempts) {
                             if (auto merged =
                                     readVTodo(data.toStdString(), m_calendar, m_clock.now()))
                                 m_merged.push_back(std::move(*merged));
                         }
                         taken();
                     } else if ((result.error == ServerError::preconditionFailed ||
                                 result.error == ServerError::notFound) &&
                                attemptsLeft > 1) {
                         resolveConflict(change, target, attemptsLeft - 1);
                     } else {
                         fail(result.error);
                     }
                 });
}

void SyncEngine::keepTheirs(const QString &href)
{
    // Changed there since: the change wins and comes back, also when the pull
    // that brought it went past it while the removal waited in the journal.
    m_server.fetch({href}, [this, href](ServerResult<std::vector<ServerObject>> result) {
        if (!result.ok())
            return fail(result.error);
        if (result.value.empty()) {
            m_state.copies.erase(href);
            return taken();
        }
        const ServerObject &theirs = result.value.front();
        const auto todo = readVTodo(theirs.data.toStdString(), m_calendar, m_clock.now());
        m_state.copies[href] =
            SyncedCopy{todo ? idText(todo->id) : QString(), theirs.etag, theirs.data};
        if (todo)
            m_merged.push_back(*todo);
        taken();
    });
}

void SyncEngine::resolveConflict(LocalChange change, const QString &href, int attemptsLeft)
{
    m_server.fetch({href}, [this, change, href,
                            attemptsLeft](ServerResult<std::vector<ServerObject>> result) {
        if (!result.ok())
            return fail(result.error);
        const QString id = idText(change.item.id());
        if (result.value.empty()) {
            // Removed there: the change wins and is written as new.
            m_state.copies.erase(href);
            upload(change, attemptsLeft);
            return;
        }
        const ServerObject &theirs = result.value.front();
        LocalChange merged = change;
        if (const auto theirTodo =
                readVTodo(theirs.data.toStdString(), m_calendar, m_clock.now())) {
            const auto found = m_state.copies.find(href);
            const auto base =
                found == m_state.copies.end()
                    ? std::nullopt
                    : readVTodo(found->second.text.toStdString(), m_calendar, m_clock.now());
            const TodoItem theirItem(
                theirTodo->name,
                theirTodo->due.value_or(base ? base->item().time() : change.item.time()),
                theirTodo->priority, change.item.id(), theirTodo->extras);
            // Without common ground the journaled change is the newer one.
            const TodoItem baseItem = base
                                          ? TodoItem(base->name, base->item().time(),
                                                     base->priority, change.item.id(), base->extras)
                                          : theirItem;
            merged.item =
                mergeTodo(baseItem, change.item, change.time, theirItem, theirTodo->lastModified);
        }
        m_state.copies[href] = SyncedCopy{id, theirs.etag, theirs.data};
        upload(merged, attemptsLeft);
    });
}

void SyncEngine::taken()
{
    m_journal.dropFirst();
    if (++m_unsaved >= changesPerWrite && !writeFiles())
        return fail(ServerError::none);
    ++m_uploaded;
    if (progress)
        progress(m_uploaded, int(m_journal.changes().size()));
    replayNext();
}

void SyncEngine::pull()
{
    const QString token = m_state.syncToken;
    // A full listing (no token, or ETags): whatever it lacks is gone.
    auto fromListing = [this](const std::vector<ServerObject> &listed, const QString &newToken) {
        std::vector<ServerObject> changed;
        std::set<QString> present;
        for (const ServerObject &object : listed) {
            present.insert(object.href);
            const auto found = m_state.copies.find(object.href);
            if (found == m_state.copies.end() || found->second.etag != object.etag)
                changed.push_back(object);
        }
        QStringList removed;
        for (const auto &[href, copy] : m_state.copies) {
            if (!present.contains(href))
                removed += href;
        }
        pullChanged(std::move(changed), std::move(removed), newToken);
    };
    m_server.changesSince(token, [this, token, fromListing](ServerResult<ServerChanges> result) {
        if (result.ok() && token.isEmpty())
            return fromListing(result.value.changed, result.value.syncToken);
        if (result.ok()) {
            std::vector<ServerObject> changed;
            for (const ServerObject &object : result.value.changed) {
                const auto found = m_state.copies.find(object.href);
                if (found == m_state.copies.end() || found->second.etag != object.etag)
                    changed.push_back(object);
            }
            QStringList removed;
            for (const QString &href : result.value.removed) {
                if (m_state.copies.contains(href))
                    removed += href;
            }
            return pullChanged(std::move(changed), std::move(removed), result.value.syncToken);
        }
        if (result.error != ServerError::invalidSyncToken)
            return fail(result.error);
        m_server.listEtags([this, fromListing](ServerResult<std::vector<ServerObject>> listing) {
            if (!listing.ok())
                return fail(listing.error);
            fromListing(listing.value, QString());
        });
    });
}

void SyncEngine::pullChanged(std::vector<ServerObject> changed, QStringList removed, QString token)
{
    if (changed.empty())
        return apply({}, removed, token);
    QStringList hrefs;
    for (const ServerObject &object : changed)
        hrefs += object.href;
    m_server.fetch(hrefs, [this, removed, token](ServerResult<std::vector<ServerObject>> result) {
        if (!result.ok())
            return fail(result.error);
        apply(result.value, removed, token);
    });
}

void SyncEngine::apply(const std::vector<ServerObject> &fetched, const QStringList &removed,
                       const QString &token)
{
    const std::vector<TodoItem> &known = m_journal.knownList();
    std::unordered_set<std::string> listed;
    for (const TodoItem &item : known)
        listed.insert(item.id().uuidString());
    auto stillListed = [&](const Uuid &id) { return listed.contains(id.uuidString()); };

    // Changed here while the server's answer was on its way: the replay's
    // conditional write meets the server's change and merges, as long as the
    // copy it writes over stays the one the change was made against.
    std::unordered_set<std::string> pending;
    for (const LocalChange &change : m_journal.changes())
        pending.insert(change.item.id().uuidString());
    auto waits = [&](const QString &id) { return pending.contains(id.toStdString()); };

    SyncOutcome outcome;
    addMerged(outcome);
    for (const ServerObject &object : fetched) {
        const auto todo = readVTodo(object.data.toStdString(), m_calendar, m_clock.now());
        if (todo && waits(idText(todo->id)))
            continue;
        m_state.copies[object.href] =
            SyncedCopy{todo ? idText(todo->id) : QString(), object.etag, object.data};
        if (!todo)
            continue;
        if (todo->shown())
            outcome.upserts.push_back(*todo);
        else if (stillListed(todo->id))
            outcome.removals.push_back(todo->id);
    }
    for (const QString &href : removed) {
        if (waits(m_state.copies[href].id))
            continue;
        const auto id = Uuid::fromString(m_state.copies[href].id.toStdString());
        m_state.copies.erase(href);
        if (id && stillListed(*id))
            outcome.removals.push_back(*id);
    }

    const std::size_t count = known.size();
    if (!m_allowMassRemoval && count >= 10 && outcome.removals.size() * 2 > count) {
        // Nothing of it is kept until the user agrees, not even the token;
        // what the replay did is.
        m_writer.finish();
        m_state.load();
        SyncOutcome held;
        held.status = SyncOutcome::Status::needsConfirmation;
        held.heldRemovals = std::move(outcome.removals);
        return finish(std::move(held));
    }
    m_state.syncToken = token;
    if (!m_state.save() || !m_journal.setKnownList(appliedOutcome(known, outcome)))
        return fail(ServerError::none);
    finish(std::move(outcome));
}

void SyncEngine::addMerged(SyncOutcome &outcome) const
{
    // One finished on the server while it changed here stays finished.
    for (const ServerTodo &todo : m_merged) {
        if (todo.shown())
            outcome.upserts.push_back(todo);
        else
            outcome.removals.push_back(todo.id);
    }
}

bool SyncEngine::writeFiles()
{
    m_unsaved = 0;
    // The state first: a journal that forgot a change the state does not
    // show as taken would lose it; the other way round it is only replayed.
    return m_state.save() && m_journal.save();
}

void SyncEngine::finish(SyncOutcome outcome)
{
    // Merged to-dos are on the server whatever came after: the list takes them.
    if (outcome.status != SyncOutcome::Status::done && !m_merged.empty()) {
        addMerged(outcome);
        if (!m_journal.setKnownList(appliedOutcome(m_journal.knownList(), outcome)))
            outcome.error = ServerError::none;
    }
    outcome.uploaded = m_uploaded;
    auto done = std::move(m_done);
    m_done = nullptr;
    m_merged.clear();
    done(std::move(outcome));
}

void SyncEngine::fail(ServerError error)
{
    SyncOutcome outcome;
    outcome.status = SyncOutcome::Status::failed;
    outcome.error = writeFiles() ? error : ServerError::none;
    finish(std::move(outcome));
}
