// SPDX-License-Identifier: MIT
// Who uses the host: the log-in at start and the password asked again before a signature.
//
// At start, in this order: a --login-file logs in from the file (every mode); the embedded
// demo database (no --db) logs in the demo doctor through the normal password check with the
// demo password, unless a user is named on the command line; otherwise a person at a screen
// gets the log-in dialog (pre-filled with --user-code, --user or the last user code of the
// configuration), and a headless run logs in no one and fails. --user and --user-code never
// log anyone in by themselves. The logged-in user's rights are the role's grants from the
// database (HostPermissions). Passwords are never logged, written or kept: the log names the
// user code and the outcome only; the configuration remembers the last user code.
// UI thread only.
#pragma once
#include "login/HostUser.h"
#include "app/HostOptions.h"
#include "hostdata/UserAccounts.h"
#include <QString>
#include <functional>
#include <optional>

class TConfigStore;
class QWidget;
class TDbConnection;

// The documented password of every demo user (README, "Log-in").
inline const QString kDemoPassword = QStringLiteral("demo1234");

enum class TLoginSource { LoginFile, Demo, Dialog };

struct TStartLogin {
    THostLogin login;
    TLoginSource source = TLoginSource::Dialog;
    QString error;          // why no one is logged in (English, for stderr and the log)
    bool cancelled = false; // the person closed the log-in dialog
};

struct TLoginEnvironment {
    bool canAsk = false;        // a person at a screen may answer the log-in dialog
    bool embeddedDemo = false;  // the built-in demo database, started without --db
    std::function<void(const QString& line)> log;
};

// The log-in at start; false with `out->error` when no one is logged in (exit code 7).
bool LogInAtStart(TDbConnection& conn, const THostOptions& options, TConfigStore& config, const TLoginEnvironment& env,
                  TStartLogin* out);

// The host's view of an account with its role's grants.
THostLogin HostLoginFrom(const TUserAccount& account, const QSet<QString>& granted);

// The password that a script's `answer password` types for the logged-in user: read again
// from the log-in file at that moment (so it is not kept), or the demo password; nothing
// after a log-in through the dialog.
std::function<std::optional<QString>()> ScriptPasswordSource(const THostOptions& options, TLoginSource source);

// Asks the logged-in user's password again through the dialog service and checks it (a wrong
// one counts like a failed log-in). False with the Chinese reason when it was cancelled,
// wrong or could not be checked; `log` gets a line naming the user and the outcome.
// `subject` names what is acted on (patient and exam), shown in the question.
bool ConfirmUserPassword(TDbConnection& conn, const THostLogin& login, const QString& purpose, QWidget* parent,
                         const std::function<void(const QString&)>& log, QString* reason,
                         const QString& subject = QString());
