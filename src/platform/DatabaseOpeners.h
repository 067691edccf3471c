// SPDX-License-Identifier: MIT
// Backends that OpenDatabase cannot reach directly register themselves here. The ODBC
// backend sets g_odbcOpener when it is built in; until then ODBC connection strings fail
// with "ODBC support is not built in". Set once at start-up, before connections are opened.
#pragma once
#include "Database.h"

using TDbOpener = std::unique_ptr<TDbConnection> (*)(const QString& target);

WR_PLATFORM_EXPORT extern TDbOpener g_odbcOpener;

// Whether a target text is an ODBC connection string ("DSN=x", "Driver={...};...") rather
// than the path of an SQLite file. An existing file counts as a path even when its name
// holds '='.
WR_PLATFORM_EXPORT bool IsOdbcTarget(const QString& target);
