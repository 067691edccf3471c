// SPDX-License-Identifier: MIT
// Who may use the host: users, their roles and what each role may do, kept in the database
// (tables WrUser, WrRole, WrRolePermission; procedures sp_UserLogin* and sp_SetUserPassword).
//
// A user is linked to a doctor of csdoctor by the doctor's code; the logged-in user is that
// doctor. A password is stored only as a libsodium Argon2id hash string ($argon2id$v=19$m=..,
// t=..,p=..$salt$hash): a salt of its own and the parameters travel with the hash, so raising
// the cost later leaves older hashes verifiable; a successful log-in replaces such an older
// hash by a current one (sp_RehashUserPassword). Failed log-ins are counted by the database;
// after kMaxFailures in a row the user is locked out for kLockMinutes (database time).
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
    WrongPassword,       // counted; failuresLeft says how many tries remain before lock-out
    UnknownUser,         // reported to the user like WrongPassword, so names cannot be probed
                         // (same message, failuresLeft as after a first failure, a hash checked)
    LockedOut,           // lockedUntil says until when (the password is not even checked)
    Disabled,
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

// libsodium's Argon2id, interactive limits. Throws std::runtime_error when libsodium cannot
// hash (out of memory).
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

    // Whether the database holds the user tables.
    bool Available();

    // Checks a password and records the outcome (failure count, lock-out, last log-in).
    TLoginResult LogIn(const QString& userCode, const QString& password);
    // Checks the password of a logged-in user again (signing, the idle lock): counted as a
    // log-in, so guessing at the lock screen locks out too.
    TLoginResult Confirm(const QString& userCode, const QString& password) { return LogIn(userCode, password); }

    // Whether the password is the user's and the user could log in now (known, not disabled,
    // not locked out), without recording anything: no failure counted, no last log-in. Only for
    // trying a known password before asking anyone (the demo database's automatic log-in);
    // never for a password a person typed. False when the database cannot answer.
    bool PasswordMatches(const QString& userCode, const QString& password);
    // LogIn for such a known password in one check: a success is recorded as by LogIn (last
    // log-in, count reset); a wrong password is answered as LogIn would but not counted.
    TLoginResult LogInIfMatches(const QString& userCode, const QString& password);

    // The user's own change: the old password must be right; the new one must be at least
    // kMinPasswordLength characters and differ from the old. Clears mustChangePassword.
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

    std::optional<TUserAccount> Find(const QString& userCode);
    // The operations (THostOperation names, e.g. "审核报告") the role may perform.
    QSet<QString> RolePermissions(const QString& roleCode);

private:
    struct TStoredLogin;
    TStoredLogin ReadLogin(const QString& userCode);
    TLoginResult CheckPassword(const QString& userCode, const QString& password, QString* storedHash,
                               bool countFailure = true);
    TLoginResult Recorded(const QString& userCode, bool success, const TStoredLogin& stored);
    QString Rehash(const TStoredLogin& stored, const QString& password);

    TDbConnection& m_conn;
};
