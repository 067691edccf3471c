// SPDX-License-Identifier: MIT
// Two wr-host processes on one database file, as two workstations: the later save of a
// stale copy brings up the conflict choice instead of overwriting, and the history window's
// script commands list, compare and restore the kept versions.
#include "HostProcess.h"
#include "TestDatabase.h"
#include <QFileInfo>
#include <QDirIterator>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

namespace {
const QString kRealPlugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");
const QString kTheirFindings = QStringLiteral("B 改写的所见：肝脏回声均匀。");
const QString kMySuggestion = QStringLiteral("A 的建议：三个月后复查。");
}

class TstHostHistory : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void twoHostsOneReport();
    void takingTheirVersionShowsItAndKeepsMine();

private:
    QTemporaryDir m_dir;
};

void TstHostHistory::initTestCase()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
}

void TstHostHistory::twoHostsOneReport()
{
    const QString db = CreateTestDatabaseFile(m_dir.path(), true);
    QString ruid, originalFindings;
    {
        auto conn = OpenDatabase(db);
        ruid = QueryTestValue(*conn, QStringLiteral("SELECT min(ruid) FROM Report WHERE ReportState < 5")).AsString();
        originalFindings = QueryTestValue(*conn, QStringLiteral("SELECT SuoJian FROM Report WHERE ruid = '%1'").arg(ruid)).AsString();
    }
    QVERIFY(!ruid.isEmpty());
    THostSandbox a, b;
    // Two demo doctors, each logged in from a log-in file.
    const QStringList userA = QStringList{QStringLiteral("--db"), db} + a.LoginAs(QStringLiteral("D002"));
    const QStringList userB = QStringList{QStringLiteral("--db"), db} + b.LoginAs(QStringLiteral("D003"));

    // A opens and unlocks, then waits while B saves; A's later save meets B's version.
    constexpr int kWaitMs = 12000;
    const QString scriptA = a.WriteFile(QStringLiteral("a.txt"), QStringLiteral(
        "open %1\nunlock\necho ready\nwait %2\nset Memo_JianYi \"%3\"\n"
        "answer cancel\nsave expect-error\n"
        "answer keep-mine\nsave\n"
        "history list\n").arg(ruid).arg(kWaitMs).arg(kMySuggestion).toUtf8());
    QProcess hostA;
    hostA.setProcessEnvironment(a.Environment());
    hostA.setWorkingDirectory(a.WorkingDirectory());
    hostA.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), scriptA} + userA);
    QString outA;
    QElapsedTimer ready;
    ready.start();
    while (!outA.contains(QStringLiteral("ready")) && ready.elapsed() < 60000 && hostA.state() != QProcess::NotRunning) {
        hostA.waitForReadyRead(500);
        outA += QString::fromUtf8(hostA.readAllStandardOutput());
    }
    QVERIFY2(outA.contains(QStringLiteral("ready")), qPrintable(outA + QString::fromUtf8(hostA.readAllStandardError())));

    QElapsedTimer bTime;
    bTime.start();
    const THostRun rb = b.RunScript(QStringLiteral("open %1\nunlock\nset rich_jcsj \"%2\"\nsave\n").arg(ruid, kTheirFindings), userB);
    QVERIFY2(rb.finished && rb.exitCode == 0, qPrintable(rb.Describe()));
    if (bTime.elapsed() > kWaitMs - 1000) QSKIP("the machine is too slow for B to save while A waits");

    QVERIFY(hostA.waitForFinished(120000));
    outA += QString::fromUtf8(hostA.readAllStandardOutput());
    const QString errA = QString::fromUtf8(hostA.readAllStandardError());
    QVERIFY2(hostA.exitCode() == 0, qPrintable(outA + errA));

    // Asked twice (cancel, then keep mine), naming B and showing both sections that differ.
    QVERIFY2(outA.count(QStringLiteral("choice \"报告保存冲突\"")) == 2, qPrintable(outA + errA));
    QVERIFY2(outA.contains(QStringLiteral("李秀英(D003)")), qPrintable(outA));
    QVERIFY2(outA.contains(QStringLiteral("| 影像表现 | ") + kTheirFindings), qPrintable(outA));
    QVERIFY2(outA.contains(QStringLiteral("answered keep-mine")), qPrintable(outA));
    // history list: the current version, B's, and the demo's original.
    QVERIFY2(outA.count(QStringLiteral("\nhistory ")) >= 3, qPrintable(outA));

    auto conn = OpenDatabase(db);
    auto value = [&](const QString& sql) { return QueryTestValue(*conn, sql.arg(ruid)).AsString(); };
    QCOMPARE(value(QStringLiteral("SELECT JianYi FROM Report WHERE ruid = '%1'")), kMySuggestion);
    QCOMPARE(value(QStringLiteral("SELECT SuoJian FROM Report WHERE ruid = '%1'")), originalFindings);
    QCOMPARE(value(QStringLiteral("SELECT SuoJian FROM ReportHistory WHERE ruid = '%1' ORDER BY HistoryId DESC LIMIT 1")), kTheirFindings);

    // B takes its version back from the history: restore it, save, and it is current again.
    const THostRun rc = b.RunScript(QStringLiteral(
        "open %1\nhistory diff 1\nhistory restore 1\nexpect Memo_JianYi.readOnly false\nsave\nhistory show 0\n").arg(ruid), userB);
    QVERIFY2(rc.finished && rc.exitCode == 0, qPrintable(rc.Describe()));
    QVERIFY2(rc.out.contains(QStringLiteral("history diff 影像表现")), qPrintable(rc.out));
    QVERIFY2(rc.out.contains(QStringLiteral("history show 影像表现: ") + kTheirFindings), qPrintable(rc.out));
    QCOMPARE(value(QStringLiteral("SELECT SuoJian FROM Report WHERE ruid = '%1'")), kTheirFindings);
}

void TstHostHistory::takingTheirVersionShowsItAndKeepsMine()
{
    QTemporaryDir dir;
    const QString db = CreateTestDatabaseFile(dir.path(), true);
    QString ruid;
    {
        auto conn = OpenDatabase(db);
        ruid = QueryTestValue(*conn, QStringLiteral("SELECT max(ruid) FROM Report WHERE ReportState < 5")).AsString();
    }
    THostSandbox a, b;
    // Two demo doctors, each logged in from a log-in file.
    const QStringList userA = QStringList{QStringLiteral("--db"), db} + a.LoginAs(QStringLiteral("D002"));
    const QStringList userB = QStringList{QStringLiteral("--db"), db} + b.LoginAs(QStringLiteral("D003"));
    constexpr int kWaitMs = 12000;
    const QString scriptA = a.WriteFile(QStringLiteral("a.txt"), QStringLiteral(
        "open %1\nunlock\necho ready\nwait %2\nset Memo_JianYi \"%3\"\n"
        "answer take-theirs\nsave expect-error\n"
        "expect Memo_JianYi.readOnly true\ndump %4\n").arg(ruid).arg(kWaitMs).arg(kMySuggestion, a.Path(QStringLiteral("a.json"))).toUtf8());
    QProcess hostA;
    hostA.setProcessEnvironment(a.Environment());
    hostA.setWorkingDirectory(a.WorkingDirectory());
    hostA.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), scriptA} + userA);
    QString outA;
    QElapsedTimer ready;
    ready.start();
    while (!outA.contains(QStringLiteral("ready")) && ready.elapsed() < 60000 && hostA.state() != QProcess::NotRunning) {
        hostA.waitForReadyRead(500);
        outA += QString::fromUtf8(hostA.readAllStandardOutput());
    }
    QVERIFY2(outA.contains(QStringLiteral("ready")), qPrintable(outA));
    QElapsedTimer bTime;
    bTime.start();
    const THostRun rb = b.RunScript(QStringLiteral("open %1\nunlock\nset rich_jcsj \"%2\"\nsave\n").arg(ruid, kTheirFindings), userB);
    QVERIFY2(rb.finished && rb.exitCode == 0, qPrintable(rb.Describe()));
    if (bTime.elapsed() > kWaitMs - 1000) QSKIP("the machine is too slow for B to save while A waits");
    QVERIFY(hostA.waitForFinished(120000));
    outA += QString::fromUtf8(hostA.readAllStandardOutput());
    const QString errA = QString::fromUtf8(hostA.readAllStandardError());
    QVERIFY2(hostA.exitCode() == 0, qPrintable(outA.right(800) + errA));
    QVERIFY2(outA.contains(QStringLiteral("answered take-theirs")), qPrintable(outA.right(800)));

    // A shows B's findings again, read-only, and A's suggestion was not written.
    QFile::copy(a.Path(QStringLiteral("a.json")), QStringLiteral("/tmp/h11/a.json"));
    { QFile o(QStringLiteral("/tmp/h11/a.out")); o.open(QIODevice::WriteOnly); o.write(outA.toUtf8()); }
    QString report;
    const QJsonObject controls = ReadDumpControls(a.Path(QStringLiteral("a.json")), &report);
    QVERIFY2(controls.value(QStringLiteral("rich_jcsj")).toObject().value(QStringLiteral("text")).toString() == kTheirFindings,
             qPrintable(outA.right(1500)));
    auto conn = OpenDatabase(db);
    QVERIFY(QueryTestValue(*conn, QStringLiteral("SELECT JianYi FROM Report WHERE ruid = '%1'").arg(ruid)).AsString() != kMySuggestion);
    // A's text is kept: a copy in A's draft backups names the suggestion.
    bool kept = false;
    QDirIterator it(a.WorkingDirectory(), {QStringLiteral("*conflict*")}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext() && !kept) {
        QFile f(it.next());
        kept = f.open(QIODevice::ReadOnly) && QString::fromUtf8(f.readAll()).contains(kMySuggestion);
    }
    QVERIFY2(kept, "no kept copy of A's edit in the draft backups");
}

QTEST_GUILESS_MAIN(TstHostHistory)
#include "tst_host_history.moc"
