// SPDX-License-Identifier: MIT
// The database scripts of db/<dialect> (schema, upgrades, procedures, grants, demo data) and
// running them: what makes a new report database and what brings an existing one to the
// current scripts. Used by wr-admin's create-db and upgrade-db; no widgets, no user prompts.
#pragma once
#include "platform/Database.h"
#include <QString>
#include <QStringList>

// "sqlite", "postgresql" or "sqlserver" for a --db target, decided from its text alone (an
// ODBC connection string or DSN names a server: the driver tells which), so that a database
// that does not exist yet can be named.
QString DialectOfTarget(const QString& target);

// The folder holding db/<dialect>/schema.sql: beside the program, in the installed data
// folder, else the source tree. Empty when none has it.
QString FindDbScriptsFolder(const QString& dialect);

// The scripts, in the order they run. A new database: schema.sql, upgrades/*.sql in name
// order, procedures.sql, grants.sql (servers), then demo.sql when asked. An existing one:
// the same without schema.sql and demo.sql (every upgrade is safe to run again).
QStringList CreationScripts(const QString& folder, const QString& dialect, bool withDemoData);
QStringList UpgradeScripts(const QString& folder, const QString& dialect);

// A script's batches: SQL Server's scripts are cut at lines holding only GO (sqlcmd's batch
// separator, which the server itself does not know); other dialects' scripts are one batch.
QStringList ScriptBatches(const QString& text, const QString& dialect);

// Runs one script file on a server connection, batch by batch; EDatabaseError naming the
// file when it cannot be read or a batch fails.
void RunServerScript(TDbConnection& conn, const QString& file);

// Whether the database already holds the report tables (then create-db must not touch it).
bool HoldsReportTables(TDbConnection& conn);

// The commands with which the database's owner runs `scripts` (psql or sqlcmd), for a login
// that may not create tables itself.
QStringList OwnerCommands(const QString& dialect, const QStringList& scripts);
