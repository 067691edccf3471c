// SPDX-License-Identifier: MIT
// Fresh SQLite databases for tests, built from the project's own scripts in db/sqlite.
#pragma once
#include "platform/Database.h"
#include <QString>
#include <QTemporaryDir>

// Builds <folder>/writereport.db from schema.sql and procedures.sql (and demo.sql when
// withDemoData) and returns its path. Throws EDatabaseError when the folder already holds
// one or a script fails (use a fresh QTemporaryDir per test).
QString CreateTestDatabaseFile(const QString& folder, bool withDemoData);

// Builds the database as above and opens a connection to it.
std::unique_ptr<TDbConnection> CreateTestDatabase(const QString& folder, bool withDemoData);

// Runs one statement that returns no rows on the connection (test set-up and checks).
void ExecTestSql(TDbConnection& conn, const QString& sql);

// The first column of the first row of a query, or a null value when there is no row.
TDbValue QueryTestValue(TDbConnection& conn, const QString& sql);

// A fresh database in a temporary folder with an open connection, removed with the object.
// Hold one per test function (create in init(), reset in cleanup()).
struct TFreshDatabase {
    explicit TFreshDatabase(bool withDemoData);
    QTemporaryDir dir;
    QString file;
    std::unique_ptr<TDbConnection> conn;
};
