// SPDX-License-Identifier: MIT
// A demo database made before there were users, started on again: the host's demo upgrade
// adds the user tables, the log-in procedures and the demo users, and keeps a demo password
// someone changed; running it again changes nothing.
#include "database/DemoDatabase.h"
#include "TestDatabase.h"
#include "hostdata/UserAccounts.h"
#include "platform/SqliteDatabase.h"
#include <QFile>
#include <QTest>

class TstDemoUpgrade : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void olderDemoDatabaseGetsItsUsers();

private:
    QTemporaryDir m_program;
};

void TstDemoUpgrade::initTestCase()
{
    // The scripts the host finds beside itself are the source tree's, never a stale copy.
    QVERIFY(QFile::link(QStringLiteral(WR_SOURCE_DIR "/db"), m_program.filePath(QStringLiteral("db"))));
    qputenv("WRITEREPORT_PROGRAM_DIR", m_program.path().toUtf8());
    QCOMPARE(FindDbScriptsFolder(), m_program.filePath(QStringLiteral("db/sqlite")));
}

void TstDemoUpgrade::olderDemoDatabaseGetsItsUsers()
{
    QTemporaryDir dir;
    const QString path = CreateTestDatabaseFile(dir.path(), true);
    {
        // What a demo database of the version before users looks like.
        TSqliteConnection conn(path);
        for (const char* sql : {"DROP TABLE WrUser", "DROP TABLE WrRolePermission", "DROP TABLE WrRole",
                                "DELETE FROM wr_procedure_param WHERE procedure LIKE 'sp_%User%' OR procedure = 'sp_RolePermissions'",
                                "DELETE FROM wr_procedure WHERE name LIKE 'sp_%User%' OR name = 'sp_RolePermissions'"})
            ExecTestSql(conn, QString::fromLatin1(sql));
        QVERIFY(!TUserAccounts(conn).Available());
    }

    QString error;
    bool created = true;
    QVERIFY2(EnsureDemoDatabase(path, false, &error, &created), qPrintable(error));
    QVERIFY(!created);
    {
        TSqliteConnection conn(path);
        TUserAccounts users(conn);
        const TLoginResult r = users.LogIn(QStringLiteral("D001"), QStringLiteral("demo1234"));
        QCOMPARE(r.outcome, TLoginOutcome::Ok);
        QCOMPARE(r.account.roleCode, QStringLiteral("reviewer"));
        QVERIFY(users.RolePermissions(r.account.roleCode).contains(QStringLiteral("审核报告")));
        QCOMPARE(QueryTestValue(conn, QStringLiteral("SELECT COUNT(*) FROM WrUser")).AsInteger(), 10);
        QCOMPARE(users.ChangePassword(QStringLiteral("D001"), QStringLiteral("demo1234"), QStringLiteral("mine-now-1")), QString());
    }

    // The next start upgrades again: the changed password stays, nothing is added twice.
    QVERIFY2(EnsureDemoDatabase(path, false, &error, &created), qPrintable(error));
    TSqliteConnection conn(path);
    TUserAccounts users(conn);
    QCOMPARE(users.LogIn(QStringLiteral("D001"), QStringLiteral("demo1234")).outcome, TLoginOutcome::WrongPassword);
    QCOMPARE(users.LogIn(QStringLiteral("D001"), QStringLiteral("mine-now-1")).outcome, TLoginOutcome::Ok);
    QCOMPARE(QueryTestValue(conn, QStringLiteral("SELECT COUNT(*) FROM WrUser")).AsInteger(), 10);
    QCOMPARE(QueryTestValue(conn, QStringLiteral("SELECT COUNT(*) FROM WrRole")).AsInteger(), 3);
}

QTEST_GUILESS_MAIN(TstDemoUpgrade)
#include "tst_demoupgrade.moc"
