// SPDX-License-Identifier: MIT
// The server backend of the database-access interface: Qt's QODBC driver over unixODBC (or
// the Windows driver manager), for Microsoft SQL Server in production and PostgreSQL
// (psqlodbc) in the tests. The dialect is taken from the server the driver reports.
//
// Query texts are written in T-SQL as the report code has them; on PostgreSQL `[x]`
// identifiers are rewritten to "x" (see RewriteBracketIdentifiers). Queries fetch their whole
// result when opened and walk every further result set, so an error raised late fails the
// Open. Stored procedures take their parameters from the server's catalogue and are called
// with named arguments (see TOdbcStoredProc).
//
// Loading the platform library registers this backend with OpenDatabase for ODBC connection
// strings ("Driver={...};Server=...", "DSN=name"). One connection per thread, as with every
// backend.
#pragma once
#include "platform/Database.h"
#include <memory>

class TOdbcSession;

class WR_PLATFORM_EXPORT TOdbcConnection final : public TDbConnection {
public:
    // Opens the connection with SQL_ATTR_ODBC_VERSION=SQL_OV_ODBC3. EDatabaseError with the
    // driver's message when it cannot be opened or the server is neither SQL Server nor
    // PostgreSQL.
    explicit TOdbcConnection(const QString& connectionString);
    ~TOdbcConnection() override;
    TOdbcConnection(const TOdbcConnection&) = delete;
    TOdbcConnection& operator=(const TOdbcConnection&) = delete;

    std::unique_ptr<TDbQuery> CreateQuery() override;
    std::unique_ptr<TDbStoredProc> CreateStoredProc() override;
    bool Connected() const override;
    QString Dialect() const override;
    QString Description() const override;
    void BeginTransaction() override;
    void CommitTransaction() override;
    void RollbackTransaction() noexcept override;
    bool InTransaction() const override;

    // How often the link was reopened after it had been lost.
    int ReconnectCount() const;

private:
    std::shared_ptr<TOdbcSession> m_session;
};

// The connection string without its password, for logs.
WR_PLATFORM_EXPORT QString OdbcDescription(const QString& connectionString);

// Seconds a link may sit idle before its next use checks it first (default 60). Tests set 0.
WR_PLATFORM_EXPORT void SetOdbcIdleCheckSeconds(int seconds);

// Sets g_odbcOpener; done once when the platform library loads. Safe to call again.
WR_PLATFORM_EXPORT void RegisterOdbcOpener();
