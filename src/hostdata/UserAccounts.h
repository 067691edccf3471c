// SPDX-License-Identifier: MIT
// Who may use the host: users, their roles and what each role may do, kept in the database
// (tables WrUser, WrRole, WrRolePermission; procedures sp_UserLogin* and sp_SetUserPassword).
//
// A user is linked to a doctor of csdoctor by the doctor's code; the logged-in user is that
// doctor. A password never leaves the workstation and nothing a log-in could be made from
// ever leaves the database: the database keeps an Argon2id salt, its parameters and two keys
// (src/platform/PasswordProof.h); a log-in asks it for a challenge (salt, parameters, a
// fresh single-use nonce: sp_UserLoginChallenge), computes the Argon2id-salted password and
// sends a proof (sp_UserLoginProof). The database checks the proof, records the outcome,
// applies the lock-out (kMaxFailures in a row lock for kLockMinutes, database time) and
// answers with its own signature, which is checked here. Unknown users, disabled accounts
// and wrong passwords get one answer: the database hands an unknown user a challenge like
// a known one's, so each attempt costs the same Argon2id. Keys made with weaker parameters
// than the current ones are replaced at the next successful log-in, in the same call.
//
// Passwords are never logged, never written to a file and never kept longer than a call.
// Widget-free; one object per connection and thread.
#pragma once
#include "platform/Database.h"
#include <QDateTime>
#include <QList>
#include <QSet>
#include <QString>
#include <optional>

struct TUserAccount {
    QString userCode;        // the log-in name; also the doctor's code in csdoctor
    QString userName;        // the doctor's name (csdoctor.姓名)
    QString deptCode;        // the doctor's department (csdoctor.kscode)
    QString roleCode;        // WrRole.RoleCode, e.g. "doctor", "reviewer", "admin"
    int roleId = 0;          // WrRole.RoleId, handed to the editor as the login's role
    bool mustChangePassword = false;
    bool disabled = false;
    QString dbLogin;         // the database login of this user in per-user-login sites; else empty
};

enum class TLoginOutcome {
    Ok,                  // password right; account filled (mustChangePassword may be set)
    WrongPassword,       // counted; failuresLeft says how many tries remain before lock-out.
                         // Also an unknown user or a disabled account: the database answers
                         // them alike (an unknown user as after a first failure)
    UnknownUser,         // no longer answered (kept for callers that name it)
    LockedOut,           // lockedUntil says until when
    Disabled,            // no longer answered (kept for callers that name it)
    NotAvailable,        // the database has no user tables (not upgraded): no one can log in
    DatabaseError,       // message holds the database's error
};

struct TLoginResult {
    TLoginOutcome outcome = TLoginOutcome::DatabaseError;
    TUserAccount account;
    QDateTime lockedUntil;   // LockedOut: local time the lock-out ends
    int failuresLeft = 0;    // WrongPassword
    QString message;         // Chinese text for the log-in dialog, e.g. "用户名或密码错误"
};

// A row of the administrator's user list.
struct TUserListEntry {
    TUserAccount account;
    int failedCount = 0;
    QDateTime lockedUntil;   // null when no lock-out was set (may lie in the past)
    QDateTime lastLogin;
    QDateTime passwordChanged;
};

// libsodium's Argon2id string, interactive limits: what wr-admin hands the database, which
// turns it into keys and keeps no hash. Throws std::runtime_error when libsodium cannot hash
// (out of memory).
QString HashPassword(const QString& password);
bool VerifyPasswordHash(const QString& hash, const QString& password);
// The hash names Argon2id and parameters at least as strong as HashPassword's.
bool IsCurrentPasswordHash(const QString& hash);

class TUserAccounts {
public:
    static constexpr int kMaxFailures = 5;
    static constexpr int kLockMinutes = 5;
    static constexpr int kMinPasswordLength = 8;

    explicit TUserAccounts(TDbConnection& conn);

    // Whether the database offers the password proof (the user tables, upgraded).
    bool Available();

    // Proves a password to the database, which records the outcome (failure count, lock-out,
    // last log-in).
    TLoginResult LogIn(const QString& userCode, const QString& password);
    // Checks the password of a logged-in user again (signing, the idle lock): counted as a
    // log-in, so guessing at the lock screen locks out too.
    TLoginResult Confirm(const QString& userCode, const QString& password) { return LogIn(userCode, password); }

    // Whether the password is the user's and the user could log in now (known, not disabled,
    // not locked out), as LogInIfMatches decides it (a success is recorded). Only for trying a
    // known password before asking anyone; never for a password a person typed. False when
    // the database cannot answer.
    bool PasswordMatches(const QString& userCode, const QString& password);
    // LogIn for such a known password (the demo database's automatic log-in): a success is
    // recorded as by LogIn; a wrong password is not counted where the database allows that
    // (only the embedded SQLite database, whose file's owner can change anything anyway), and
    // counted elsewhere.
    TLoginResult LogInIfMatches(const QString& userCode, const QString& password);

    // The user's own change, in one proof of the old password (counted as a log-in): the new
    // one must be at least kMinPasswordLength characters and differ from the old. Clears
    // mustChangePassword.
    // Returns an empty text on success, else the Chinese reason.
    QString ChangePassword(const QString& userCode, const QString& oldPassword, const QString& newPassword);

    // Administration (the admin command): create a user for an existing doctor code, set a
    // password without knowing the old one (forcing a change at next log-in when asked),
    // clear a lock-out. Throw EDatabaseError / std::invalid_argument with a clear message.
    void CreateUser(const TUserAccount& account, const QString& password, bool mustChange);
    void ResetPassword(const QString& userCode, const QString& newPassword, bool mustChange);
    void Unlock(const QString& userCode);
    // The user's role (a WrRole.RoleCode); a disabled user cannot log in.
    void SetRole(const QString& userCode, const QString& roleCode);
    void SetDisabled(const QString& userCode, bool disabled);
    // The user's own database login for sites with per-user logins; empty removes it. A login
    // already mapped to another user is refused.
    void SetDbLogin(const QString& userCode, const QString& dbLogin);
    // Every user with the state an administrator looks at, by user code. Reads WrUser itself,
    // which only the database's owner and wr_useradmin may (not a workstation).
    QList<TUserListEntry> List();
    // One user as List reads it (administrators only, like List).
    std::optional<TUserAccount> Find(const QString& userCode);
    // The operations (THostOperation names, e.g. "审核报告") the role may perform.
    QSet<QString> RolePermissions(const QString& roleCode);

private:
    // One challenge and one proof; newPassword (when given) replaces the keys on success.
    TLoginResult Prove(const QString& userCode, const QString& password, const QString* newPassword, bool countFailure);

    TDbConnection& m_conn;
};
