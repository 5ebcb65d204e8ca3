// SPDX-License-Identifier: GPL-3.0-or-later
// SPDX-FileCopyrightText: 2026 The Plimsa developers

#pragma once

#include <Uuid.h>

#include <QByteArray>
#include <QString>

#include <map>
#include <optional>
#include <string>
#include <utility>

struct sqlite3;
struct sqlite3_stmt;

// The SQLite file that holds what sync remembers, so that a change writes only
// itself and a sync with nothing changed writes nothing at all. A commit is on
// disk when it returns (write-ahead log, synchronous FULL): a kill or a power
// cut leaves every transaction whole or not begun.
//
// A file that does not open as this database (damaged, or another file) is
// set aside as "<name>.unreadable-<UTC time>" and a new one begins, which the
// server and the list fill again; a folder that cannot be written fails.
//
// Not thread-safe: one thread at a time. Every call blocks on the disk.
class SyncDatabase {
public:
    explicit SyncDatabase(QString path);
    ~SyncDatabase();
    SyncDatabase(const SyncDatabase &) = delete;
    SyncDatabase &operator=(const SyncDatabase &) = delete;

    enum class Opening { opened, made, failed };
    // `made` when there was no database (or only one set aside): it is empty.
    Opening open();
    const QString &path() const { return m_path; }
    // Where an unreadable file went, after `open` set one aside.
    const std::optional<QString> &setAside() const { return m_setAside; }

    // One statement, prepared once for its text and kept; reset for each use.
    class Query {
    public:
        Query(SyncDatabase &database, const char *sql);
        ~Query();
        Query(const Query &) = delete;
        Query &operator=(const Query &) = delete;

        Query &bind(int index, const QString &text);
        Query &bind(int index, const QByteArray &bytes);
        Query &bind(int index, const std::string &text);
        Query &bind(int index, const Uuid &id);
        Query &bind(int index, double number);
        Query &bind(int index, qint64 number);
        Query &bindNull(int index);
        // The next row; false at the end or on an error.
        bool next();
        // Runs a statement that gives no rows; false on an error.
        bool run();

        QString text(int column) const;
        QByteArray bytes(int column) const;
        std::string string(int column) const;
        std::optional<Uuid> id(int column) const;
        double number(int column) const;
        qint64 integer(int column) const;
        bool isNull(int column) const;

    private:
        SyncDatabase &m_database;
        sqlite3_stmt *m_statement;
    };

    // Writes between `begin` and `commit` reach the disk all together or not
    // at all. False when the transaction could not be ended, or a statement in
    // it failed; it is then undone.
    bool begin();
    bool commit();
    void rollback();

    // A transaction undone unless committed before it goes.
    class Transaction {
    public:
        explicit Transaction(SyncDatabase &database)
            : m_database(database), m_open(database.begin())
        {
        }
        ~Transaction()
        {
            if (m_open)
                m_database.rollback();
        }
        Transaction(const Transaction &) = delete;
        Transaction &operator=(const Transaction &) = delete;
        bool commit() { return std::exchange(m_open, false) && m_database.commit(); }

    private:
        SyncDatabase &m_database;
        bool m_open;
    };

    // Whether a statement failed since the last `begin` (or since opening).
    bool hasFailed() const { return m_failed; }

    std::optional<QString> value(const char *key);
    bool setValue(const char *key, const QString &value);

private:
    Opening openFile();
    bool makeSchema();
    sqlite3_stmt *statement(const char *sql);
    void close();

    QString m_path;
    sqlite3 *m_connection = nullptr;
    std::map<std::string, sqlite3_stmt *> m_statements;
    std::optional<QString> m_setAside;
    bool m_failed = false;
};
