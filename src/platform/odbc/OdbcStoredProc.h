// SPDX-License-Identifier: MIT
// A stored-procedure command on an ODBC connection.
//
// RefreshParameters reads the procedure's parameters from the server's catalogue
// (sys.parameters on SQL Server, pg_proc on PostgreSQL), named with '@' as SQL Server spells
// them. ExecProc sends the parameters in the list (all of them, in catalogue order) as named
// arguments, so a name the procedure does not declare, or a declared parameter without a
// default that is missing, fails with the server's own message:
//   SQL Server  a T-SQL batch that declares one variable per output parameter, EXECs the
//               procedure with @Name = ? arguments and SELECTs the variables back at the end;
//               QSql::Out binding is never used (Qt reads it before the server has sent it).
//   PostgreSQL  CALL p("Name" => CAST(? AS type), ...) for a PROCEDURE, whose INOUT
//               parameters come back as the call's result row, or SELECT * FROM f(...) for a
//               FUNCTION, whose OUT parameters come back as columns.
// Every result set of the call is walked, so an error the procedure raises late still fails
// the call.
#pragma once
#include "OdbcDialect.h"
#include <memory>

class TOdbcSession;

class TOdbcStoredProc final : public TDbStoredProc {
public:
    explicit TOdbcStoredProc(std::weak_ptr<TOdbcSession> session) : m_session(std::move(session)) {}

    // EDatabaseError "Could not find stored procedure 'x'." when the catalogue has none, and
    // when a PostgreSQL name matches several overloads.
    void RefreshParameters() override;
    void ExecProc() override;

private:
    void RefreshSqlServer(TOdbcSession& session, const QString& schema, const QString& name);
    void RefreshPostgreSql(TOdbcSession& session, const QString& schema, const QString& name);

    std::weak_ptr<TOdbcSession> m_session;
    TOdbcProcInfo m_proc;          // as the catalogue names it
    QString m_refreshedFor;        // procedure name the catalogue was read for
    QHash<QString, QString> m_serverTypes;  // lower-case parameter name -> server type text
};
