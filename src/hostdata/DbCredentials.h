// SPDX-License-Identifier: MIT
// The database password of an ODBC target, shared by wr-host and wr-admin: connection
// strings with and without their password, the command line as the log may show it, and
// password files only their owner may read. Nothing here writes a password anywhere; callers
// keep it out of logs, status texts and messages. Where the host looks for a password
// (keyring, file, prompt) is database/DbPasswordLookup.h.
#pragma once
#include <QString>
#include <QStringList>

// ---- connection strings --------------------------------------------------------------

// The value of the first key=value pair whose key is one of `keys` (case-insensitive),
// braces taken off; empty when absent.
QString OdbcValue(const QString& connectionString, const QStringList& keys);
bool HasOdbcPassword(const QString& connectionString);
// The string without its Pwd / Password pairs (braced values holding ';' understood).
QString WithoutOdbcPassword(const QString& connectionString);
// The string with `password` as its Pwd, braced so that ';', '=' and '}' inside survive.
QString WithOdbcPassword(const QString& connectionString, const QString& password);
// Whether the string asks for integrated authentication (Windows authentication, Kerberos):
// then no password is looked up or asked for.
bool UsesIntegratedAuthentication(const QString& connectionString);
// The command line as the log may show it: the value of --db (and of any Pwd= in it) has its
// password replaced by "***".
QStringList MaskPasswordsInArguments(const QStringList& arguments);

// ---- password files -----------------------------------------------------------------

struct TSecretFile {
    bool ok = false;
    QString secret;   // the first line, without its line break
    QString error;    // names the file, e.g. why it is refused
};
// Reads a secret from a file only its owner may read: a file that its group or others may
// read is refused (the message names the file and its mode), as is an empty or missing one.
TSecretFile ReadOwnerOnlySecretFile(const QString& path);
// ~/.config/WriteReport/db-password (the configuration folder of the user).
QString DefaultDbPasswordFile();

// The target with the first line of `file` (only its owner may read it) as its password,
// or empty with *error naming the file and why it is refused: readable or writable by its
// group or others, missing, empty, or a target that takes no password (an SQLite file).
// A password already in the target is replaced, so the result holds exactly one.
QString TargetWithPasswordFile(const QString& target, const QString& file, QString* error);
