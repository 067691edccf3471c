// SPDX-License-Identifier: MIT
// Small lexical helpers for SQL text run on SQLite: splitting a script into statements and
// turning named placeholders into positional ones. Both skip string literals, quoted
// identifiers ("x", [x], `x`) and comments, so a ';' or ':' inside them is left alone.
// A CREATE TRIGGER statement is kept whole: its body's ';'s up to the closing END stay in it.
#pragma once
#include "PlatformExport.h"
#include <QString>
#include <QStringList>

// The statements of a script, split at ';' outside literals and comments, each trimmed and
// without its ';'. Pieces holding only blanks and comments are dropped.
WR_PLATFORM_EXPORT QStringList SplitSqlStatements(const QString& script);

// Rewrites every ":Name" or "@Name" placeholder outside literals and comments to "?" and
// appends the names (without the prefix) to names, in order of appearance; a name used
// twice is listed twice. Returns the rewritten statement, with comments replaced by blanks.
WR_PLATFORM_EXPORT QString PositionalPlaceholders(const QString& statement, QStringList& names);

// The first line of a statement, for error messages.
WR_PLATFORM_EXPORT QString FirstSqlLine(const QString& statement);
