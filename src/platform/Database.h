// SPDX-License-Identifier: MIT
// The database-access interface the report layer talks to, shaped after the query and
// stored-procedure objects it uses: a connection creates queries and stored-procedure
// commands; each is created for one operation and released at its end.
//
// Every failure throws EDatabaseError with the driver's or server's message. Field and
// parameter names match case-insensitively. Not thread-safe: one connection per thread.
#pragma once
#include "DateTime.h"
#include "Exception.h"
#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

// A null-aware field or parameter value, read like the toolkit's field objects do:
// NULL reads as empty text, 0, false or the date-time 0.
class WR_PLATFORM_EXPORT TDbValue {
public:
    TDbValue() = default;
    explicit TDbValue(QVariant v) : m_value(std::move(v)) {}

    bool IsNull() const;
    QString AsString() const;
    // Throws EConvertError for a text that is not a whole number.
    int AsInteger() const;
    // Date-time columns and ISO date texts; throws EConvertError for anything else.
    TDateTime AsDateTime() const;
    // Booleans, numbers (non-zero is true) and the texts true/false/1/0.
    bool AsBoolean() const;
    const QVariant& Variant() const { return m_value; }

private:
    QVariant m_value;
};

// A query: SQL text held as lines, opened once, walked row by row.
class WR_PLATFORM_EXPORT TDbQuery {
public:
    virtual ~TDbQuery() = default;

    // The statement text, one entry per line; joined with CR LF when opened.
    QStringList& SQL() { return m_sql; }
    const QStringList& SQL() const { return m_sql; }
    QString SqlText() const { return m_sql.join(QStringLiteral("\r\n")); }

    // Runs the statement and positions on the first row.
    virtual void Open() = 0;
    // Runs a statement that returns no rows.
    virtual void ExecSQL() = 0;
    virtual void Close() = 0;
    virtual bool Active() const = 0;
    // Number of rows of the open result.
    virtual int RecordCount() const = 0;
    virtual void First() = 0;
    virtual void Next() = 0;
    virtual bool Eof() const = 0;
    // The named column of the current row; EDatabaseError when the result has no such column.
    virtual TDbValue FieldByName(const QString& name) const = 0;
    virtual QStringList FieldNames() const = 0;

private:
    QStringList m_sql;
};

enum class TParamDirection { Input, Output, InputOutput, ReturnValue };
enum class TDbFieldType { Unknown, String, Integer, Boolean, DateTime, Float, Memo };

struct WR_PLATFORM_EXPORT TDbParameter {
    QString Name;                       // as the catalogue spells it, with '@'
    TDbFieldType DataType = TDbFieldType::Unknown;
    TParamDirection Direction = TParamDirection::Input;
    int Size = 0;
    TDbValue Value;

    void SetAsString(const QString& v);
    void SetAsInteger(int v);
    void SetAsDateTime(TDateTime v);
    void SetAsBoolean(bool v);
    // The parameter's value is these bytes as text (7-bit RTF, so Latin-1 is exact).
    void LoadFromBytes(const QByteArray& bytes);
};

// A stored-procedure command. Parameters come from the database's catalogue
// (RefreshParameters) and are then set by name.
class WR_PLATFORM_EXPORT TDbStoredProc {
public:
    virtual ~TDbStoredProc() = default;

    void SetProcedureName(const QString& name) { m_name = name; }
    const QString& ProcedureName() const { return m_name; }

    // Replaces the parameter list by the procedure's declared parameters;
    // EDatabaseError when the procedure does not exist.
    virtual void RefreshParameters() = 0;
    // EDatabaseError when the procedure declares no such parameter.
    TDbParameter& ParamByName(const QString& name);
    TDbParameter* FindParam(const QString& name);
    std::vector<TDbParameter>& Parameters() { return m_params; }

    void SetPrepared(bool prepared) { m_prepared = prepared; }
    bool Prepared() const { return m_prepared; }
    // Runs the procedure with the current parameter values; output parameters hold their
    // values afterwards. EDatabaseError on any error the database reports, however late.
    virtual void ExecProc() = 0;
    virtual void Close() {}

protected:
    QString m_name;
    std::vector<TDbParameter> m_params;
    bool m_prepared = false;
};

// How the database can stamp a row each time it changes, which decides where a table keeps
// its row-version stamp.
enum class TRowStamping {
    ServerRowVersion,    // the server raises a rowversion column itself (binary: read it as bigint)
    TriggerSetsColumn,   // a BEFORE UPDATE trigger can set a column of the row being written
    SeparateTable,       // a trigger cannot change the row being written: the stamp lives beside it
};

// One open database connection, owned by whoever opened it (the host's data module).
class WR_PLATFORM_EXPORT TDbConnection {
public:
    virtual ~TDbConnection() = default;
    virtual std::unique_ptr<TDbQuery> CreateQuery() = 0;
    virtual std::unique_ptr<TDbStoredProc> CreateStoredProc() = 0;
    virtual bool Connected() const = 0;
    // "sqlite", "sqlserver" or "postgresql".
    virtual QString Dialect() const = 0;
    // A human-readable description for logs and status bars (no passwords).
    virtual QString Description() const = 0;
    // What this database offers for stamping changed rows; follows Dialect(), so a
    // connection that wraps another answers as the one it wraps.
    TRowStamping RowStamping() const;

    // One transaction around several calls on this connection (a save and the steps that go
    // with it). Procedures called inside it join it instead of committing on their own:
    // SQLite runs their bodies on a savepoint, SQL Server nests their BEGIN TRANSACTION,
    // PostgreSQL runs the CALL inside the open block. Inside it a lost link is never reopened
    // and a statement is never run again after a lock wait: either would commit half of it.
    // Begin and Commit throw EDatabaseError (a backend without transactions, one already
    // open, none open); Rollback never throws and does nothing when none is open.
    virtual void BeginTransaction();
    virtual void CommitTransaction();
    virtual void RollbackTransaction() noexcept;
    virtual bool InTransaction() const { return false; }
};

// Rolls back in its destructor unless committed.
class WR_PLATFORM_EXPORT TDbTransaction {
public:
    explicit TDbTransaction(TDbConnection& conn) : m_conn(conn) { m_conn.BeginTransaction(); }
    ~TDbTransaction()
    {
        if (!m_done) m_conn.RollbackTransaction();
    }
    TDbTransaction(const TDbTransaction&) = delete;
    TDbTransaction& operator=(const TDbTransaction&) = delete;
    void Commit()
    {
        m_conn.CommitTransaction();
        m_done = true;
    }
    void Rollback()
    {
        m_conn.RollbackTransaction();
        m_done = true;
    }

private:
    TDbConnection& m_conn;
    bool m_done = false;
};

// The row stamping of a dialect named as Dialect() names it.
WR_PLATFORM_EXPORT TRowStamping RowStampingOf(const QString& dialect);

// Opens a connection from a text: a path to an SQLite file, or an ODBC connection string /
// "DSN=name". EDatabaseError when it cannot be opened.
WR_PLATFORM_EXPORT std::unique_ptr<TDbConnection> OpenDatabase(const QString& target);

// Quotes a text as an SQL string literal: enclosed in single quotes, inner quotes doubled.
WR_PLATFORM_EXPORT QString QuotedStr(const QString& s);
