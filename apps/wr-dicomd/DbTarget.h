// SPDX-License-Identifier: MIT
// Opening wr-dicomd's report database: the --db forms of wr-host (an SQLite file, an ODBC
// connection string, "DSN=name"), the password of an ODBC target taken from a file only its
// owner may read (--db-password-file, else ~/.config/WriteReport/db-password when it
// exists), never from the command line or the log. The one place that knows how; kept small
// so that it can use the host's shared credentials module (keyring included) once that is
// available to programs without widgets.
#pragma once
#include "platform/Database.h"
#include <QString>
#include <memory>

struct TDicomDbTarget {
    QString target;        // what the backend opens; may hold the password, never log it
    QString display;       // the same without the password
    QString error;         // non-empty: the password file was refused
};

TDicomDbTarget ResolveDicomDbTarget(const QString& db, const QString& passwordFile);
std::unique_ptr<TDbConnection> OpenDicomDatabase(const TDicomDbTarget& target);
