// SPDX-License-Identifier: MIT
// Which file an SQLite connection has open, so that a database file replaced while the
// program runs (a backup restored with mv, the file deleted or renamed) is noticed before
// anything is written into the old, unlinked file or its write-ahead log.
//
// SQLite keeps the file it opened; the path may meanwhile name another file. The identity
// (device and inode) of the file, its -wal and its -shm is recorded when a connection opens
// (the connection holds the file open, so its inode cannot be reused). Before a statement
// runs, SqliteRequireSameFile compares it with what the path names now. On a mismatch every
// connection of this thread to the old file is retired: its log is checkpointed into the
// old file and emptied, the connection is closed (it then reports itself not connected, and
// the host's data module reopens the path on its next use), and a log or shared-memory file
// of the old database still lying at the path is moved aside (…-wal.orphaned-<time>) or
// removed, so it can never be replayed onto the new file. Then EDatabaseError says so.
// Connections belong to the thread that opened them; the registry itself is thread-safe.
#pragma once
#include <QString>

// Records the file of a connection just opened (no-op for ":memory:").
void SqliteRegisterFile(const QString& connectionName, const QString& file);
void SqliteUnregisterFile(const QString& connectionName);
// EDatabaseError (after retiring the old file's connections) when the connection's path no
// longer names the file it has open.
void SqliteRequireSameFile(const QString& connectionName);
