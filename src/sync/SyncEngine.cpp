// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncEngine.h"

#include "SyncFilesImport.h"
#include "TodoMerge.h"

#include <TodoListChanges.h>

#include <algorithm>
#include <unordered_map>
#include <unordered_set>

namespace {

// Conditional writes tried per change before the sync gives up on it for now.
constexpr int writeAttempts = 3;
// How long the copy of a removed to-do is kept for an undo to bring back.
constexpr double removedCopySeconds = 24 * 60 * 60;

bool isMassRemoval(std::size_t removals, std::size_t listLength)
{
    return listLength >= 10 && removals * 2 > listLength;
}

} // namespace

std::vector<TodoItem> appliedChanges(std::vector<TodoItem> list, const ListChanges &changes)
{
    return withChanges(std::move(list), changes.upserts, changes.removals);
}

SyncEngine::SyncEngine(CalendarServer &server, const QString &folder, const Clock &clock)
    : m_server(server), m_clock(clock), m_folder(folder),
      m_database(folder + QStringLiteral("/sync.db")), m_journal(m_database), m_state(m_database),
      m_calendar(LocalCalendar::current())
{
}

bool SyncEngine::load()
{
    const SyncDatabase::Opening opening = m_database.open();
    if (opening == SyncDatabase::Opening::failed)
        return false;
    if (opening == SyncDatabase::Opening::made &&
        !importSyncFiles(m_folder, m_database, m_journal, m_state))
        return false;
    return m_journal.load();
}

std::optional<ServerTodo> SyncEngine::read(const QByteArray &text) const
{
    return readVTodo(std::string_view(text.constData(), std::size_t(text.size())), m_calendar,
                     m_clock.now());
}

bool SyncEngine::record(const std::vector<TodoItem> &saved, const std::vector<TodoItem> &removed)
{
    return m_journal.record(saved, removed, m_clock.now());
}

std::optional<ListChanges> SyncEngine::reconcile(const std::vector<TodoItem> &stored,
                                                 bool listWasRead)
{
    ListChanges changes;
    auto [pulled, mark] = m_state.pendingPull();
    changes.pullMark = mark;
    for (PulledChange &change : pulled) {
        if (change.item)
            changes.upserts.push_back(std::move(*change.item));
        else
            changes.removals.push_back(change.id);
    }
    const std::vector<TodoItem> list = appliedChanges(stored, changes);

    std::unordered_map<Uuid, const TodoItem *, UuidHash> listed;
    for (const TodoItem &item : list) {
        if (!item.extras().occurrenceOf)
            listed.emplace(item.id(), &item);
    }
    std::vector<TodoItem> saved;
    std::vector<TodoItem> removed;
    m_journal.forEachKnown([&](TodoItem known) {
        const auto found = listed.find(known.id());
        if (found == listed.end()) {
            if (listWasRead)
                removed.push_back(std::move(known));
            else
                changes.upserts.push_back(std::move(known));
            return;
        }
        if (!(*found->second == known))
            saved.push_back(*found->second);
        listed.erase(found);
    });
    for (const TodoItem &item : list) {
        if (listed.contains(item.id()))
            saved.push_back(item);
    }
    if (m_database.hasFailed() || !record(saved, removed))
        return std::nullopt;
    return changes;
}

bool SyncEngine::listChanged(const std::vector<TodoItem> &list)
{
    return reconcile(list, true).has_value();
}

void SyncEngine::listStored(qint64 pullMark)
{
    if (pullMark > 0)
        m_state.pullStored(pullMark);
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
    m_lastSent = 0;
    m_merged.clear();
    m_mergedAway.clear();
    m_heldLocal.clear();
    m_heldLocalIds.clear();
    m_pulled = ListChanges();
    m_calendar = LocalCalendar::current();
    {
        SyncDatabase::Transaction transaction(m_database);
        const auto waiting = qint64(m_journal.changes().size());
        if (!m_state.forgetRemovedBefore(m_clock.now() - removedCopySeconds) ||
            (m_state.uploadTotal() < waiting && !m_state.setUploadTotal(waiting)) ||
            !transaction.commit())
            return fail(ServerError::none);
    }

    // Removals made here of most of a synced list wait for the user too.
    std::vector<const LocalChange *> removals;
    for (const LocalChange &change : m_journal.changes()) {
        if (change.kind == LocalChange::Kind::remove && !m_state.hrefOf(change.item.id()).isEmpty())
            removals.push_back(&change);
    }
    if (!m_allowMassRemoval &&
        isMassRemoval(removals.size(), std::size_t(m_journal.knownCount()) + removals.size())) {
        for (const LocalChange *change : removals) {
            m_heldLocal.insert(change->seq);
            m_heldLocalIds.push_back(change->item.id());
        }
    }

    // Steps are taken from the back. A first sync lists the server before it
    // sends anything, and again after: a token from before its own writes
    // need not tell of their removal later.
    const bool first = !m_state.hasCopies() && m_state.syncToken().isEmpty();
    m_steps = first ? std::vector{Step::pull, Step::replay, Step::pull}
                    : std::vector{Step::pull, Step::replay};
    nextStep();
}

void SyncEngine::nextStep()
{
    if (m_steps.empty()) {
        SyncOutcome outcome;
        if (!m_heldLocalIds.empty()) {
            outcome.status = SyncOutcome::Status::needsConfirmation;
            outcome.heldRemovals = m_heldLocalIds;
            outcome.removalsHeldHere = true;
        }
        if (!writeMerged(outcome))
            return fail(ServerError::none);
        return finish(std::move(outcome));
    }
    const Step step = m_steps.back();
    m_steps.pop_back();
    if (step == Step::replay)
        replayNext();
    else
        pull();
}

const LocalChange *SyncEngine::nextChange() const
{
    const std::deque<LocalChange> &changes = m_journal.changes();
    for (auto next = std::ranges::upper_bound(changes, m_lastSent, {}, &LocalChange::seq);
         next != changes.end(); ++next) {
        if (!m_heldLocal.contains(next->seq))
            return &*next;
    }
    return nullptr;
}

void SyncEngine::replayNext()
{
    const LocalChange *change = nextChange();
    if (!change)
        return nextStep();
    m_lastSent = change->seq;
    m_journal.sending(change->seq);
    if (change->kind == LocalChange::Kind::remove)
        uploadRemoval(*change);
    else
        upload(*change, writeAttempts);
}

void SyncEngine::uploadRemoval(const LocalChange &change)
{
    const auto copy = m_state.copyOf(change.item.id());
    if (!copy) {
        if (taken(change, [] { return true; }))
            replayNext();
        return;
    }
    m_server.remove(copy->href, copy->etag,
                    [this, change, copy = *copy](ServerResult<bool> result) {
                        if (result.ok() || result.error == ServerError::notFound) {
                            // Kept for a while, so that an undo brings it back whole.
                            if (taken(change, [&] {
                                    return m_state.keepRemoved(copy, m_clock.now()) &&
                                           m_state.removeCopy(copy.href);
                                }))
                                replayNext();
                        } else if (result.error == ServerError::preconditionFailed) {
                            keepTheirs(change, copy.href);
                        } else if (result.error == ServerError::refused) {
                            refused(change, result.message);
                        } else {
                            fail(result.error, result.message);
                        }
                    });
}

void SyncEngine::upload(LocalChange change, int attemptsLeft)
{
    const double now = m_clock.now();
    const Uuid id = change.item.id();
    const std::optional<SyncedCopy> copy = m_state.copyOf(id);
    QString etag;
    QString target;
    std::string text;
    if (copy) {
        if (const auto current = read(copy->text); current && current->item() == change.item) {
            if (taken(change, [] { return true; }))
                replayNext();
            return;
        }
        target = copy->href;
        etag = copy->etag;
        text = updatedVTodo(copy->text.toStdString(), change.item, now, m_calendar)
                   .value_or(newVTodo(change.item, now, m_calendar));
    } else if (const auto removed = m_state.removedCopy(id)) {
        // Brought back after its removal reached the server: whole, as it was there.
        target = removed->href;
        text = updatedVTodo(removed->text.toStdString(), change.item, now, m_calendar)
                   .value_or(newVTodo(change.item, now, m_calendar));
    } else {
        target = m_server.hrefForUid(QString::fromStdString(change.item.uid()));
        text = newVTodo(change.item, now, m_calendar);
    }
    const QByteArray data = QByteArray::fromStdString(text);
    m_server.put(
        target, data, etag,
        [this, change, target, data, attemptsLeft](ServerResult<QString> result) {
            if (result.ok()) {
                const Uuid id = change.item.id();
                // After a conflict the server copy may differ beyond the
                // to-do (completed there): the list takes it as written.
                const auto todo = attemptsLeft < writeAttempts ? read(data) : std::nullopt;
                if (taken(change, [&] {
                        return m_state.putCopy(SyncedCopy{target, id, result.value, data}) &&
                               m_state.forgetRemoved(id) && (!todo || merged(change, *todo));
                    }))
                    replayNext();
            } else if ((result.error == ServerError::preconditionFailed ||
                        result.error == ServerError::notFound) &&
                       attemptsLeft > 1) {
                resolveConflict(change, target, attemptsLeft - 1);
            } else if (result.error == ServerError::refused) {
                refused(change, result.message);
            } else {
                fail(result.error, result.message);
            }
        });
}

void SyncEngine::keepTheirs(const LocalChange &change, const QString &href)
{
    // Changed there since: the change wins and comes back, also when the pull
    // that brought it went past it while the removal waited in the journal.
    m_server.fetch({href}, [this, change, href](ServerResult<std::vector<ServerObject>> result) {
        if (!result.ok())
            return fail(result.error, result.message);
        if (result.value.empty()) {
            if (taken(change, [&] { return m_state.removeCopy(href); }))
                replayNext();
            return;
        }
        const ServerObject &theirs = result.value.front();
        const auto todo = read(theirs.data);
        if (taken(change, [&] {
                return m_state.putCopy(SyncedCopy{href,
                                                  todo ? std::optional(todo->id) : std::nullopt,
                                                  theirs.etag, theirs.data}) &&
                       (!todo || merged(change, *todo));
            }))
            replayNext();
    });
}

void SyncEngine::resolveConflict(LocalChange change, const QString &href, int attemptsLeft)
{
    m_server.fetch({href}, [this, change, href,
                            attemptsLeft](ServerResult<std::vector<ServerObject>> result) {
        if (!result.ok())
            return fail(result.error, result.message);
        const Uuid id = change.item.id();
        if (result.value.empty()) {
            // Removed there: the change wins and is written as new.
            SyncDatabase::Transaction transaction(m_database);
            if (!m_state.removeCopy(href) || !transaction.commit())
                return fail(ServerError::none);
            return upload(change, attemptsLeft);
        }
        const ServerObject &theirs = result.value.front();
        LocalChange mergedChange = change;
        if (const auto theirTodo = read(theirs.data)) {
            const auto copy = m_state.copyAt(href);
            const auto base = copy ? read(copy->text) : std::nullopt;
            TodoItem theirItem = theirTodo->item();
            if (!theirTodo->due)
                theirItem = theirItem.with(theirItem.name(),
                                           base ? base->item().time() : change.item.time(),
                                           theirItem.priority());
            // Without common ground the journaled change is the newer one.
            const TodoItem baseItem = base ? base->item() : theirItem;
            mergedChange.item =
                mergeTodo(baseItem, change.item, change.time, theirItem, theirTodo->lastModified);
        }
        SyncDatabase::Transaction transaction(m_database);
        if (!m_state.putCopy(SyncedCopy{href, id, theirs.etag, theirs.data}) ||
            !transaction.commit())
            return fail(ServerError::none);
        upload(mergedChange, attemptsLeft);
    });
}

bool SyncEngine::merged(const LocalChange &change, const ServerTodo &todo)
{
    const LocalChange *later = m_journal.lastChangeOf(todo.id);
    if (later && later->seq == change.seq)
        later = nullptr;
    if (later && later->kind == LocalChange::Kind::remove)
        return true;
    if (!later) {
        if (todo.shown())
            m_merged.push_back(todo.item());
        else
            m_mergedAway.push_back(todo.id);
        return true;
    }
    // Changed here again while this went up: that change keeps what it
    // changed and takes the rest from the merge, here and when it goes.
    const TodoItem rebased = mergeTodo(change.item, later->item, later->time,
                                       todo.shown() ? todo.item() : later->item, std::nullopt);
    if (!m_journal.rebase(later->seq, rebased))
        return false;
    m_merged.push_back(rebased);
    return true;
}

bool SyncEngine::taken(const LocalChange &change, const std::function<bool()> &alsoWrite)
{
    bool written;
    {
        SyncDatabase::Transaction transaction(m_database);
        written = alsoWrite() && m_journal.take(change.seq) &&
                  (!m_journal.changes().empty() || m_state.setUploadTotal(0)) &&
                  transaction.commit();
    }
    if (!written) {
        m_journal.load();
        fail(ServerError::none);
        return false;
    }
    ++m_uploaded;
    reportProgress();
    return true;
}

void SyncEngine::refused(const LocalChange &change, const QString &message)
{
    bool written;
    {
        SyncDatabase::Transaction transaction(m_database);
        written = m_journal.putAside(change.seq, message) && transaction.commit();
    }
    if (!written) {
        m_journal.load();
        return fail(ServerError::none);
    }
    replayNext();
}

void SyncEngine::reportProgress()
{
    if (!progress)
        return;
    const int waiting = int(m_journal.changes().size());
    const int total = std::max(int(m_state.uploadTotal()), waiting);
    progress(total - waiting, waiting);
}

void SyncEngine::pull()
{
    const QString token = m_state.syncToken();
    // A full listing (no token, or ETags): whatever it lacks is gone.
    auto fromListing = [this](const std::vector<ServerObject> &listed, const QString &newToken) {
        std::vector<ServerObject> changed;
        std::unordered_set<QString> present;
        for (const ServerObject &object : listed) {
            present.insert(object.href);
            const auto copy = m_state.copyAt(object.href);
            if (!copy || copy->etag != object.etag)
                changed.push_back(object);
        }
        QStringList removed;
        m_state.forEachCopy([&](const QString &href, const QString &) {
            if (!present.contains(href))
                removed += href;
        });
        pullChanged(std::move(changed), std::move(removed), newToken);
    };
    m_server.changesSince(token, [this, token, fromListing](ServerResult<ServerChanges> result) {
        if (result.ok() && token.isEmpty())
            return fromListing(result.value.changed, result.value.syncToken);
        if (result.ok()) {
            std::vector<ServerObject> changed;
            for (const ServerObject &object : result.value.changed) {
                const auto copy = m_state.copyAt(object.href);
                if (!copy || copy->etag != object.etag)
                    changed.push_back(object);
            }
            QStringList removed;
            for (const QString &href : result.value.removed) {
                if (m_state.copyAt(href))
                    removed += href;
            }
            return pullChanged(std::move(changed), std::move(removed), result.value.syncToken);
        }
        if (result.error != ServerError::invalidSyncToken)
            return fail(result.error, result.message);
        m_server.listEtags([this, fromListing](ServerResult<std::vector<ServerObject>> listing) {
            if (!listing.ok())
                return fail(listing.error, listing.message);
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
            return fail(result.error, result.message);
        apply(result.value, removed, token);
    });
}

void SyncEngine::apply(const std::vector<ServerObject> &fetched, const QStringList &removed,
                       const QString &token)
{
    SyncOutcome outcome;
    std::vector<SyncedCopy> copies;
    std::vector<QString> gone;
    std::unordered_set<Uuid, UuidHash> removedIds;
    // New to-dos go to the end of the list in the order they were made, not
    // in the server's listing order; changed ones keep their place.
    std::vector<std::pair<double, TodoItem>> added;
    for (const ServerObject &object : fetched) {
        const auto todo = read(object.data);
        if (todo && m_journal.isWaiting(todo->id)) {
            // Changed here too: the replay's conditional write meets the
            // server's change and merges, as long as the copy it writes over
            // stays the one the change was made against. With no copy yet (a
            // first sync) the server's is the ground it writes over.
            if (!m_state.copyOf(todo->id))
                copies.push_back(SyncedCopy{object.href, todo->id, object.etag, object.data});
            continue;
        }
        copies.push_back(SyncedCopy{object.href, todo ? std::optional(todo->id) : std::nullopt,
                                    object.etag, object.data});
        if (!todo)
            continue;
        const bool known = m_journal.known(todo->id).has_value();
        if (todo->shown() && known) {
            outcome.upserts.push_back(todo->item());
        } else if (todo->shown()) {
            added.emplace_back(todo->created.value_or(0), todo->item());
        } else if (known) {
            outcome.removals.push_back(todo->id);
            removedIds.insert(todo->id);
        }
    }
    std::ranges::stable_sort(added, {}, &std::pair<double, TodoItem>::first);
    for (auto &[created, item] : added)
        outcome.upserts.push_back(std::move(item));
    for (const QString &href : removed) {
        const auto copy = m_state.copyAt(href);
        if (!copy || (copy->id && m_journal.isWaiting(*copy->id)))
            continue;
        gone.push_back(href);
        if (copy->id && m_journal.known(*copy->id) && removedIds.insert(*copy->id).second)
            outcome.removals.push_back(*copy->id);
    }

    if (!m_allowMassRemoval &&
        isMassRemoval(outcome.removals.size(), std::size_t(m_journal.knownCount()))) {
        // Nothing of it is kept until the user agrees, not even the token;
        // what the replay did is.
        SyncOutcome held;
        held.status = SyncOutcome::Status::needsConfirmation;
        held.heldRemovals = std::move(outcome.removals);
        m_steps.clear();
        if (!writeMerged(held))
            return fail(ServerError::none);
        return finish(std::move(held));
    }

    std::vector<PulledChange> pulled;
    for (const TodoItem &item : outcome.upserts)
        pulled.push_back({item.id(), item});
    for (const Uuid &id : outcome.removals)
        pulled.push_back({id, std::nullopt});
    std::optional<qint64> mark;
    {
        SyncDatabase::Transaction transaction(m_database);
        bool written = m_state.setSyncToken(token);
        for (const SyncedCopy &copy : copies)
            written = written && m_state.putCopy(copy);
        for (const QString &href : gone)
            written = written && m_state.removeCopy(href);
        for (const TodoItem &item : outcome.upserts)
            written = written && m_journal.putKnown(item);
        for (const Uuid &id : outcome.removals)
            written = written && m_journal.removeKnown(id);
        mark = written ? m_state.recordPull(pulled) : std::nullopt;
        if (mark && !transaction.commit())
            mark.reset();
    }
    if (!mark)
        return fail(ServerError::none);
    m_pulled.upserts.insert(m_pulled.upserts.end(), outcome.upserts.begin(), outcome.upserts.end());
    m_pulled.removals.insert(m_pulled.removals.end(), outcome.removals.begin(),
                             outcome.removals.end());
    m_pulled.pullMark = std::max(m_pulled.pullMark, *mark);
    nextStep();
}

bool SyncEngine::writeMerged(SyncOutcome &outcome)
{
    outcome.upserts.insert(outcome.upserts.begin(), m_pulled.upserts.begin(),
                           m_pulled.upserts.end());
    outcome.removals.insert(outcome.removals.begin(), m_pulled.removals.begin(),
                            m_pulled.removals.end());
    outcome.pullMark = m_pulled.pullMark;
    m_pulled = ListChanges();
    if (m_merged.empty() && m_mergedAway.empty())
        return true;
    std::vector<PulledChange> pulled;
    std::optional<qint64> mark;
    {
        SyncDatabase::Transaction transaction(m_database);
        bool written = true;
        for (const TodoItem &item : m_merged) {
            written = written && m_journal.putKnown(item);
            pulled.push_back({item.id(), item});
        }
        for (const Uuid &id : m_mergedAway) {
            written = written && m_journal.removeKnown(id);
            pulled.push_back({id, std::nullopt});
        }
        mark = written ? m_state.recordPull(pulled) : std::nullopt;
        if (mark && !transaction.commit())
            mark.reset();
    }
    if (!mark)
        return false;
    outcome.upserts.insert(outcome.upserts.end(), m_merged.begin(), m_merged.end());
    outcome.removals.insert(outcome.removals.end(), m_mergedAway.begin(), m_mergedAway.end());
    outcome.pullMark = std::max(outcome.pullMark, *mark);
    m_merged.clear();
    m_mergedAway.clear();
    return true;
}

void SyncEngine::finish(SyncOutcome outcome)
{
    outcome.uploaded = m_uploaded;
    outcome.refused = m_journal.setAside();
    m_steps.clear();
    auto done = std::move(m_done);
    m_done = nullptr;
    done(std::move(outcome));
}

void SyncEngine::fail(ServerError error, const QString &message)
{
    SyncOutcome outcome;
    outcome.status = SyncOutcome::Status::failed;
    // Merged to-dos are on the server whatever came after: the list takes them.
    outcome.error = writeMerged(outcome) ? error : ServerError::none;
    outcome.message = message;
    finish(std::move(outcome));
}

std::optional<std::vector<TodoItem>> SyncEngine::keepHeldRemovals(const std::vector<Uuid> &ids)
{
    std::vector<TodoItem> keptHere;
    std::vector<Uuid> keptThere;
    for (const Uuid &id : ids) {
        const LocalChange *change = m_journal.lastChangeOf(id);
        if (change && change->kind == LocalChange::Kind::remove)
            keptHere.push_back(change->item);
        else
            keptThere.push_back(id);
    }
    bool written;
    {
        // Kept there: their copies go first, so the saves go up as new.
        SyncDatabase::Transaction transaction(m_database);
        written = m_journal.dropRemovals(keptHere) && m_state.forgetCopies(keptThere) &&
                  transaction.commit();
    }
    if (!written) {
        m_journal.load();
        return std::nullopt;
    }
    if (!m_journal.resend(keptThere, m_clock.now()))
        return std::nullopt;
    return keptHere;
}
