// SPDX-License-Identifier: MIT
// The texts the ODBC backend sends, as pure functions so they can be tested without a server:
// the rewrite of T-SQL `[x]` identifiers for PostgreSQL, the catalogue look-ups, and the
// batches that call a stored procedure on SQL Server and on PostgreSQL.
#pragma once
#include "platform/Database.h"
#include <QString>
#include <QStringList>

enum class TOdbcDialect { SqlServer, PostgreSql };

// Rewrites every T-SQL bracket identifier `[x]` into a PostgreSQL quoted identifier `"x"`;
// `]]` inside brackets stands for one `]`, and a `"` inside becomes `""`. ASCII capitals
// inside the brackets are lowered: PostgreSQL folds unquoted names to lower case, and the
// schema creates every table and column unquoted, so `[ReportState]` must find the column
// that `ReportState` finds. Other letters (Chinese, Greek) are left as they are, exactly as
// PostgreSQL leaves them in unquoted names. String literals ('...' with '' escapes),
// quoted identifiers ("..."), dollar-quoted bodies ($tag$...$tag$), `--` line comments and
// nested `/* */` comments pass through untouched. An unterminated `[` is left as it is.
WR_PLATFORM_EXPORT QString RewriteBracketIdentifiers(const QString& sql);

// SQL Server: puts N before every string literal that holds a character outside 7-bit ASCII
// ('张医生' becomes N'张医生'). Without it the server reads the literal in the database's code
// page, so a character that page lacks turns into '?' and the comparison finds nothing. The
// query texts the report code logs stay as written; only what reaches SQL Server changes,
// and SQLite (which rejects N'') and PostgreSQL never see it. Literals already written N'',
// ASCII-only literals, [identifiers], "quoted identifiers" and comments are left alone.
WR_PLATFORM_EXPORT QString AddNationalLiteralPrefixes(const QString& sql);

// One parameter as the server's catalogue declares it, plus the server's own type text
// ("nvarchar(200)", "timestamp without time zone"): the call batches need it to declare
// output variables and to cast placeholders.
struct WR_PLATFORM_EXPORT TOdbcParamInfo {
    QString name;      // without '@'
    QString typeText;  // server type as written in a declaration; empty for hand-made ones
    TParamDirection direction = TParamDirection::Input;
};

// A procedure found in the catalogue.
struct WR_PLATFORM_EXPORT TOdbcProcInfo {
    QString schema;
    QString name;
    bool isFunction = false;  // PostgreSQL FUNCTION (SELECT * FROM f(...)) instead of PROCEDURE
};

// An executable call: SQL text with positional '?' markers, and for each marker the index of
// the parameter whose value it binds.
struct WR_PLATFORM_EXPORT TOdbcCall {
    QString sql;
    QList<int> bindOrder;
};

// The data type of a server type name ("nvarchar", "character varying", "datetime2", ...).
WR_PLATFORM_EXPORT TDbFieldType OdbcFieldTypeFromServerType(const QString& typeName, bool unbounded);

// SQL Server: the type text used to declare a variable of a parameter, from sys.parameters
// (type name, max_length in bytes, precision, scale).
WR_PLATFORM_EXPORT QString SqlServerTypeText(const QString& typeName, int maxLength, int precision, int scale);
// A declaration type for a parameter that did not come from the catalogue.
WR_PLATFORM_EXPORT QString DefaultTypeText(TOdbcDialect dialect, TDbFieldType type);

// Splits "dbo.sp_x", "[dbo].[sp_x]" or "sp_x" into schema (possibly empty) and name.
WR_PLATFORM_EXPORT void SplitProcedureName(const QString& full, QString& schema, QString& name);

// Catalogue queries; each takes the bound values returned through `binds`, in order.
WR_PLATFORM_EXPORT QString SqlServerProcedureCatalogueSql();
WR_PLATFORM_EXPORT QString PostgreSqlProcedureCatalogueSql();

WR_PLATFORM_EXPORT QString QuoteSqlServerIdentifier(const QString& name);
WR_PLATFORM_EXPORT QString QuotePostgreSqlIdentifier(const QString& name);

// SQL Server: SET NOCOUNT ON; DECLARE one variable per output parameter (initialised from a
// marker); EXEC with named arguments; SELECT the output variables back under their '@' names.
// PostgreSQL: CALL p("name" => CAST(? AS type), ...) for procedures, whose INOUT parameters
// come back as the call's one result row; SELECT * FROM f(...) for functions, whose OUT
// parameters are not passed and come back as columns.
WR_PLATFORM_EXPORT TOdbcCall BuildProcedureCall(TOdbcDialect dialect, const TOdbcProcInfo& proc,
                             const QList<TOdbcParamInfo>& params);

// Waiting on a server's lock.
// Whether an error is a lock wait that ran out: SQL Server's error 1222 ("Lock request time
// out period exceeded", SQL state HYT00), PostgreSQL's lock_timeout (SQL state 55P03,
// "canceling statement due to lock timeout"). `nativeCode` is QSqlError::nativeErrorCode(),
// `text` its database text.
WR_PLATFORM_EXPORT bool IsLockTimeoutError(TOdbcDialect dialect, const QString& nativeCode, const QString& text);
// The statement that sets how long the session's statements wait for a lock: ms > 0 that
// long, 0 as long as it takes (the servers' default).
WR_PLATFORM_EXPORT QString LockTimeoutStatement(TOdbcDialect dialect, int ms);
// Whether a query text is one statement that only reads (SELECT or WITH ... SELECT, also FOR
// UPDATE): such a statement that fails changed nothing, so it may simply run again. Words are
// looked at outside literals, quoted names and comments; a second statement, with or without
// a semicolon (T-SQL needs none), makes the answer false. Conservative: false when unsure.
WR_PLATFORM_EXPORT bool IsSingleReadStatement(const QString& sql);
