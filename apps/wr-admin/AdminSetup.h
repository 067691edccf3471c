// SPDX-License-Identifier: MIT
// wr-admin's set-up commands: create-db (a new report database from the scripts, with its
// first administrator), upgrade-db (an existing one brought to the current scripts) and
// import-doctors (the department's doctors and their users from a CSV file). Each prints what
// it did to `out`, refusals and errors to `err`, and returns a kAdmin* exit status.
#pragma once
#include "platform/Database.h"
#include <QStringList>
#include <QTextStream>

// create-db runs before any database is opened: the target must not exist yet.
int CreateDatabaseCommand(const QString& target, const QStringList& args, QTextStream& out, QTextStream& err);
int UpgradeDatabaseCommand(TDbConnection& conn, QTextStream& out, QTextStream& err);
int ImportDoctorsCommand(TDbConnection& conn, const QStringList& args, QTextStream& out, QTextStream& err);
