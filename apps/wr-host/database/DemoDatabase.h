// SPDX-License-Identifier: MIT
// The embedded default database: on first run the host builds it from the scripts of
// db/sqlite in the user's data folder and uses it from then on.
#pragma once
#include "platform/SqliteDatabase.h"
#include <QString>

// The db/sqlite folder: beside the executable (or under WRITEREPORT_PROGRAM_DIR), else the
// installed data folder (InstalledDbScriptsFolder()), else the source tree the host was built
// from. Empty when none holds schema.sql.
QString FindDbScriptsFolder();
// <data folder>/demo.sqlite
QString DemoDatabasePath();
// Makes sure the demo database exists at `path`, building it when missing (or when `reset`)
// and bringing one made by an older version to the current scripts. False with a message
// when the scripts are missing or fail; `created` tells whether it was built now. The
// upgrade's one-time work (an index over the existing reports) goes to `progress`.
bool EnsureDemoDatabase(const QString& path, bool reset, QString* error, bool* created,
                        const TSqliteUpgradeProgress& progress = {});
