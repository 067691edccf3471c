// SPDX-License-Identifier: MIT
// Users, roles and passwords on fresh databases built from the project's scripts, on SQLite
// and on the database server (registered once for each; on the server the code under test
// logs in as a workstation and administration runs as the database's owner): refused and
// counted passwords, the lock-out and its end, unknown users answered like wrong passwords,
// Argon2id hashes with their own salts, changes and resets, the role's operations, a
// database without the user tables, and the upgrade run a second time.
#include "ServerFixture.h"
#include "ServerTestDatabase.h"
#include "TestDatabase.h"
#include "hostdata/UserAccounts.h"
#include "platform/SqliteDatabase.h"
#include <QTest>
#include <thread>
#include <sodium.h>

namespace {
const QString kPassword = QStringLiteral("Secret-2024");
const QString kDoctor = QStringLiteral("D003");   // 李秀英, US01
}

class TstUserAccounts : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void hashesAreArgon2idWithTheirOwnSalts();
    void wrongPasswordIsRefusedAndCounted();
    void tryingAKnownPasswordRecordsNothing();
    void lockOutAfterFiveFailuresAndItsEnd();
    void failuresAtOnceAreAllCounted();
    void unknownUserIsAnsweredLikeAWrongPassword();
    void disabledUserCannotLogIn();
    void changeAndReset();
    void administrationRefusesBadInput();
    void rolesGrantTheirOperations();
    void workstationCannotReadOrAdministerUsers();
    void perUserLoginsChangeOnlyTheirOwnPassword();
    void databaseWithoutUserTablesIsNotAvailable();
    void upgradeRunsAgainAndKeepsRows();
    void demoDoctorsAreUsers();

private:
    void AddUser(const QString& code, const QString& role, bool mustChange = false);
    int FailedCount(const QString& code);
    void MoveLockOutIntoThePast(const QString& code);

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TUserAccounts> m_users;   // as a workstation
    std::unique_ptr<TUserAccounts> m_admin;   // as the database's owner
};

void TstUserAccounts::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(false);
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES "
                              "('李秀英', 'US01', 70, 'D003'), ('赵敏', 'US02', 30, 'D101'), ('周婷', 'US02', 10, 'D103')"));
    m_users = std::make_unique<TUserAccounts>(m_db->Connection());
    m_admin = std::make_unique<TUserAccounts>(m_db->AdminConnection());
}

void TstUserAccounts::cleanup()
{
    m_users.reset();
    m_admin.reset();
    m_db.reset();
}

void TstUserAccounts::AddUser(const QString& code, const QString& role, bool mustChange)
{
    TUserAccount a;
    a.userCode = code;
    a.roleCode = role;
    m_admin->CreateUser(a, kPassword, mustChange);
}

int TstUserAccounts::FailedCount(const QString& code)
{
    return m_db->Value(QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = %1").arg(QuotedStr(code))).AsInteger();
}

void TstUserAccounts::MoveLockOutIntoThePast(const QString& code)
{
    m_db->Exec(QStringLiteral("UPDATE WrUser SET LockedUntil = '2000-01-01 00:00:00.000' WHERE UserCode = %1").arg(QuotedStr(code)));
}

void TstUserAccounts::hashesAreArgon2idWithTheirOwnSalts()
{
    const QString a = HashPassword(kPassword), b = HashPassword(kPassword);
    QVERIFY2(a.startsWith(QLatin1String("$argon2id$v=19$m=")), qPrintable(a));
    QVERIFY(a != b);
    QVERIFY(a.section(QLatin1Char('$'), 4, 4) != b.section(QLatin1Char('$'), 4, 4));   // the salts
    QVERIFY(VerifyPasswordHash(a, kPassword) && VerifyPasswordHash(b, kPassword));
    QVERIFY(!VerifyPasswordHash(a, kPassword + QLatin1Char(' ')));
    QVERIFY(!VerifyPasswordHash(QString(), QString()));
    QVERIFY(!VerifyPasswordHash(QStringLiteral("plain"), QStringLiteral("plain")));
    QVERIFY(IsCurrentPasswordHash(a));
    // Chinese passwords go through as UTF-8.
    QVERIFY(VerifyPasswordHash(HashPassword(QStringLiteral("密码密码密码密码")), QStringLiteral("密码密码密码密码")));

    // A cheaper hash made earlier still verifies but is not current; Argon2i is never taken.
    char weak[crypto_pwhash_STRBYTES], argon2i[crypto_pwhash_STRBYTES];
    const QByteArray pw = kPassword.toUtf8();
    QCOMPARE(crypto_pwhash_str_alg(weak, pw.constData(), pw.size(), crypto_pwhash_OPSLIMIT_MIN,
                                   crypto_pwhash_MEMLIMIT_MIN, crypto_pwhash_ALG_ARGON2ID13), 0);
    QCOMPARE(crypto_pwhash_str_alg(argon2i, pw.constData(), pw.size(), 3, crypto_pwhash_MEMLIMIT_MIN,
                                   crypto_pwhash_ALG_ARGON2I13), 0);
    QVERIFY(VerifyPasswordHash(QString::fromLatin1(weak), kPassword));
    QVERIFY(!IsCurrentPasswordHash(QString::fromLatin1(weak)));
    QVERIFY(!VerifyPasswordHash(QString::fromLatin1(argon2i), kPassword));

    // A user whose stored hash is of the older form and the cheaper kind (a row left by an
    // older program) logs in with it once; the database turns it into keys, the log-in
    // replaces them by current ones, and nothing else changes (the forced change stays).
    AddUser(QStringLiteral("D103"), QStringLiteral("doctor"), true);
    m_db->Exec(QStringLiteral("UPDATE WrUser SET PasswordHash = %1, StoredKey = '', ServerKey = '' WHERE UserCode = 'D103'")
                   .arg(QuotedStr(QString::fromLatin1(weak))));
    const TLoginResult upgraded = m_users->LogIn(QStringLiteral("D103"), kPassword);
    QCOMPARE(upgraded.outcome, TLoginOutcome::Ok);
    QVERIFY(upgraded.account.mustChangePassword);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT PasswordHash || '/' || ProofOps || '/' || ProofMemKiB FROM WrUser WHERE UserCode = 'D103'")).AsString(),
             QStringLiteral("/%1/%2").arg(crypto_pwhash_OPSLIMIT_INTERACTIVE).arg(crypto_pwhash_MEMLIMIT_INTERACTIVE / 1024));
    QCOMPARE(m_users->LogIn(QStringLiteral("D103"), kPassword).outcome, TLoginOutcome::Ok);

    // Two users with one password store different salts and keys, and no hash.
    AddUser(kDoctor, QStringLiteral("doctor"));
    AddUser(QStringLiteral("D101"), QStringLiteral("doctor"));
    const QString k1 = m_db->Value(QStringLiteral("SELECT ProofSalt || StoredKey || PasswordHash FROM WrUser WHERE UserCode = 'D003'")).AsString();
    const QString k2 = m_db->Value(QStringLiteral("SELECT ProofSalt || StoredKey || PasswordHash FROM WrUser WHERE UserCode = 'D101'")).AsString();
    QCOMPARE(k1.size(), 32 + 40);
    QVERIFY(k1 != k2);
}

void TstUserAccounts::wrongPasswordIsRefusedAndCounted()
{
    AddUser(kDoctor, QStringLiteral("doctor"));
    TLoginResult r = m_users->LogIn(kDoctor, QStringLiteral("wrong-password"));
    QCOMPARE(r.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(r.failuresLeft, TUserAccounts::kMaxFailures - 1);
    QVERIFY(!r.message.isEmpty());
    QVERIFY(r.account.userCode.isEmpty());
    QCOMPARE(FailedCount(kDoctor), 1);
    r = m_users->Confirm(kDoctor, QStringLiteral("also-wrong"));
    QCOMPARE(r.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(r.failuresLeft, TUserAccounts::kMaxFailures - 2);
    QCOMPARE(FailedCount(kDoctor), 2);

    r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QCOMPARE(r.account.userCode, kDoctor);
    QCOMPARE(r.account.userName, QStringLiteral("李秀英"));
    QCOMPARE(r.account.deptCode, QStringLiteral("US01"));
    QCOMPARE(r.account.roleCode, QStringLiteral("doctor"));
    QCOMPARE(r.account.roleId, 1);
    QVERIFY(!r.account.mustChangePassword);
    QCOMPARE(FailedCount(kDoctor), 0);   // a success starts the count again
    QVERIFY(!m_db->Value(QStringLiteral("SELECT LastLogin FROM WrUser WHERE UserCode = 'D003'")).IsNull());
}

void TstUserAccounts::tryingAKnownPasswordRecordsNothing()
{
    // Leaving a failure uncounted is the embedded database's alone: on a server the
    // database, not the workstation, decides what counts.
    if (m_db->OnServer()) QSKIP("a server counts every failed proof");
    AddUser(kDoctor, QStringLiteral("doctor"));
    for (int i = 0; i < TUserAccounts::kMaxFailures + 1; ++i)
        QVERIFY(!m_users->PasswordMatches(kDoctor, QStringLiteral("changed-meanwhile")));
    QCOMPARE(FailedCount(kDoctor), 0);
    QVERIFY(!m_users->PasswordMatches(QStringLiteral("NOBODY"), kPassword));
    // Tried as a log-in: a wrong one is answered but not counted, a right one is recorded.
    TLoginResult r = m_users->LogInIfMatches(kDoctor, QStringLiteral("changed-meanwhile"));
    QCOMPARE(r.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(r.failuresLeft, TUserAccounts::kMaxFailures);
    QCOMPARE(FailedCount(kDoctor), 0);
    m_users->LogIn(kDoctor, QStringLiteral("typed-wrong"));
    r = m_users->LogInIfMatches(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QCOMPARE(r.account.userCode, kDoctor);
    QCOMPARE(FailedCount(kDoctor), 0);
    QVERIFY(!m_db->Value(QStringLiteral("SELECT LastLogin FROM WrUser WHERE UserCode = 'D003'")).IsNull());
    // A locked-out or disabled user is no match even with the right password.
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) m_users->LogIn(kDoctor, QStringLiteral("x"));
    QVERIFY(!m_users->PasswordMatches(kDoctor, kPassword));
    m_admin->Unlock(kDoctor);
    m_admin->SetDisabled(kDoctor, true);
    QVERIFY(!m_users->PasswordMatches(kDoctor, kPassword));
}

void TstUserAccounts::lockOutAfterFiveFailuresAndItsEnd()
{
    AddUser(kDoctor, QStringLiteral("doctor"));
    for (int i = 1; i < TUserAccounts::kMaxFailures; ++i)
        QCOMPARE(m_users->LogIn(kDoctor, QStringLiteral("guess-%1").arg(i)).outcome, TLoginOutcome::WrongPassword);
    const QDateTime before = QDateTime::currentDateTime();
    TLoginResult r = m_users->LogIn(kDoctor, QStringLiteral("guess-5"));
    QCOMPARE(r.outcome, TLoginOutcome::LockedOut);
    const qint64 seconds = before.secsTo(r.lockedUntil);
    QVERIFY2(seconds > TUserAccounts::kLockMinutes * 60 - 30 && seconds <= TUserAccounts::kLockMinutes * 60 + 30,
             qPrintable(QString::number(seconds)));
    QVERIFY(!r.message.isEmpty());

    // During the lock-out even the right password is refused, and nothing is counted.
    r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::LockedOut);
    QCOMPARE(m_users->LogIn(kDoctor, QStringLiteral("guess-6")).outcome, TLoginOutcome::LockedOut);
    QVERIFY(m_db->Value(QStringLiteral("SELECT LastLogin FROM WrUser WHERE UserCode = 'D003'")).IsNull());

    // When it ends, the user has a full set of tries again, and the right password works.
    MoveLockOutIntoThePast(kDoctor);
    r = m_users->LogIn(kDoctor, QStringLiteral("guess-7"));
    QCOMPARE(r.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(r.failuresLeft, TUserAccounts::kMaxFailures - 1);
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);

    // An administrator ends a running lock-out.
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) m_users->LogIn(kDoctor, QStringLiteral("x"));
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::LockedOut);
    m_admin->Unlock(kDoctor);
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);
}

// Workstations guessing at the same moment: every failure counts (the count is raised by the
// database, not written back from what a workstation read), and the fifth locks.
void TstUserAccounts::failuresAtOnceAreAllCounted()
{
    AddUser(kDoctor, QStringLiteral("doctor"));
    constexpr int kWorkstations = 4;
    std::vector<std::thread> threads;
    QAtomicInt errors;
    for (int i = 0; i < kWorkstations; ++i)
        threads.emplace_back([&, i] {
            try {
                auto conn = OpenDatabase(m_db->Target());
                if (TUserAccounts(*conn).LogIn(kDoctor, QStringLiteral("guess-%1").arg(i)).outcome != TLoginOutcome::WrongPassword)
                    errors.ref();
            } catch (const Exception&) {
                errors.ref();
            }
        });
    for (std::thread& t : threads) t.join();
    QCOMPARE(errors.loadRelaxed(), 0);
    QCOMPARE(FailedCount(kDoctor), kWorkstations);
    QCOMPARE(m_users->LogIn(kDoctor, QStringLiteral("one-more")).outcome, TLoginOutcome::LockedOut);
}

void TstUserAccounts::unknownUserIsAnsweredLikeAWrongPassword()
{
    AddUser(kDoctor, QStringLiteral("doctor"));
    const TLoginResult wrong = m_users->LogIn(kDoctor, QStringLiteral("wrong-password"));
    const TLoginResult unknown = m_users->LogIn(QStringLiteral("NOBODY"), QStringLiteral("wrong-password"));
    QCOMPARE(unknown.outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(unknown.message, wrong.message);
    QCOMPARE(unknown.failuresLeft, wrong.failuresLeft);
    // A doctor without a user is no user, whatever the password.
    QCOMPARE(m_users->LogIn(QStringLiteral("D101"), kPassword).outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(m_users->LogIn(QString(), QString()).outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT COUNT(*) FROM WrUser")).AsInteger(), 1);
    QVERIFY(!m_admin->Find(QStringLiteral("NOBODY")));
    QCOMPARE(m_admin->Find(kDoctor)->userName, QStringLiteral("李秀英"));
}

void TstUserAccounts::disabledUserCannotLogIn()
{
    AddUser(kDoctor, QStringLiteral("reviewer"));
    m_admin->SetDisabled(kDoctor, true);
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::WrongPassword);
    QVERIFY(m_admin->Find(kDoctor)->disabled);
    m_admin->SetDisabled(kDoctor, false);
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);
}

void TstUserAccounts::changeAndReset()
{
    AddUser(kDoctor, QStringLiteral("doctor"), true);
    TLoginResult r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QVERIFY(r.account.mustChangePassword);

    const QString next = QStringLiteral("Another-2025");
    QVERIFY(!m_users->ChangePassword(kDoctor, QStringLiteral("not-the-old-one"), next).isEmpty());
    QCOMPARE(FailedCount(kDoctor), 1);   // a wrong old password is a failed log-in
    QVERIFY(!m_users->ChangePassword(kDoctor, kPassword, QStringLiteral("short")).isEmpty());
    QVERIFY(!m_users->ChangePassword(kDoctor, kPassword, kPassword).isEmpty());
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);   // nothing changed so far

    QCOMPARE(m_users->ChangePassword(kDoctor, kPassword, next), QString());
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::WrongPassword);
    r = m_users->LogIn(kDoctor, next);
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QVERIFY(!r.account.mustChangePassword);

    // A reset needs no old password, forces a change when asked and ends a lock-out.
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) m_users->LogIn(kDoctor, QStringLiteral("x"));
    m_admin->ResetPassword(kDoctor, QStringLiteral("Reset-Pass-1"), true);
    r = m_users->LogIn(kDoctor, QStringLiteral("Reset-Pass-1"));
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QVERIFY(r.account.mustChangePassword);
    QCOMPARE(m_users->LogIn(kDoctor, next).outcome, TLoginOutcome::WrongPassword);
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_admin->ResetPassword(kDoctor, QStringLiteral("short"), false));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->ResetPassword(QStringLiteral("NOBODY"), kPassword, false));
}

void TstUserAccounts::administrationRefusesBadInput()
{
    AddUser(kDoctor, QStringLiteral("doctor"));
    TUserAccount a;
    a.userCode = QStringLiteral("D999");   // no such doctor
    a.roleCode = QStringLiteral("doctor");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->CreateUser(a, kPassword, false));
    a.userCode = QStringLiteral("D101");
    a.roleCode = QStringLiteral("superuser");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->CreateUser(a, kPassword, false));
    a.userCode = kDoctor;   // exists already
    a.roleCode = QStringLiteral("admin");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->CreateUser(a, kPassword, false));
    a.userCode = QStringLiteral("D101");
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, m_admin->CreateUser(a, QStringLiteral("1234567"), false));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->SetRole(kDoctor, QStringLiteral("superuser")));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_admin->Unlock(QStringLiteral("NOBODY")));
    // Nothing of that was written: D003 is still a doctor and D101 has no user.
    QCOMPARE(m_admin->Find(kDoctor)->roleCode, QStringLiteral("doctor"));
    QVERIFY(!m_admin->Find(QStringLiteral("D101")));

    m_admin->SetRole(kDoctor, QStringLiteral("reviewer"));
    const TLoginResult r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.account.roleCode, QStringLiteral("reviewer"));
    QCOMPARE(r.account.roleId, 2);
    const QList<TUserListEntry> list = m_admin->List();
    QCOMPARE(list.size(), 1);
    QCOMPARE(list.front().account.userName, QStringLiteral("李秀英"));
    QCOMPARE(list.front().account.roleCode, QStringLiteral("reviewer"));
    QVERIFY(list.front().lastLogin.isValid());
}

void TstUserAccounts::rolesGrantTheirOperations()
{
    const QSet<QString> writing{QStringLiteral("打印报告"), QStringLiteral("导出PDF")};
    const QSet<QString> reviewing = writing + QSet<QString>{QStringLiteral("审核报告"), QStringLiteral("撤销审核"),
                                                            QStringLiteral("修改已审核报告")};
    QCOMPARE(m_users->RolePermissions(QStringLiteral("doctor")), writing);
    QCOMPARE(m_users->RolePermissions(QStringLiteral("reviewer")), reviewing);
    QCOMPARE(m_users->RolePermissions(QStringLiteral("admin")), reviewing + QSet<QString>{QStringLiteral("管理用户")});
    QVERIFY(m_users->RolePermissions(QStringLiteral("nobody")).isEmpty());
    m_db->Exec(QStringLiteral("DELETE FROM WrRolePermission WHERE RoleCode = 'reviewer' AND Operation = '撤销审核'"));
    QVERIFY(!m_users->RolePermissions(QStringLiteral("reviewer")).contains(QStringLiteral("撤销审核")));
}

void TstUserAccounts::workstationCannotReadOrAdministerUsers()
{
    if (!m_db->OnServer()) QSKIP("an SQLite file has no rights to check");
    AddUser(kDoctor, QStringLiteral("doctor"));
    auto q = m_db->Connection().CreateQuery();
    q->SQL() << QStringLiteral("SELECT PasswordHash FROM WrUser");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, q->Open());
    TUserAccount a;
    a.userCode = QStringLiteral("D101");
    a.roleCode = QStringLiteral("admin");
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_users->CreateUser(a, kPassword, false));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_users->ResetPassword(kDoctor, QStringLiteral("Taken-Over-1"), false));
    QVERIFY_THROWS_EXCEPTION(EDatabaseError, m_users->Unlock(kDoctor));
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);
}

// With per-user database logins switched on, a password is changed only over the user's own
// login: the test's workstation login (the session's user) is nobody's until mapped.
void TstUserAccounts::perUserLoginsChangeOnlyTheirOwnPassword()
{
    if (!m_db->OnServer()) QSKIP("an SQLite file has no logins");
    AddUser(kDoctor, QStringLiteral("doctor"));
    m_db->Exec(QString(), QStringLiteral("UPDATE wr_setting SET value = '1' WHERE name = 'StrictUserCheck'"));
    const QString next = QStringLiteral("Another-2025");
    const QString refused = m_users->ChangePassword(kDoctor, kPassword, next);
    QVERIFY2(refused.contains(QStringLiteral("不能修改其密码")), qPrintable(refused));
    QCOMPARE(m_users->LogIn(kDoctor, kPassword).outcome, TLoginOutcome::Ok);

    // Mapped to the workstation's login, the user changes it.
    const QString login = QueryTestValue(m_db->Connection(), QStringLiteral("SELECT session_user")).AsString();
    QVERIFY(!login.isEmpty());
    m_db->Exec(QString(), QStringLiteral("UPDATE WrUser SET DbLogin = %1 WHERE UserCode = 'D003'").arg(QuotedStr(login)));
    QCOMPARE(m_users->ChangePassword(kDoctor, kPassword, next), QString());
    QCOMPARE(m_users->LogIn(kDoctor, next).outcome, TLoginOutcome::Ok);
}

void TstUserAccounts::databaseWithoutUserTablesIsNotAvailable()
{
    QVERIFY(m_users->Available());
    if (m_db->OnServer()) {
        m_db->Exec(QString(), QStringLiteral("DROP TABLE WrUser, WrRolePermission, WrRole CASCADE"));
        m_db->Exec(QString(), QStringLiteral("DROP PROCEDURE sp_UserLoginChallenge"));
    } else {
        m_db->Exec(QStringLiteral("DROP TABLE WrUser"));
        m_db->Exec(QStringLiteral("DELETE FROM wr_procedure WHERE name = 'sp_UserLoginChallenge'"));
    }
    QVERIFY(!m_users->Available());
    const TLoginResult r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::NotAvailable);
    QVERIFY(!r.message.isEmpty());
}

void TstUserAccounts::upgradeRunsAgainAndKeepsRows()
{
    AddUser(kDoctor, QStringLiteral("doctor"), true);
    const QString hash = m_db->Value(QStringLiteral("SELECT StoredKey FROM WrUser WHERE UserCode = 'D003'")).AsString();
    m_users->LogIn(kDoctor, QStringLiteral("wrong-password"));
    // A site took a right away from a role and added a role of its own.
    m_db->Exec(QStringLiteral("DELETE FROM WrRolePermission WHERE RoleCode = 'doctor' AND Operation = '导出PDF'"));
    m_db->Exec(QStringLiteral("INSERT INTO WrRole (RoleId, RoleCode, RoleName) VALUES (10, 'typist', '录入员')"));

    if (m_db->OnServer()) {
        for (const QString& f : ServerUpgradeScripts()) RunSqlScriptFile(m_db->AdminConnection(), f);
        RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("procedures.sql")));
        RunSqlScriptFile(m_db->AdminConnection(), ServerScriptFile(QStringLiteral("grants.sql")));
    } else {
        TSqliteConnection conn(m_db->AdminTarget());
        UpgradeSqliteDatabase(conn, SqliteUpgradeScripts(QStringLiteral(WR_SOURCE_DIR "/db/sqlite")));
    }

    QCOMPARE(m_db->Value(QStringLiteral("SELECT StoredKey FROM WrUser WHERE UserCode = 'D003'")).AsString(), hash);
    QCOMPARE(FailedCount(kDoctor), 1);
    QCOMPARE(m_db->Value(QStringLiteral("SELECT COUNT(*) FROM WrRole")).AsInteger(), 4);
    QCOMPARE(m_users->RolePermissions(QStringLiteral("doctor")), QSet<QString>{QStringLiteral("打印报告")});
    const TLoginResult r = m_users->LogIn(kDoctor, kPassword);
    QCOMPARE(r.outcome, TLoginOutcome::Ok);
    QVERIFY(r.account.mustChangePassword);
}

void TstUserAccounts::demoDoctorsAreUsers()
{
    m_users.reset();
    m_admin.reset();
    m_db = std::make_unique<TBackendDatabase>(true);
    TUserAccounts users(m_db->Connection());
    QCOMPARE(m_db->Value(QStringLiteral("SELECT COUNT(*) FROM csdoctor d WHERE NOT EXISTS "
                                        "(SELECT 1 FROM WrUser u WHERE u.UserCode = d.code)")).AsInteger(), 0);
    // The first doctor reviews, the second administers, the others write; no forced change.
    const QString demo = QStringLiteral("demo1234");
    const struct { const char* code; const char* role; } expected[] = {{"D001", "reviewer"}, {"D002", "admin"}, {"D003", "doctor"}, {"D202", "doctor"}};
    for (const auto& e : expected) {
        const TLoginResult r = users.LogIn(QLatin1String(e.code), demo);
        QCOMPARE(r.outcome, TLoginOutcome::Ok);
        QCOMPARE(r.account.roleCode, QLatin1String(e.role));
        QVERIFY(!r.account.mustChangePassword);
    }
    QCOMPARE(users.LogIn(QStringLiteral("D001"), QStringLiteral("demo12345")).outcome, TLoginOutcome::WrongPassword);
    if (m_db->OnServer()) return;

    // A demo database from before the users gets them on its upgrade; a changed password stays.
    TUserAccounts admin(m_db->AdminConnection());
    admin.ResetPassword(QStringLiteral("D003"), QStringLiteral("changed-by-me"), false);
    m_db->Exec(QStringLiteral("DELETE FROM WrUser WHERE UserCode <> 'D003'"));
    TSqliteConnection conn(m_db->AdminTarget());
    UpgradeSqliteDatabase(conn, {QStringLiteral(WR_SOURCE_DIR "/db/sqlite/demo-users.sql")});
    QCOMPARE(m_db->Value(QStringLiteral("SELECT COUNT(*) FROM WrUser")).AsInteger(),
             m_db->Value(QStringLiteral("SELECT COUNT(DISTINCT code) FROM csdoctor")).AsInteger());
    QCOMPARE(users.LogIn(QStringLiteral("D001"), demo).outcome, TLoginOutcome::Ok);
    QCOMPARE(users.LogIn(QStringLiteral("D003"), QStringLiteral("changed-by-me")).outcome, TLoginOutcome::Ok);
}

QTEST_GUILESS_MAIN(TstUserAccounts)
#include "tst_useraccounts.moc"
