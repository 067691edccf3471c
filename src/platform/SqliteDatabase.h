// SPDX-License-Identifier: MIT
// The embedded SQLite backend of the database-access interface (Qt's QSQLITE driver).
//
// One connection is one database file. Queries fetch their whole result when opened.
// SQLite has no stored procedures, so the file holds them: table wr_procedure (name, body)
// and the parameter catalogue wr_procedure_param; see db/sqlite/README.md. A procedure body
// runs in one transaction and may fail on purpose with the SQL function wr_raise(message),
// which every connection of this backend registers.
//
// Several processes may use one file at once: writers wait for each other (busy timeout)
// instead of failing. A connection belongs to the thread that opened it.
#pragma once
#include <functional>
#include "Database.h"
#include <QSqlDatabase>

class WR_PLATFORM_EXPORT TSqliteConnection final : public TDbConnection {
public:
    // Opens an existing database file; EDatabaseError when it is missing or cannot be opened.
    explicit TSqliteConnection(const QString& file);
    ~TSqliteConnection() override;
    TSqliteConnection(const TSqliteConnection&) = delete;
    TSqliteConnection& operator=(const TSqliteConnection&) = delete;

    std::unique_ptr<TDbQuery> CreateQuery() override;
    std::unique_ptr<TDbStoredProc> CreateStoredProc() override;
    bool Connected() const override;
    QString Dialect() const override { return QStringLiteral("sqlite"); }
    QString Description() const override;
    // IMMEDIATE, as a procedure's own transaction: the write lock is taken at once, so two
    // workstations saving together wait for each other instead of one failing when it
    // upgrades a read lock. Other writers wait until it ends (busy timeout).
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() noexcept override;
    bool InTransaction() const override;

    const QString& FileName() const { return m_file; }
    // The Qt connection name; queries look the connection up by it, so a query that outlives
    // its connection fails cleanly instead of touching freed memory.
    const QString& ConnectionName() const { return m_name; }

    // How long a statement waits for another process's write lock before failing.
    static constexpr int kBusyTimeoutMs = 30000;

private:
    QString m_file;
    QString m_name;
};

// The Qt connection of a backend connection name; EDatabaseError when it has been closed.
QSqlDatabase SqliteDatabaseByName(const QString& connectionName);
// EDatabaseError carrying the driver's text and the statement's first line.
[[noreturn]] void RaiseSqliteError(const class QSqlError& error, const QString& statement);
// Whether the connection is outside any transaction (SQLite's autocommit mode).
bool SqliteAutocommit(const QSqlDatabase& db);

// Creates the database file `file` by running the statements of each script in turn
// (UTF-8 text). The file is built beside its target and moved into place only when every
// script succeeded, so a failed build never leaves a half-made database. EDatabaseError when
// the file already exists, a script cannot be read or a statement fails (naming the script).
// The new file uses write-ahead logging (journal_mode WAL), so it must live on a local disk.
// `beforeMove`, when given, runs on the finished scripts' connection before the file is moved
// into place (a first user, say); an exception from it leaves no file either.
WR_PLATFORM_EXPORT void CreateSqliteDatabase(const QString& file, const QStringList& scriptFiles,
                                             const std::function<void(TSqliteConnection&)>& beforeMove = {});

// The scripts of db/sqlite in `folder` that make a working database: schema.sql, every
// upgrades/*.sql in name order, procedures.sql, then demo.sql when withDemoData.
WR_PLATFORM_EXPORT QStringList SqliteScriptFiles(const QString& folder, bool withDemoData);

// What brings a database made by older scripts to the current schema: upgrades/*.sql of
// `folder` in name order (additive changes of tables, columns, indexes, triggers), then
// procedures.sql (the current procedure bodies, which may use what the upgrades added).
WR_PLATFORM_EXPORT QStringList SqliteUpgradeScripts(const QString& folder);

// One-time work of an upgrade over the rows a database already holds: an index that a
// script builds (CREATE INDEX IF NOT EXISTS of an index not there yet). On a million
// reports that takes seconds, once; every later run of the script skips it.
struct TSqliteUpgradeWork {
    enum class TPhase { Started, Running, Finished };
    TPhase phase = TPhase::Started;
    QString script;    // file name of the script
    QString what;      // "index ix_Report_CreateTime on Report (1000014 rows)"
    qint64 elapsedMs = 0;  // since Started
};
// Called on the upgrading thread: Started and Finished once per piece of work, Running about
// ten times a second in between (a window may process its events there; it must not use the
// connection).
using TSqliteUpgradeProgress = std::function<void(const TSqliteUpgradeWork&)>;

// Runs upgrade scripts on an existing database, each in one transaction (a failing script is
// rolled back and raises EDatabaseError naming it). An "ALTER TABLE t ADD COLUMN c" whose
// column already exists is skipped, so that a script can run again without harm; every other
// statement must be safe to repeat by itself (IF NOT EXISTS, INSERT OR IGNORE, ...).
// `progress`, when given, hears of the one-time work as it happens.
WR_PLATFORM_EXPORT void UpgradeSqliteDatabase(TSqliteConnection& conn, const QStringList& scriptFiles,
                                              const TSqliteUpgradeProgress& progress = {});
