// SPDX-License-Identifier: MIT
// Waiting for another program's database lock. A host installs a wait handler so that the
// user sees the wait and decides it: the handler is called on the UI thread while a
// statement waits, with the milliseconds waited so far; it may keep the window painted and
// ask the user, and answers false to give up. Statements on other threads wait as without a
// handler.
//   SQLite  a statement that finds the database locked retries until the lock is free,
//           calling the handler about every 20 ms; giving up fails it with the database's
//           "database is locked". Without a handler it gives up after
//           TSqliteConnection::kBusyTimeoutMs.
//   ODBC    a statement that is safe to run again waits on a server's lock for a short slice
//           at a time (see TOdbcSession), calling the handler after each; giving up fails it
//           with a "locked" error. Without a handler it waits as long as the server lets it.
#pragma once
#include "PlatformExport.h"
#include <functional>

using TDbWaitHandler = std::function<bool(int waitedMs)>;

// Installs the handler (an empty one removes it); returns the one it replaces.
WR_PLATFORM_EXPORT TDbWaitHandler SetDbWaitHandler(TDbWaitHandler handler);

// Whether a wait on this thread goes through the handler: one is installed and this is the
// application's main thread.
WR_PLATFORM_EXPORT bool DbWaitHandled();
// One call of the handler (see above); false (give up) when DbWaitHandled() is false.
WR_PLATFORM_EXPORT bool AskDbWaitHandler(int waitedMs);

struct sqlite3;
// Makes the connection wait through the handler (SqliteDatabase.cpp calls it on open).
void InstallSqliteWaitHandler(sqlite3* handle);
