// SPDX-License-Identifier: MIT
// Opening the host's database with its password found out of sight (DbCredentials.h): an
// SQLite file simply opens; an ODBC target gets its password from the keyring or a password
// file, and in an interactive start the person is asked when the database refuses without
// one. Headless runs never ask: they fail with a message saying where a password may be put.
#pragma once
#include "database/DbPasswordLookup.h"

class THostDataModule;

struct THostDbConnectOptions {
    QString passwordFile;   // --db-password-file
    bool mayAsk = false;    // an interactive start on a screen: the password may be asked for
    bool useKeyring = true;
};

// Connects `module` (whose Target() is the --db text or an SQLite file). On success the
// module's target holds what was opened. `shown` receives the target without its password,
// for messages; `error` why it failed (never holding the password).
bool ConnectHostDatabase(THostDataModule& module, const THostDbConnectOptions& options, const TCredentialLogFn& log,
                         QString* shown, QString* error);

// `wr-host --store-db-password --db TARGET`: reads the password from standard input (without
// echo on a terminal) and stores it in the system keyring for TARGET. Needs a core
// application. Returns the exit code; messages go to stderr / stdout.
int StoreDbPasswordCommand(const QString& db);
