// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#include "SyncDatabase.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sqlite3.h>

#include <cstring>

namespace {

constexpr int schemaVersion = 1;

// The list as sync last knew it (`known`, in the list's order), the local
// changes the server has not taken (`changes`, in order; `aside` holds the
// server's words for one it refused), the server's copies (`copies`), copies
// of removed to-dos kept for an undo (`removed`), and what the last pull
// brought that the stored list may not hold yet (`pulled`).
constexpr const char *schema[] = {
    "CREATE TABLE IF NOT EXISTS meta(key TEXT PRIMARY KEY, value TEXT) WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS known(seq INTEGER PRIMARY KEY, id BLOB UNIQUE NOT NULL, "
    "item TEXT NOT NULL)",
    "CREATE TABLE IF NOT EXISTS changes(seq INTEGER PRIMARY KEY AUTOINCREMENT, kind INTEGER NOT "
    "NULL, id BLOB NOT NULL, item TEXT NOT NULL, time REAL NOT NULL, aside TEXT)",
    "CREATE TABLE IF NOT EXISTS copies(href TEXT PRIMARY KEY, id BLOB, etag TEXT, data BLOB) "
    "WITHOUT ROWID",
    "CREATE INDEX IF NOT EXISTS copies_by_id ON copies(id)",
    "CREATE TABLE IF NOT EXISTS removed(id BLOB PRIMARY KEY, href TEXT, data BLOB, time REAL) "
    "WITHOUT ROWID",
    "CREATE TABLE IF NOT EXISTS pulled(seq INTEGER PRIMARY KEY, id BLOB NOT NULL, item TEXT)",
};

} // namespace

SyncDatabase::SyncDatabase(QString path) : m_path(std::move(path)) {}

SyncDatabase::~SyncDatabase()
{
    close();
}

void SyncDatabase::close()
{
    for (auto &[sql, prepared] : m_statements)
        sqlite3_finalize(prepared);
    m_statements.clear();
    if (m_connection)
        sqlite3_close(m_connection);
    m_connection = nullptr;
}

SyncDatabase::Opening SyncDatabase::open()
{
    const Opening opening = openFile();
    if (opening != Opening::failed || !QFileInfo::exists(m_path))
        return opening;
    // Not this database: set aside with its log, as an unreadable list is.
    close();
    const QString aside =
        m_path + QStringLiteral(".unreadable-") +
        QDateTime::currentDateTimeUtc().toString(QStringLiteral("yyyyMMdd'T'HHmmss'Z'"));
    if (!QFile::rename(m_path, aside))
        return Opening::failed;
    for (const char *suffix : {"-wal", "-shm"}) {
        const QString companion = m_path + QLatin1String(suffix);
        if (QFileInfo::exists(companion))
            QFile::rename(companion, aside + QLatin1String(suffix));
    }
    m_setAside = aside;
    return openFile() == Opening::failed ? Opening::failed : Opening::made;
}

SyncDatabase::Opening SyncDatabase::openFile()
{
    const bool existed = QFileInfo::exists(m_path);
    if (!QDir().mkpath(QFileInfo(m_path).absolutePath()))
        return Opening::failed;
    const QByteArray name = QFile::encodeName(m_path);
    if (sqlite3_open_v2(name.constData(), &m_connection,
                        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX,
                        nullptr) != SQLITE_OK) {
        close();
        return Opening::failed;
    }
    QFile::setPermissions(m_path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    sqlite3_busy_timeout(m_connection, 5000);
    // Reading the version reads the header: a file that is not a database
    // fails here, a damaged one at the check.
    const auto readable = [this](int &version) {
        Query query(*this, "PRAGMA user_version");
        if (!query.next())
            return false;
        version = int(query.integer(0));
        Query check(*this, "PRAGMA quick_check");
        return version <= schemaVersion && check.next() && check.text(0) == u"ok";
    };
    int version = 0;
    if (!readable(version)) {
        close();
        return Opening::failed;
    }
    if (!makeSchema()) {
        close();
        return Opening::failed;
    }
    m_failed = false;
    return existed && version == schemaVersion ? Opening::opened : Opening::made;
}

bool SyncDatabase::makeSchema()
{
    if (sqlite3_exec(m_connection, "PRAGMA journal_mode=WAL", nullptr, nullptr, nullptr) !=
            SQLITE_OK ||
        sqlite3_exec(m_connection, "PRAGMA synchronous=FULL", nullptr, nullptr, nullptr) !=
            SQLITE_OK)
        return false;
    if (!begin())
        return false;
    for (const char *sql : schema) {
        if (sqlite3_exec(m_connection, sql, nullptr, nullptr, nullptr) != SQLITE_OK) {
            rollback();
            return false;
        }
    }
    const std::string version = "PRAGMA user_version=" + std::to_string(schemaVersion);
    if (sqlite3_exec(m_connection, version.c_str(), nullptr, nullptr, nullptr) != SQLITE_OK) {
        rollback();
        return false;
    }
    return commit();
}

sqlite3_stmt *SyncDatabase::statement(const char *sql)
{
    if (!m_connection)
        return nullptr;
    auto [found, added] = m_statements.try_emplace(sql, nullptr);
    if (added && sqlite3_prepare_v3(m_connection, sql, -1, SQLITE_PREPARE_PERSISTENT,
                                    &found->second, nullptr) != SQLITE_OK) {
        m_statements.erase(found);
        return nullptr;
    }
    return found->second;
}

bool SyncDatabase::begin()
{
    m_failed = false;
    return m_connection &&
           sqlite3_exec(m_connection, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
}

bool SyncDatabase::commit()
{
    if (m_failed) {
        rollback();
        return false;
    }
    if (sqlite3_exec(m_connection, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK)
        return true;
    rollback();
    return false;
}

void SyncDatabase::rollback()
{
    if (m_connection && !sqlite3_get_autocommit(m_connection))
        sqlite3_exec(m_connection, "ROLLBACK", nullptr, nullptr, nullptr);
}

std::optional<QString> SyncDatabase::value(const char *key)
{
    Query query(*this, "SELECT value FROM meta WHERE key = ?");
    query.bind(1, std::string(key));
    if (!query.next())
        return std::nullopt;
    return query.text(0);
}

bool SyncDatabase::setValue(const char *key, const QString &value)
{
    return Query(*this, "INSERT OR REPLACE INTO meta(key, value) VALUES(?, ?)")
        .bind(1, std::string(key))
        .bind(2, value)
        .run();
}

SyncDatabase::Query::Query(SyncDatabase &database, const char *sql)
    : m_database(database), m_statement(database.statement(sql))
{
    if (!m_statement)
        m_database.m_failed = true;
}

SyncDatabase::Query::~Query()
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, const QString &text)
{
    return bind(index, text.toUtf8());
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, const QByteArray &bytes)
{
    if (m_statement)
        sqlite3_bind_text(m_statement, index, bytes.constData(), int(bytes.size()),
                          SQLITE_TRANSIENT);
    return *this;
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, const std::string &text)
{
    if (m_statement)
        sqlite3_bind_text(m_statement, index, text.data(), int(text.size()), SQLITE_TRANSIENT);
    return *this;
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, const Uuid &id)
{
    if (m_statement)
        sqlite3_bind_blob(m_statement, index, id.bytes().data(), int(id.bytes().size()),
                          SQLITE_TRANSIENT);
    return *this;
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, double number)
{
    if (m_statement)
        sqlite3_bind_double(m_statement, index, number);
    return *this;
}

SyncDatabase::Query &SyncDatabase::Query::bind(int index, qint64 number)
{
    if (m_statement)
        sqlite3_bind_int64(m_statement, index, number);
    return *this;
}

SyncDatabase::Query &SyncDatabase::Query::bindNull(int index)
{
    if (m_statement)
        sqlite3_bind_null(m_statement, index);
    return *this;
}

bool SyncDatabase::Query::next()
{
    if (!m_statement)
        return false;
    const int result = sqlite3_step(m_statement);
    if (result == SQLITE_ROW)
        return true;
    if (result != SQLITE_DONE)
        m_database.m_failed = true;
    return false;
}

bool SyncDatabase::Query::run()
{
    if (!m_statement)
        return false;
    if (sqlite3_step(m_statement) == SQLITE_DONE)
        return true;
    m_database.m_failed = true;
    return false;
}

QString SyncDatabase::Query::text(int column) const
{
    return QString::fromUtf8(bytes(column));
}

QByteArray SyncDatabase::Query::bytes(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return QByteArray(data, sqlite3_column_bytes(m_statement, column));
}

std::string SyncDatabase::Query::string(int column) const
{
    const auto *data = static_cast<const char *>(sqlite3_column_blob(m_statement, column));
    return std::string(data ? data : "", std::size_t(sqlite3_column_bytes(m_statement, column)));
}

std::optional<Uuid> SyncDatabase::Query::id(int column) const
{
    if (sqlite3_column_bytes(m_statement, column) != int(sizeof(Uuid::Bytes)))
        return std::nullopt;
    Uuid::Bytes raw;
    std::memcpy(raw.data(), sqlite3_column_blob(m_statement, column), raw.size());
    return Uuid(raw);
}

double SyncDatabase::Query::number(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

qint64 SyncDatabase::Query::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

bool SyncDatabase::Query::isNull(int column) const
{
    return sqlite3_column_type(m_statement, column) == SQLITE_NULL;
}
