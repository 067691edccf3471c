// SPDX-License-Identifier: MIT
// Waiting for another program's database lock. An SQLite statement that finds the database
// locked by another connection retries until the lock is free; without a wait handler it
// gives up after TSqliteConnection::kBusyTimeoutMs. A host installs a wait handler so that
// the user sees the wait and decides it: the handler is called on the UI thread about every
// 20 ms while a statement waits, with the milliseconds waited so far; it may keep the window
// painted and ask the user, and answers false to give up (the statement then fails with the
// database's "database is locked"). Statements on other threads wait as without a handler.
#pragma once
#include "PlatformExport.h"
#include <functional>

using TDbWaitHandler = std::function<bool(int waitedMs)>;

// Installs the handler (an empty one removes it); returns the one it replaces.
WR_PLATFORM_EXPORT TDbWaitHandler SetDbWaitHandler(TDbWaitHandler handler);

struct sqlite3;
// Makes the connection wait through the handler (SqliteDatabase.cpp calls it on open).
void InstallSqliteWaitHandler(sqlite3* handle);
