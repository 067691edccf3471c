// SPDX-License-Identifier: MIT
// The commands of wr-admin, run on an open database: each prints what it did to `out`,
// refusals and errors to `err`, and returns the exit status (kAdminOk, kAdminFailed,
// kAdminUsage). Passwords come from ReadNewPassword, never from the arguments, and are
// printed nowhere.
#pragma once
#include "platform/Database.h"
#include <QStringList>
#include <QTextStream>

constexpr int kAdminOk = 0;
constexpr int kAdminFailed = 1;       // the database refused or failed
constexpr int kAdminUsage = 2;        // bad command line
constexpr int kAdminNoDatabase = 3;   // the database cannot be opened

extern const char kAdminUsageText[];

// args: the command and its arguments, e.g. {"reset-password", "D003", "--must-change"}.
int RunAdminCommand(TDbConnection& conn, const QStringList& args, QTextStream& out, QTextStream& err);

// Whether args name a known command with the right number of arguments (checked before the
// database is opened, so a typing error does not need one); else *why says what is wrong.
bool AdminCommandValid(const QStringList& args, QString* why);
