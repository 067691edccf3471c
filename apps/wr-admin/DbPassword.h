// SPDX-License-Identifier: MIT
// The database password of wr-admin's --db, out of sight as for wr-host: a file only its
// owner may read (--db-password-file), never the command line.
#pragma once
#include <QString>

// The target with the first line of `file` as its password (Pwd, braced so that ';', '='
// and '}' survive), or empty with *error naming the file and why it is refused: readable or
// writable by its group or others, missing, empty, or a target that takes no password (an
// SQLite file).
QString TargetWithPasswordFile(const QString& target, const QString& file, QString* error);
