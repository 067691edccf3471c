// SPDX-License-Identifier: MIT
// The log-in end to end through the built wr-host: --login-file and its owner-only rule, a
// refused password (counted, then locked out), the password asked again before signing, a
// role without signing refused whatever the workstation's file says, the user in the saved
// and printed records, --user alone logging in no one, and no password left in any file
// the runs wrote.
#include "HostProcess.h"
#include "TestDatabase.h"
#include <QDirIterator>
#include <QRegularExpression>
#include <QFile>
#include <QTest>

namespace {
const QString kDraft = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");  // state 2, has findings
constexpr int kNotLoggedIn = 7;

QString Value(const QString& db, const QString& sql)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, sql).AsString();
}
} // namespace

class TstHostLoginE2e : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        const QString plugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");
        if (!WR_PLUGIN_BUILT || !QFileInfo::exists(plugin)) QSKIP("the WriteReport plug-in is not built");
    }

    void noOneIsLoggedInWithoutCredentials()
    {
        THostSandbox box;
        // --user names someone but proves nothing: no log-in, not even on the demo database.
        THostRun r = box.RunScript(QStringLiteral("echo started\n"),
                                   {QStringLiteral("--user"), QStringLiteral("张医生"), QStringLiteral("--user-code"), QStringLiteral("D001")});
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn, qPrintable(r.Describe()));
        QVERIFY2(r.err.contains(QStringLiteral("--login-file")) && !r.out.contains(QStringLiteral("started")), qPrintable(r.Describe()));

        // A site database without a log-in file: every headless mode refuses.
        const QString db = CreateTestDatabaseFile(box.Path(QStringLiteral("site")), true);
        r = box.RunScript(QStringLiteral("echo started\n"), {QStringLiteral("--db"), db});
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn && !r.out.contains(QStringLiteral("started")), qPrintable(r.Describe()));
        r = box.Run({QStringLiteral("--db"), db, QStringLiteral("--pdf"), kDraft, box.Path(QStringLiteral("x.pdf"))});
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn && !QFile::exists(box.Path(QStringLiteral("x.pdf"))), qPrintable(r.Describe()));

        // A log-in file others may read is refused, naming the file and its mode.
        const QString open = box.WriteLoginFile(QStringLiteral("open.txt"), QStringLiteral("D001"), QStringLiteral("demo1234"));
        QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        r = box.RunScript(QStringLiteral("echo started\n"), {QStringLiteral("--db"), db, QStringLiteral("--login-file"), open});
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn, qPrintable(r.Describe()));
        QVERIFY2(r.err.contains(open) && r.err.contains(QStringLiteral("0644")), qPrintable(r.err));

        // The same file made private logs in.
        QFile::setPermissions(open, QFile::ReadOwner | QFile::WriteOwner);
        r = box.RunScript(QStringLiteral("echo started\n"), {QStringLiteral("--db"), db, QStringLiteral("--login-file"), open});
        QVERIFY2(r.finished && r.exitCode == 0 && r.out.contains(QStringLiteral("started")), qPrintable(r.Describe()));
    }

    void wrongPasswordsAreCountedAndLockOut()
    {
        THostSandbox box;
        const QString db = CreateTestDatabaseFile(box.Path(QStringLiteral("site")), true);
        const QStringList wrong{QStringLiteral("--db"), db, QStringLiteral("--login-file"),
                                box.WriteLoginFile(QStringLiteral("wrong.txt"), QStringLiteral("D002"), QStringLiteral("not-my-password"))};
        THostRun r = box.RunScript(QStringLiteral("echo started\n"), wrong);
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn && r.err.contains(QStringLiteral("用户名或密码错误")), qPrintable(r.Describe()));
        QCOMPARE(Value(db, QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D002'")), QStringLiteral("1"));

        // The fifth failure in a row locks the user out: the right password is refused too.
        auto conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("UPDATE WrUser SET FailedCount = 4 WHERE UserCode = 'D002'"));
        conn.reset();
        r = box.RunScript(QStringLiteral("echo started\n"), wrong);
        QVERIFY2(r.exitCode == kNotLoggedIn, qPrintable(r.Describe()));
        r = box.RunScript(QStringLiteral("echo started\n"), QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D002")));
        QVERIFY2(r.finished && r.exitCode == kNotLoggedIn && r.err.contains(QStringLiteral("locked out")), qPrintable(r.Describe()));
        QVERIFY2(r.err.contains(QStringLiteral("锁定")), qPrintable(r.err));
        // Once the lock-out is over, the right password logs in again.
        conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("UPDATE WrUser SET LockedUntil = '2000-01-01 00:00:00.000' WHERE UserCode = 'D002'"));
        conn.reset();
        r = box.RunScript(QStringLiteral("echo started\n"), QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D002")));
        QVERIFY2(r.finished && r.exitCode == 0 && r.out.contains(QStringLiteral("started")), qPrintable(r.Describe()));
    }

    void signingAsksForThePasswordAgain()
    {
        THostSandbox box;
        const QStringList reviewer = box.LoginAs(QStringLiteral("D001"));
        // A wrong password does not sign, and is counted.
        THostRun r = box.RunScript(QStringLiteral("open %1\nanswer wrong-password\nsign\n").arg(kDraft), reviewer);
        QVERIFY2(r.finished && r.exitCode == 1 && r.out.contains(QStringLiteral("password question")), qPrintable(r.Describe()));
        QVERIFY2(r.err.contains(QStringLiteral("密码错误，还可以再试 4 次")), qPrintable(r.err));
        const QString db = box.DemoDatabase();
        QCOMPARE(Value(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kDraft)), QStringLiteral("2"));
        QCOMPARE(Value(db, QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D001'")), QStringLiteral("1"));
        // Without an answer the question is not skipped: the script fails, nothing signed.
        r = box.RunScript(QStringLiteral("open %1\nsign\n").arg(kDraft), reviewer);
        QVERIFY2(r.finished && r.exitCode == 1, qPrintable(r.Describe()));
        QCOMPARE(Value(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kDraft)), QStringLiteral("2"));

        // The right one signs as the logged-in user; withdrawing asks again.
        // The work list's row follows each step without a refresh (F5).
        r = box.RunScript(QStringLiteral("open %1\ndump\nanswer password\nsign\ndump\n"
                                         "answer yes\nanswer password\nwithdraw\ndump\nanswer password\nsign\ndump\n").arg(kDraft),
                          reviewer);
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        static const QRegularExpression row(QStringLiteral("\"worklistRow\": \"([^\"]*)\""));
        QStringList states;
        for (auto m = row.globalMatch(r.out); m.hasNext();) states << m.next().captured(1).section(QLatin1String("\\t"), 3, 3);
        QCOMPARE(states, (QStringList{QStringLiteral("待审核"), QStringLiteral("已审核"), QStringLiteral("待审核"), QStringLiteral("已审核")}));
        QCOMPARE(r.out.count(QStringLiteral("password question")), 3);
        QCOMPARE(Value(db, QStringLiteral("SELECT ShenHeDoctorCode FROM Report WHERE ruid = '%1'").arg(kDraft)), QStringLiteral("D001"));
        QCOMPARE(Value(db, QStringLiteral("SELECT count(*) FROM ReportEvent WHERE ruid = '%1' AND UserCode = 'D001'").arg(kDraft)),
                 QStringLiteral("3"));
        QCOMPARE(Value(db, QStringLiteral("SELECT FailedCount FROM WrUser WHERE UserCode = 'D001'")), QStringLiteral("0"));
    }

    void rightsComeFromTheRole()
    {
        THostSandbox box;
        const QString db = box.DemoDatabase();
        // The doctor's role has no signing; the workstation's file cannot grant it.
        THostRun r = box.RunScript(QStringLiteral("config set Permissions 审核报告 1\nopen %1\nanswer password\nsign\n").arg(kDraft),
                                   box.LoginAs(QStringLiteral("D003")));
        QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("审核报告")), qPrintable(r.Describe()));
        QVERIFY2(!r.out.contains(QStringLiteral("password question")), qPrintable(r.out));
        QCOMPARE(Value(db, QStringLiteral("SELECT ReportState FROM Report WHERE ruid = '%1'").arg(kDraft)), QStringLiteral("2"));

        // It can take a right of the role away: the reviewer may not print here.
        r = box.RunScript(QStringLiteral("config set Permissions 打印报告 0\nopen %1\nprint %2\n").arg(kDraft, box.Path(QStringLiteral("p.pdf"))),
                          box.LoginAs(QStringLiteral("D001")));
        QVERIFY2(r.finished && r.exitCode == 1 && r.err.contains(QStringLiteral("打印报告")), qPrintable(r.Describe()));

        // The doctor saves and prints; the records and the log name the doctor.
        r = box.RunScript(QStringLiteral("config set Permissions 打印报告 1\nopen %1\nunlock\nset Memo_JianYi 李医生的建议\nsave\nprint %2\n")
                              .arg(kDraft, box.Path(QStringLiteral("p.pdf"))),
                          box.LoginAs(QStringLiteral("D003")));
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
        QVERIFY(Value(db, QStringLiteral("SELECT SavedBy FROM Report WHERE ruid = '%1'").arg(kDraft)).startsWith(QStringLiteral("李秀英(D003)@")));
        QCOMPARE(Value(db, QStringLiteral("SELECT UserCode FROM ReportEvent WHERE ruid = '%1' ORDER BY id DESC LIMIT 1").arg(kDraft)),
                 QStringLiteral("D003"));
        QFile log(box.Path(QStringLiteral("data/WriteReport/logs/wr-host.log")));
        QVERIFY(log.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(log.readAll());
        QVERIFY(text.contains(QStringLiteral("logged in: D003")));
        QVERIFY(text.contains(QStringLiteral("report %1 saved by D003").arg(kDraft)));
        QVERIFY(text.contains(QStringLiteral("report %1 printed by D003").arg(kDraft)));

        // After all these runs no password is in any file the host wrote (log, INI, drafts).
        QDirIterator it(box.Path(QString()), QDir::Files, QDirIterator::Subdirectories);
        int checked = 0;
        while (it.hasNext()) {
            const QString f = it.next();
            if (QFileInfo(f).fileName().startsWith(QLatin1String("login-")) || f.endsWith(QLatin1String(".sqlite"))) continue;
            QFile file(f);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(!file.readAll().contains("demo1234"), qPrintable(f));
            ++checked;
        }
        QVERIFY(checked >= 3);
    }
};

QTEST_GUILESS_MAIN(TstHostLoginE2e)
#include "tst_host_login_e2e.moc"
