// SPDX-License-Identifier: MIT
// The live ODBC link behind one TOdbcConnection, shared with the queries and stored
// procedures it creates (they hold it weakly, so one that outlives its connection fails
// cleanly instead of touching freed memory).
//
// Reconnect on next use: a failed statement may mean the server went away (restarted,
// network cut). The failure is reported to the caller as it happened; the session only
// remembers that the link is in doubt. The next statement first checks the link with a
// trivial query and, when that fails, closes and reopens the connection. A statement is
// never retried by itself, since the server may have applied it before the link broke.
// A link idle for longer than IdleCheckSeconds() is checked the same way before use.
//
// Waiting on a lock: while the application has a wait handler (DbWait.h) and the statement
// is safe to run again, the session waits on the server's locks for kLockSliceMs at a time
// (the server's lock timeout). Each time the wait runs out the handler is asked, with the
// milliseconds waited so far: it keeps the window painted and asks the user; "keep waiting"
// runs the statement again, "give up" fails it with a "locked" error. Safe to run again
// means the failed statement changed nothing:
//   * a stored-procedure call: every procedure of the project's scripts is one transaction
//     that a lock timeout rolls back as a whole (SQL Server: BEGIN TRANSACTION under
//     SET XACT_ABORT ON; PostgreSQL: a CALL outside a transaction is one transaction);
//   * a query text that is one reading statement (IsSingleReadStatement).
// Other statements, and every statement without a handler (other threads, programs without
// a window), wait as long as the server lets them, as before. The backend never opens a
// transaction of its own around statements, so no earlier work is lost with the one that
// timed out.
#pragma once
#include "OdbcDialect.h"
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>

class QSqlError;

class TOdbcSession {
public:
    // Opens the connection; EDatabaseError with the driver's message when it cannot.
    explicit TOdbcSession(QString connectionString);
    ~TOdbcSession();
    TOdbcSession(const TOdbcSession&) = delete;
    TOdbcSession& operator=(const TOdbcSession&) = delete;

    TOdbcDialect Dialect() const { return m_dialect; }
    const QString& ConnectionString() const { return m_connectionString; }
    bool IsOpen() const;

    // A forward-only query on a usable link (reconnecting first when the link is in doubt).
    QSqlQuery NewQuery();

    // Runs a statement (already in the server's dialect) with positional values, walks every
    // result set it produces and returns the rows of the last one that has columns (or of
    // the first, when firstResult), with their column names. Throws EDatabaseError with the
    // server's message for an error in any result set, also one raised late.
    struct TResult {
        QStringList columns;
        std::vector<QVariantList> rows;
        bool hasColumns = false;
    };
    // `rerunnable`: the statement may run again after a lock wait ran out (see above).
    TResult Run(const QString& sql, const QVariantList& values, bool firstResult, bool rerunnable = false);

    // How long one slice of a lock wait lasts before the wait handler is asked.
    static constexpr int kLockSliceMs = 200;

    // A transaction across several statements (TDbConnection::BeginTransaction): the driver
    // leaves autocommit until Commit or Rollback. Inside it a link in doubt is checked but
    // never reopened (a new link would commit each statement on its own), and no statement
    // is run again after a lock wait.
    void BeginTransaction();
    void CommitTransaction();
    void RollbackTransaction() noexcept;
    bool InTransaction() const { return m_inTransaction; }

    // Marks the link as in doubt after a failure of any statement.
    void MarkSuspect() { m_suspect = true; }
    bool Suspect() const { return m_suspect; }
    int ReconnectCount() const { return m_reconnects; }
    static int IdleCheckSeconds();
    // Tests use 0 to check the link before every statement.
    static void SetIdleCheckSeconds(int seconds);

    // EDatabaseError from a Qt error: the server's text, then what was being done.
    [[noreturn]] void Raise(const QSqlError& error, const QString& doing);

private:
    struct TLockTimedOut {
        QString text;
    };
    TResult RunOnce(const QString& sql, const QVariantList& values, bool firstResult, bool askOnLock);
    // Fails a statement: TLockTimedOut for a lock wait that ran out when askOnLock, else Raise.
    [[noreturn]] void Fail(const QSqlError& error, const QString& doing, bool askOnLock);
    // Sets the session's lock wait (0: as long as it takes) unless it is already so; false
    // when the link waits otherwise (the server refused the setting).
    bool SetLockTimeout(int ms);
    void Open();
    void EnsureUsable();
    bool Ping();

    QString m_connectionString;
    QString m_name;
    TOdbcDialect m_dialect = TOdbcDialect::SqlServer;
    bool m_suspect = false;
    int m_reconnects = 0;
    int m_lockTimeoutMs = 0;  // as last set on this link; a new link waits without limit
    bool m_lockTimeoutRefused = false;
    bool m_inTransaction = false;
    QElapsedTimer m_lastUse;
};

// First line of a statement, shortened, for error messages.
QString OdbcStatementSummary(const QString& sql);
