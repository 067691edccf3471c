// SPDX-License-Identifier: MIT
// Where the host finds the password of an ODBC target, keeping it out of sight: never on the
// command line, in the log, a status text or an error message.
//
// `--db` names the server without a password (a DSN, or a connection string); the password
// comes from, in this order: the system keyring (service "WriteReport", the connection
// string without its password as the key), a password file only its owner may read
// (`--db-password-file`, else ~/.config/WriteReport/db-password when it exists), and, on an
// interactive start only, a prompt. A target that needs no password (integrated
// authentication: Trusted_Connection, Kerberos, peer) simply connects. A password written
// into `--db` still works, with a warning in the log.
#pragma once
#include "hostdata/DbCredentials.h"
#include <functional>

// ---- resolution ---------------------------------------------------------------------

struct TDbCredentialOptions {
    QString db;             // the --db text
    QString passwordFile;   // --db-password-file, empty: the default file when it exists
    bool useKeyring = true;
};

struct TDbCredentials {
    QString connectionString;  // what the backend opens: may hold the password; never log it
    QString display;           // the same without the password, for messages
    QString source;            // where the password came from: "keyring", "file PATH",
                               // "command line", "none"
    QString error;             // non-empty: the password could not be read (a refused file)
};

using TCredentialLogFn = std::function<void(const QString& line)>;

// Keyring look-up, replaceable by tests: returns true and the password when it holds one.
// `available` reports whether a keyring service answered at all.
using TKeyringReadFn = std::function<bool(const QString& key, QString* password, bool* available, QString* error)>;
void SetKeyringReaderForTests(TKeyringReadFn reader);

// Finds the password of an ODBC target (not of an SQLite file, which has none). Logs where it
// came from, never the password.
TDbCredentials ResolveDbCredentials(const TDbCredentialOptions& options, const TCredentialLogFn& log);

// The keyring key of a target: its connection string without a password, trimmed.
QString DbKeyringKey(const QString& db);

// ---- the keyring --------------------------------------------------------------------

// Whether a keyring service could be reached (a D-Bus session bus exists); without one the
// keyring is not even tried, so a start without a desktop never waits for it.
bool KeyringServiceLikelyPresent();
// Reads or stores the password in the system keyring. Fail quickly (a few seconds at most)
// when no keyring service answers.
bool ReadKeyringPassword(const QString& key, QString* password, bool* available, QString* error);
bool StoreKeyringPassword(const QString& key, const QString& password, QString* error);
