// SPDX-License-Identifier: MIT
// A site's own SQLite database from an empty folder, as its IT person makes it: wr-admin
// create-db with the first administrator, import-doctors from a GB18030 CSV, then wr-host as
// the administrator, and a doctor who may log in only after changing the one-time password.
// create-db never touches an existing file, and a kill while it runs leaves no database.
#include "../host/HostProcess.h"
#include "hostdata/UserAccounts.h"
#include "platform/Database.h"
#include "platform/LegacyText.h"
#include "ServerTestDatabase.h"
#include <QCryptographicHash>
#include <QProcess>
#include <QRegularExpression>
#include <QTest>
#include <csignal>

namespace {

struct TRun {
    int exitCode = -1;
    QString out, err;
};

TRun Admin(const THostSandbox& box, const QStringList& args, const QByteArray& input)
{
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.start(QStringLiteral(WR_ADMIN_EXE), args);
    p.waitForStarted();
    p.write(input);
    p.closeWriteChannel();
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

int Count(TDbConnection& conn, const QString& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    return q->FieldByName(QStringLiteral("n")).AsInteger();
}

QByteArray Digest(const QString& file)
{
    QFile f(file);
    f.open(QIODevice::ReadOnly);
    return QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256);
}

const QByteArray kAdminInput = QByteArrayLiteral("A001\n管理员甲\nUS01\nAdmin-Pass-1\n");

} // namespace

class TstNewSite : public QObject {
    Q_OBJECT
private slots:
    void fromAnEmptyFolder();
    void refusalsChangeNothing();
    void killedCreationLeavesNoDatabase_data();
    void killedCreationLeavesNoDatabase();
    void onTheServer();
};

void TstNewSite::fromAnEmptyFolder()
{
    THostSandbox box;
    const QString db = box.Path(QStringLiteral("site/reports.sqlite"));
    TRun r = Admin(box, {QStringLiteral("--db"), db, QStringLiteral("create-db")}, kAdminInput);
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    QVERIFY(r.out.contains(QLatin1String("procedures.sql")));

    QByteArray csv;
    QVERIFY(EncodeLegacyText(QStringLiteral("姓名,科室代码,代码,显示顺序,角色\r\n张三,US01,D501,1,doctor\r\n"
                                            "李四,US01,D502,2,审核医生\r\n王五,US02,D503,3,doctor\r\n"),
                             &csv));
    const QString csvFile = box.WriteFile(QStringLiteral("doctors.csv"), csv);
    r = Admin(box, {QStringLiteral("--db"), db, QStringLiteral("import-doctors"), csvFile}, {});
    QVERIFY2(r.exitCode == 0, qPrintable(r.err));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("D501\t张三\t(\\S+)")).match(r.out);
    QVERIFY2(m.hasMatch(), qPrintable(r.out));
    const QString oneTime = m.captured(1);

    // The administrator opens the empty work list; the run creates nothing it was not asked to.
    THostRun h = box.RunScript(QStringLiteral("echo ready\n"),
                               {QStringLiteral("--db"), db, QStringLiteral("--login-file"),
                                box.WriteLoginFile(QStringLiteral("admin.login"), QStringLiteral("A001"),
                                                   QStringLiteral("Admin-Pass-1"))});
    QVERIFY2(h.exitCode == 0 && h.out.contains(QLatin1String("ready")), qPrintable(h.Describe()));

    // The doctor's one-time password opens nothing until it is changed.
    const QStringList asDoctor{QStringLiteral("--db"), db, QStringLiteral("--login-file"),
                               box.WriteLoginFile(QStringLiteral("d501.login"), QStringLiteral("D501"), oneTime)};
    h = box.RunScript(QStringLiteral("echo in\n"), asDoctor);
    QCOMPARE(h.exitCode, 7);
    {
        auto conn = OpenDatabase(db);
        QCOMPARE(Count(*conn, QStringLiteral("SELECT COUNT(*) AS n FROM Report")), 0);
        QCOMPARE(Count(*conn, QStringLiteral("SELECT COUNT(*) AS n FROM csdoctor")), 4);
        TUserAccounts users(*conn);
        QCOMPARE(users.Find(QStringLiteral("D502"))->roleCode, QStringLiteral("reviewer"));
        QVERIFY(users.ChangePassword(QStringLiteral("D501"), oneTime, QStringLiteral("Doctor-Pass-9")).isEmpty());
    }
    h = box.RunScript(QStringLiteral("echo in\n"),
                      {QStringLiteral("--db"), db, QStringLiteral("--login-file"),
                       box.WriteLoginFile(QStringLiteral("d501b.login"), QStringLiteral("D501"),
                                          QStringLiteral("Doctor-Pass-9"))});
    QVERIFY2(h.exitCode == 0, qPrintable(h.Describe()));
}

void TstNewSite::refusalsChangeNothing()
{
    THostSandbox box;
    const QString db = box.Path(QStringLiteral("reports.sqlite"));
    QCOMPARE(Admin(box, {QStringLiteral("--db"), db, QStringLiteral("create-db")}, kAdminInput).exitCode, 0);
    const QByteArray before = Digest(db);

    TRun r = Admin(box, {QStringLiteral("--db"), db, QStringLiteral("create-db")}, kAdminInput);
    QCOMPARE(r.exitCode, 1);
    QVERIFY(r.err.contains(QLatin1String("already exists")));
    // A bad third line: the two good rows before it are not applied either.
    const QString csv = box.WriteFile(QStringLiteral("bad.csv"),
                                      QStringLiteral("姓名,科室代码,代码,显示顺序,角色\n甲,US01,D601,1,doctor\n"
                                                     "乙,US01,D602,x,doctor\n").toUtf8());
    r = Admin(box, {QStringLiteral("--db"), db, QStringLiteral("import-doctors"), csv}, {});
    QCOMPARE(r.exitCode, 1);
    QVERIFY2(r.err.contains(QLatin1String("bad.csv:3:")), qPrintable(r.err));
    QCOMPARE(Digest(db), before);

    r = Admin(box, {QStringLiteral("--db"), db, QStringLiteral("upgrade-db")}, {});
    QVERIFY2(r.exitCode == 0 && r.out.contains(QLatin1String("procedures.sql")), qPrintable(r.err));
}

void TstNewSite::killedCreationLeavesNoDatabase_data()
{
    QTest::addColumn<int>("afterMs");
    QTest::newRow("while the scripts run") << 150;
    QTest::newRow("while the administrator is made") << 600;
}

void TstNewSite::killedCreationLeavesNoDatabase()
{
    QFETCH(int, afterMs);
    THostSandbox box;
    const QString db = box.Path(QStringLiteral("reports.sqlite"));
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.start(QStringLiteral(WR_ADMIN_EXE), {QStringLiteral("--db"), db, QStringLiteral("create-db")});
    QVERIFY(p.waitForStarted());
    p.write(kAdminInput);
    p.closeWriteChannel();
    QTest::qWait(afterMs);
    // processId() is 0 once it has ended by itself, and kill(0) would hit this test's own group.
    if (const qint64 pid = p.processId(); pid > 0 && p.state() == QProcess::Running) ::kill(pid_t(pid), SIGKILL);
    p.waitForFinished();
    // Either nothing at the name, or a whole database with its administrator.
    if (QFile::exists(db)) {
        auto conn = OpenDatabase(db);
        QCOMPARE(Count(*conn, QStringLiteral("SELECT COUNT(*) AS n FROM WrUser WHERE UserCode = 'A001'")), 1);
    }
    // And a new create-db works after the kill.
    if (!QFile::exists(db)) QCOMPARE(Admin(box, {QStringLiteral("--db"), db, QStringLiteral("create-db")}, kAdminInput).exitCode, 0);
}

// The same create-db as the server's administrator, in an empty database: the workstations'
// login then finds what its grants promise and the administrator logs in.
void TstNewSite::onTheServer()
{
    if (!TestsUseServer()) QSKIP("runs from scripts/server-tests (WR_TEST_BACKEND=odbc)");
    if (const QString why = ServerTestsUnavailableReason(); !why.isEmpty()) QSKIP(qPrintable(why));
    const QString name = QStringLiteral("wr_t_newsite_%1").arg(QCoreApplication::applicationPid());
    {
        auto admin = OpenDatabase(TestServerConnectionString());
        auto q = admin->CreateQuery();
        q->SQL() << QStringLiteral("CREATE DATABASE %1 ENCODING 'UTF8' TEMPLATE template0").arg(name);
        q->ExecSQL();
    }
    const QString adminTarget = WithDatabaseName(TestServerConnectionString(), name);
    THostSandbox box;
    TRun r = Admin(box, {QStringLiteral("--db"), adminTarget, QStringLiteral("create-db")}, kAdminInput);
    const QString workstation = WithDatabaseName(WorkstationConnectionString(), name);
    bool loggedIn = false, reportsReadable = false;
    try {
        auto ws = OpenDatabase(workstation);
        reportsReadable = Count(*ws, QStringLiteral("SELECT COUNT(*) AS n FROM Report")) == 0;
        const TLoginResult login = TUserAccounts(*ws).LogIn(QStringLiteral("A001"), QStringLiteral("Admin-Pass-1"));
        loggedIn = login.outcome == TLoginOutcome::Ok;
        if (!loggedIn) qWarning("log-in: %d %s", int(login.outcome), qPrintable(login.message));
    } catch (const Exception& e) {
        qWarning("%s", qPrintable(e.Message()));
    }
    const TRun again = Admin(box, {QStringLiteral("--db"), adminTarget, QStringLiteral("create-db")}, kAdminInput);
    DropServerTestDatabase(adminTarget);
    QVERIFY2(r.exitCode == 0 && r.out.contains(QLatin1String("grants.sql")), qPrintable(r.err));
    QVERIFY(reportsReadable);
    QVERIFY(loggedIn);
    QCOMPARE(again.exitCode, 1);
}

QTEST_GUILESS_MAIN(TstNewSite)
#include "tst_newsite.moc"
