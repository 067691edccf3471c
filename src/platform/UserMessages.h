// SPDX-License-Identifier: MIT
// Database errors as a doctor should read them. The technical text (driver message, SQL
// state, the statement) helps whoever reads the log, not the doctor: shown, it says what
// happened and what to do, in Chinese, and the statement is left out. Pure, any thread.
#pragma once
#include "PlatformExport.h"
#include <QString>

// True when the text says that the link to the database server is gone or could not be
// made (network down, server restarted, time-out), whatever driver wrote it.
WR_PLATFORM_EXPORT bool IsConnectionError(const QString& technical);
// The text without the statements it quotes ("(SQL: ...)").
WR_PLATFORM_EXPORT QString WithoutSql(const QString& technical);
// What to show: for a lost connection what happened and what to do; otherwise the
// database's own message without its SQL. Empty for an empty text.
WR_PLATFORM_EXPORT QString DatabaseErrorForUser(const QString& technical);
