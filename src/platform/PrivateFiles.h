// SPDX-License-Identifier: MIT
// Patient text on disk (drafts and their backups, logs, the demo database) and the memory of
// a process that holds a database password are kept from the workstation's other local
// accounts: folders owner-only (0700), files owner-only (0600), and no core dumps.
//
// The folders and files are made so when they are created and tightened again at start, so
// files an older version left 0644 in 0755 folders are covered too. Symbolic links are never
// followed or changed: a link in a private tree is left as it is. On Windows, where a user's
// application-data folder is private already, the functions only create folders.
// Any thread; the functions keep no state.
#pragma once
#include "platform/PlatformExport.h"
#include <QString>

// Creates path and any missing parents; the folders this creates, and path itself, are 0700.
// False with the reason when path cannot be created or its mode cannot be set.
WR_PLATFORM_EXPORT bool MakePrivateFolder(const QString& path, QString* error = nullptr);

// Sets path to 0600 when it is a regular file (not a link). True when there is no such file.
WR_PLATFORM_EXPORT bool MakeFilePrivate(const QString& path, QString* error = nullptr);

// Makes root a private folder (as MakePrivateFolder) and tightens everything below it:
// folders 0700, regular files 0600. Returns how many entries had their mode changed, -1 with
// the reason when root cannot be made private (entries below that cannot be changed are
// named in *error, and the walk goes on).
WR_PLATFORM_EXPORT int MakeTreePrivate(const QString& root, QString* error = nullptr);

// The process may not be dumped (no core file holding a password or a report) and may not
// be traced or have its memory read by other processes of the same user (Linux prctl
// PR_SET_DUMPABLE 0). False where the system refuses or has no such setting.
WR_PLATFORM_EXPORT bool MakeProcessNonDumpable();
