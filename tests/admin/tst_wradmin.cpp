// SPDX-License-Identifier: MIT
// wr-admin as an administrator runs it: the built program with the password piped into
// standard input, on a fresh database (SQLite, and the server as its owner). Users created,
// reset, unlocked, given another role and disabled can (or cannot) log in afterwards; a
// password on the command line, a short or missing one, an unknown user and a database
// without user tables are refused with their exit status and change nothing; the password
// appears in none of its output.
#include "ServerFixture.h"
#include "hostdata/UserAccounts.h"
#include <QElapsedTimer>
#include <QProcess>
#include <QStandardPaths>
#include <QTest>

namespace {

struct TAdminRun {
    int exitCode = -1;
    QString out, err;
};

const QString kPassword = QStringLiteral("Piped-Pass-42");

} // namespace

class TstWrAdmin : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void addUserWithPipedPassword();
    void resetUnlockRoleAndDisable();
    void refusalsChangeNothing();
    void databaseWithoutUsersOrFile();
    void terminalAsksTwiceWithoutEcho();
    void databasePasswordFromAnOwnerOnlyFile();

private:
    TAdminRun Run(const QStringList& args, const QByteArray& input = QByteArray(), const QString& target = QString());
    QString Hash(const QString& code);

    std::unique_ptr<TBackendDatabase> m_db;
    std::unique_ptr<TUserAccounts> m_users;
    std::unique_ptr<TUserAccounts> m_admin;   // reads the user table, which a workstation may not
};

void TstWrAdmin::init()
{
    if (const QString why = TBackendDatabase::SkipReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    m_db = std::make_unique<TBackendDatabase>(true);
    m_users = std::make_unique<TUserAccounts>(m_db->Connection());
    m_admin = std::make_unique<TUserAccounts>(m_db->AdminConnection());
}

void TstWrAdmin::cleanup()
{
    m_users.reset();
    m_admin.reset();
    m_db.reset();
}

TAdminRun TstWrAdmin::Run(const QStringList& args, const QByteArray& input, const QString& target)
{
    QProcess p;
    p.start(QStringLiteral(WR_ADMIN_EXE), QStringList{QStringLiteral("--db"), target.isEmpty() ? m_db->AdminTarget() : target} + args);
    TAdminRun r;
    if (!p.waitForStarted(30000)) return r;
    p.write(input);
    p.closeWriteChannel();
    if (!p.waitForFinished(60000)) {
        p.kill();
        p.waitForFinished();
        return r;
    }
    r.exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAllStandardOutput());
    r.err = QString::fromUtf8(p.readAllStandardError());
    return r;
}

QString TstWrAdmin::Hash(const QString& code)
{
    return m_db->Value(QStringLiteral("SELECT StoredKey FROM WrUser WHERE UserCode = %1").arg(QuotedStr(code))).AsString();
}

void TstWrAdmin::addUserWithPipedPassword()
{
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES ('新医生', 'US01', 5, 'D900')"));
    TAdminRun r = Run({QStringLiteral("add-user"), QStringLiteral("D900"), QStringLiteral("reviewer")}, kPassword.toUtf8() + "\r\n");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(!r.out.contains(kPassword) && !r.err.contains(kPassword));
    TLoginResult login = m_users->LogIn(QStringLiteral("D900"), kPassword);   // the line end is not part of it
    QCOMPARE(login.outcome, TLoginOutcome::Ok);
    QCOMPARE(login.account.roleCode, QStringLiteral("reviewer"));
    QVERIFY(login.account.mustChangePassword);

    r = Run({QStringLiteral("list")});
    QCOMPARE(r.exitCode, 0);
    const QStringList lines = r.out.split(QLatin1Char('\n'));
    const auto row = std::find_if(lines.begin(), lines.end(), [](const QString& l) { return l.startsWith(QLatin1String("D900\t")); });
    QVERIFY2(row != lines.end(), qPrintable(r.out));
    QVERIFY(row->contains(QStringLiteral("新医生")) && row->contains(QLatin1String("reviewer"))
            && row->contains(QLatin1String("must change password")));
    QVERIFY(!r.out.contains(QLatin1String("$argon2id$")));

    // Without a forced change when told so.
    r = Run({QStringLiteral("add-user"), QStringLiteral("D900"), QStringLiteral("doctor")}, kPassword.toUtf8());
    QCOMPARE(r.exitCode, 1);   // exists already
    m_db->Exec(QStringLiteral("INSERT INTO csdoctor (姓名, kscode, displayindex, code) VALUES ('另一位', 'US01', 4, 'D901')"));
    r = Run({QStringLiteral("add-user"), QStringLiteral("D901"), QStringLiteral("doctor"), QStringLiteral("--no-must-change")}, kPassword.toUtf8());
    QCOMPARE(r.exitCode, 0);
    QVERIFY(!m_users->LogIn(QStringLiteral("D901"), kPassword).account.mustChangePassword);
}

void TstWrAdmin::resetUnlockRoleAndDisable()
{
    const QString code = QStringLiteral("D003");
    for (int i = 0; i < TUserAccounts::kMaxFailures; ++i) m_users->LogIn(code, QStringLiteral("guess"));
    QCOMPARE(m_users->LogIn(code, QStringLiteral("demo1234")).outcome, TLoginOutcome::LockedOut);
    TAdminRun r = Run({QStringLiteral("unlock"), code});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(m_users->LogIn(code, QStringLiteral("demo1234")).outcome, TLoginOutcome::Ok);

    r = Run({QStringLiteral("reset-password"), code, QStringLiteral("--must-change")}, kPassword.toUtf8() + "\n");
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QCOMPARE(m_users->LogIn(code, QStringLiteral("demo1234")).outcome, TLoginOutcome::WrongPassword);
    TLoginResult login = m_users->LogIn(code, kPassword);
    QCOMPARE(login.outcome, TLoginOutcome::Ok);
    QVERIFY(login.account.mustChangePassword);

    r = Run({QStringLiteral("set-role"), code, QStringLiteral("admin")});
    QCOMPARE(r.exitCode, 0);
    QCOMPARE(m_admin->Find(code)->roleCode, QStringLiteral("admin"));
    r = Run({QStringLiteral("disable"), code});
    QCOMPARE(r.exitCode, 0);
    // Answered as a wrong password: the database tells no one which accounts exist.
    QCOMPARE(m_users->LogIn(code, kPassword).outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(Run({QStringLiteral("enable"), code}).exitCode, 0);
    QCOMPARE(m_users->LogIn(code, kPassword).outcome, TLoginOutcome::Ok);

    // A database login maps to one user at most.
    QCOMPARE(Run({QStringLiteral("set-db-login"), code, QStringLiteral("zhang")}).exitCode, 0);
    QCOMPARE(m_admin->Find(code)->dbLogin, QStringLiteral("zhang"));
    r = Run({QStringLiteral("set-db-login"), QStringLiteral("D004"), QStringLiteral("zhang")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QLatin1String("zhang")) && r.err.contains(code), qPrintable(r.err));
    QVERIFY(m_admin->Find(QStringLiteral("D004"))->dbLogin.isEmpty());
    r = Run({QStringLiteral("list")});
    QVERIFY2(r.out.contains(QLatin1String("\tzhang\n")), qPrintable(r.out));
    QCOMPARE(Run({QStringLiteral("clear-db-login"), code}).exitCode, 0);
    QVERIFY(m_admin->Find(code)->dbLogin.isEmpty());

    r = Run({QStringLiteral("roles")});
    QCOMPARE(r.exitCode, 0);
    QVERIFY(r.out.contains(QLatin1String("admin")) && r.out.contains(QStringLiteral("管理用户")));
}

void TstWrAdmin::refusalsChangeNothing()
{
    const QString code = QStringLiteral("D004");
    const QString before = Hash(code);
    // A password typed as an argument is refused before anything is opened.
    TAdminRun r = Run({QStringLiteral("reset-password"), code, kPassword}, kPassword.toUtf8());
    QCOMPARE(r.exitCode, 2);
    QVERIFY(!r.err.contains(kPassword));
    QCOMPARE(Run({QStringLiteral("reset-password"), code, QStringLiteral("--password=") + kPassword}).exitCode, 2);
    QCOMPARE(Run({QStringLiteral("frobnicate"), code}).exitCode, 2);
    QCOMPARE(Run({QStringLiteral("unlock")}).exitCode, 2);
    // Too short, or nothing piped.
    r = Run({QStringLiteral("reset-password"), code}, "short\n");
    QCOMPARE(r.exitCode, 1);
    QVERIFY(!r.err.isEmpty());
    QCOMPARE(Run({QStringLiteral("reset-password"), code}).exitCode, 1);
    // Unknown users and roles.
    r = Run({QStringLiteral("reset-password"), QStringLiteral("NOBODY")}, kPassword.toUtf8());
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QLatin1String("NOBODY")));
    QCOMPARE(Run({QStringLiteral("set-role"), code, QStringLiteral("superuser")}).exitCode, 1);
    QCOMPARE(Run({QStringLiteral("add-user"), QStringLiteral("D999"), QStringLiteral("doctor")}, kPassword.toUtf8()).exitCode, 1);

    QCOMPARE(Hash(code), before);
    QCOMPARE(m_admin->Find(code)->roleCode, QStringLiteral("doctor"));
    QCOMPARE(m_users->LogIn(code, QStringLiteral("demo1234")).outcome, TLoginOutcome::Ok);
}

void TstWrAdmin::databaseWithoutUsersOrFile()
{
    if (!m_db->OnServer()) {
        QTemporaryDir dir;
        const TAdminRun missing = Run({QStringLiteral("list")}, {}, dir.filePath(QStringLiteral("none.db")));
        QCOMPARE(missing.exitCode, 3);
        QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("none.db"))));   // nothing created by mistake
    }
    m_db->Exec(QStringLiteral("DELETE FROM wr_procedure WHERE name = 'sp_UserLoginChallenge'"),
               QStringLiteral("DROP PROCEDURE sp_UserLoginChallenge"));
    const TAdminRun r = Run({QStringLiteral("unlock"), QStringLiteral("D003")});
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QLatin1String("upgrade")));
}

// On a terminal (a pseudo-terminal made by script(1)) the password is asked twice and what is
// typed is not echoed; two different entries set nothing.
void TstWrAdmin::terminalAsksTwiceWithoutEcho()
{
    const QString script = QStandardPaths::findExecutable(QStringLiteral("script"));
    if (script.isEmpty()) QSKIP("script(1) is not installed");
    auto typeAt = [&](const QStringList& answers) {
        QProcess p;
        const QString command = QStringLiteral("'%1' --db '%2' reset-password D005").arg(QStringLiteral(WR_ADMIN_EXE), m_db->AdminTarget());
        p.start(script, {QStringLiteral("-qfec"), command, QStringLiteral("/dev/null")});
        QString seen;
        for (const QString& answer : answers) {
            // Typed only once the question is there: echo is switched off by then.
            const qsizetype before = seen.size();
            QElapsedTimer t;
            t.start();
            while (!seen.mid(before).contains(QLatin1String("assword")) && t.elapsed() < 30000) {
                p.waitForReadyRead(200);
                seen += QString::fromUtf8(p.readAllStandardOutput());
            }
            p.write(answer.toUtf8() + "\n");
        }
        p.closeWriteChannel();
        p.waitForFinished(30000);
        return seen + QString::fromUtf8(p.readAllStandardOutput());
    };

    const QString next = QStringLiteral("Typed-Secret-7");
    QString screen = typeAt({next, next});
    QVERIFY2(screen.contains(QLatin1String("New password for D005")) && screen.contains(QLatin1String("Repeat")), qPrintable(screen));
    QVERIFY2(!screen.contains(next), qPrintable(screen));
    QVERIFY2(screen.contains(QLatin1String("password of D005 set")), qPrintable(screen));
    QCOMPARE(m_users->LogIn(QStringLiteral("D005"), next).outcome, TLoginOutcome::Ok);

    screen = typeAt({QStringLiteral("First-Entry-1"), QStringLiteral("Other-Entry-2")});
    QVERIFY2(screen.contains(QLatin1String("differ")), qPrintable(screen));
    QCOMPARE(m_users->LogIn(QStringLiteral("D005"), next).outcome, TLoginOutcome::Ok);
}

void TstWrAdmin::databasePasswordFromAnOwnerOnlyFile()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("db-password"));
    const QByteArray secret = "Db-Secret;}=x";
    QFile f(file);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(secret + "\n");
    f.close();

    // Readable by others: refused, naming the file and its mode.
    QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther));
    TAdminRun r = Run({QStringLiteral("--db-password-file"), file, QStringLiteral("list")});
    QCOMPARE(r.exitCode, 3);
    QVERIFY2(r.err.contains(file) && r.err.contains(QLatin1String("0604")), qPrintable(r.err));
    QVERIFY(!r.err.contains(QString::fromLatin1(secret)));

    QVERIFY(f.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner));
    r = Run({QStringLiteral("--db-password-file"), file, QStringLiteral("list")});
    if (!m_db->OnServer()) {
        QCOMPARE(r.exitCode, 3);   // an SQLite file has no password
        QVERIFY(r.err.contains(QLatin1String("SQLite")));
        return;
    }
    // The test server trusts its logins, so the password only has to reach it unharmed.
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(QLatin1String("D001")));
    QVERIFY(!r.out.contains(QString::fromLatin1(secret)) && !r.err.contains(QString::fromLatin1(secret)));
}

QTEST_GUILESS_MAIN(TstWrAdmin)
#include "tst_wradmin.moc"
