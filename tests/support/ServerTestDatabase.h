// SPDX-License-Identifier: MIT
// Fresh databases on the test database server (PostgreSQL through ODBC, started by
// scripts/server-tests), built from the project's own scripts in db/postgresql.
//
// WR_TEST_ODBC holds the ODBC connection string of the server's maintenance database, as the
// administrator who creates, owns and sets up the test databases; WR_TEST_ODBC_WORKSTATION
// the same as the workstations' login, which holds only what db/postgresql/grants.sql gives
// the role wr_workstation (the twin of the SQL Server role). The code under test connects
// as the workstation; set-up and checks that write tables connect as the administrator.
// WR_TEST_BACKEND=odbc makes the server fixtures build their databases there instead of in
// SQLite files, so the same database tests run on both.
#pragma once
#include "platform/Database.h"
#include <QString>
#include <QStringList>

// WR_TEST_ODBC (the administrator), or empty when unset.
QString TestServerConnectionString();
// WR_TEST_ODBC_WORKSTATION (the workstations' login), or empty when unset.
QString WorkstationConnectionString();

// Whether this test run builds its databases on the server (WR_TEST_BACKEND=odbc).
bool TestsUseServer();

// The reason server tests cannot run here (WR_TEST_ODBC unset), or empty when they can.
QString ServerTestsUnavailableReason();

// Creates a new database on the server as the administrator, runs schema.sql, upgrades/,
// procedures.sql and grants.sql (and demo.sql when withDemoData) of db/postgresql in it, and
// returns the workstation's connection string to it. EDatabaseError when the server cannot
// be reached or a script fails.
QString CreateServerTestDatabase(bool withDemoData);

// The administrator's connection string to the database of `target`.
QString ServerAdminTarget(const QString& target);

// A script of db/postgresql by its name there ("procedures.sql", "grants.sql").
QString ServerScriptFile(const QString& name);

// db/postgresql/upgrades/*.sql in name order: run after schema.sql, before procedures.sql.
QStringList ServerUpgradeScripts();

// Drops a database made by CreateServerTestDatabase, disconnecting whoever still uses it.
// Never throws: a database left behind goes with the throwaway cluster.
void DropServerTestDatabase(const QString& connectionString);

// A workstation's connection to a fresh server database; the database is dropped when the
// connection is destroyed.
std::unique_ptr<TDbConnection> OpenServerTestDatabase(bool withDemoData);

// The connection string with its Database= value replaced (or added).
QString WithDatabaseName(const QString& connectionString, const QString& database);

// Runs a whole script file (several statements) on a connection; EDatabaseError naming the
// file when it fails.
void RunSqlScriptFile(TDbConnection& conn, const QString& file);
