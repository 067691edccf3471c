// SPDX-License-Identifier: MIT
// Nothing a doctor typed is lost, whatever happens to the host process, the database file or
// the configuration: end-to-end runs of the built wr-host that kill it while a script types,
// restore a backup over the database file while a report is open, limit the file size,
// answer the three-way close question, and start with control characters in a login value.
#include "HostProcess.h"
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QRegularExpression>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonObject>
#include <QProcess>
#include <QRandomGenerator>
#include <QTest>
#include <cstdio>
#include <sys/resource.h>

namespace {
const QString kReport = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");        // state 5
const QString kOpenReport = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");    // state 2
const QString kPlainReport = QStringLiteral("E63EE575-B118-559C-8F0F-FB21FC71CD20");   // plain findings, no RTF
const QString kRealPlugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");

// The database and a log-in as its demo reviewer (the file beside the database).
QStringList Db(const QString& file)
{
    const QString login = file + QStringLiteral(".login");
    QFile f(login);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate)) f.write("user=D001\npassword=demo1234\n");
    f.close();
    QFile::setPermissions(login, QFile::ReadOwner | QFile::WriteOwner);
    return {QStringLiteral("--db"), file, QStringLiteral("--login-file"), login};
}

// Every live draft under the sandbox's data folder.
QStringList LiveDrafts(const THostSandbox& box)
{
    QStringList r;
    QDirIterator it(box.Path(QStringLiteral("data/WriteReport/drafts")), {QStringLiteral("*.draft")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString f = it.next();
        if (!f.contains(QLatin1String("/backup/"))) r << f;
    }
    return r;
}

int BackupDrafts(const THostSandbox& box)
{
    int n = 0;
    QDirIterator it(box.Path(QStringLiteral("data/WriteReport/drafts")), {QStringLiteral("*.draft")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) n += it.next().contains(QLatin1String("/backup/")) ? 1 : 0;
    return n;
}

QString Column(const QString& db, const QString& column, const QString& ruid)
{
    auto conn = OpenDatabase(db);
    return QueryTestValue(*conn, QStringLiteral("SELECT %1 AS v FROM Report WHERE ruid = '%2'").arg(column, ruid)).AsString();
}

// Every row of Report as text, for comparing two files by content.
QString ReportRows(const QString& db)
{
    auto conn = OpenDatabase(db);
    auto q = conn->CreateQuery();
    q->SQL() << QStringLiteral("SELECT * FROM Report ORDER BY ruid");
    q->Open();
    QString all;
    for (q->First(); !q->Eof(); q->Next())
        for (const QString& f : q->FieldNames()) all += q->FieldByName(f).AsString() + QLatin1Char('\x1f');
    return all;
}

QByteArray FileBytes(const QString& file)
{
    QFile f(file);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
} // namespace

class TstHostRecovery : public QObject {
    Q_OBJECT
private slots:
    void init();
    void draftSurvivesAKillAtRandomMoments();
    void draftIsNeverOfferedAfterASuccessfulSave();
    void closeQuestion_data();
    void closeQuestion();
    void lockedUnchangedSaveWritesNothing();
    void storedPlainAndDamagedTextsAreShown();
    void backupRestoredByRenameRefusesTheSave();
    void fileSizeLimitFailsTheSave();
    void controlCharactersInLoginValues();
};

void TstHostRecovery::init()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) QSKIP("the WriteReport plug-in is not built");
}

// The host is killed (SIGKILL) at a random moment while a script types one word after
// another; started again, it offers a draft holding at least every word typed 2 s before.
void TstHostRecovery::draftSurvivesAKillAtRandomMoments()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    QString typing = QStringLiteral("open %1\nunlock\necho typing\n").arg(kOpenReport);
    QString text;
    for (int i = 1; i <= 80; ++i) {
        text += QStringLiteral("词%1 ").arg(i);
        typing += QStringLiteral("set memo_beizhu \"%1\"\necho step %2\nwait 100\n").arg(text).arg(i);
    }
    const QString typingScript = box.WriteFile(QStringLiteral("typing.txt"), typing.toUtf8());
    const QString dump = box.Path(QStringLiteral("after.json"));
    auto* rng = QRandomGenerator::global();
    int runsWithDraft = 0;
    for (int run = 0; run < 20; ++run) {
        QDir(box.Path(QStringLiteral("data/WriteReport/drafts"))).removeRecursively();
        QProcess p;
        p.setProcessEnvironment(box.Environment());
        p.setWorkingDirectory(box.WorkingDirectory());
        QList<QPair<int, qint64>> steps;  // step, when its line arrived
        QElapsedTimer clock;
        QByteArray pending;
        connect(&p, &QProcess::readyReadStandardOutput, &p, [&] {
            pending += p.readAllStandardOutput();
            int nl;
            while ((nl = pending.indexOf('\n')) >= 0) {
                const QByteArray line = pending.left(nl);
                pending.remove(0, nl + 1);
                if (line == "typing") clock.start();
                else if (line.startsWith("step ")) steps.append({line.mid(5).toInt(), clock.elapsed()});
            }
        });
        p.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), typingScript} + Db(db));
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(clock.isValid() || p.state() == QProcess::NotRunning, 60000);
        QVERIFY2(clock.isValid(), p.readAllStandardError().constData());
        const qint64 killAt = 1000 + rng->bounded(6000);
        QTRY_VERIFY_WITH_TIMEOUT(clock.elapsed() >= killAt || p.state() == QProcess::NotRunning, 30000);
        QVERIFY2(p.state() == QProcess::Running, "the typing script ended before the kill");
        const qint64 killedAt = clock.elapsed();
        p.kill();  // SIGKILL: no destructor, no flush
        p.waitForFinished();

        int mustHave = 0;
        for (const auto& [step, when] : steps)
            if (when <= killedAt - 2000) mustHave = qMax(mustHave, step);
        const THostRun r = box.RunScript(QStringLiteral("answer yes\nopen %1\ndump %2\n").arg(kOpenReport, dump), Db(db));
        if (mustHave == 0) {
            // Too early to promise anything: whatever was offered, the host starts cleanly.
            QVERIFY2(r.finished && !r.crashed, qPrintable(r.Describe()));
            continue;
        }
        ++runsWithDraft;
        QVERIFY2(r.finished && r.exitCode == 0, qPrintable(QStringLiteral("run %1, killed at %2 ms, step %3 due: %4")
                                                               .arg(run).arg(killedAt).arg(mustHave).arg(r.Describe())));
        QVERIFY2(r.out.contains(QStringLiteral("恢复草稿")), qPrintable(r.out));
        const QString restored = ReadDumpControls(dump).value(QStringLiteral("memo_beizhu")).toObject().value(QStringLiteral("text")).toString();
        QString expected;
        for (int i = 1; i <= mustHave; ++i) expected += QStringLiteral("词%1 ").arg(i);
        QVERIFY2(restored.startsWith(expected), qPrintable(QStringLiteral("run %1: killed at %2 ms, restored \"%3\", must hold up to step %4")
                                                           .arg(run).arg(killedAt).arg(restored).arg(mustHave)));
    }
    QVERIFY2(runsWithDraft >= 10, qPrintable(QStringLiteral("only %1 runs typed long enough").arg(runsWithDraft)));
}

void TstHostRecovery::draftIsNeverOfferedAfterASuccessfulSave()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    // Typed, the draft written (the pause), then saved: the draft is gone.
    THostRun r = box.RunScript(QStringLiteral("open %1\nunlock\nset Memo_JianYi 保存前的草稿\nwait 2500\n"
                                              "set Memo_JianYi 最后保存的内容\nwait 2500\nsave\n").arg(kOpenReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY(LiveDrafts(box).isEmpty());
    // Opened again (twice, with and without another report in between): no question, since
    // the script queues no answer and any question would fail it.
    r = box.RunScript(QStringLiteral("open %1\nexpect Memo_JianYi 最后保存的内容\nopen %2\nopen %1\n").arg(kOpenReport, kReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0 && !r.out.contains(QStringLiteral("恢复草稿")), qPrintable(r.Describe()));

    // A save that fails keeps the draft; the next successful one removes it.
    {
        auto conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON Report BEGIN SELECT RAISE(ABORT, 'no'); END"));
    }
    r = box.RunScript(QStringLiteral("open %1\nunlock\nset Memo_JianYi 没保存上\nsave expect-error\n").arg(kOpenReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QCOMPARE(LiveDrafts(box).size(), 1);
    {
        auto conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("DROP TRIGGER refuse"));
    }
    r = box.RunScript(QStringLiteral("answer yes\nopen %1\nexpect Memo_JianYi 没保存上\nsave\nopen %1\n").arg(kOpenReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QCOMPARE(r.out.count(QStringLiteral("message box \"恢复草稿\"")), 1);
    QVERIFY(LiveDrafts(box).isEmpty());
    QCOMPARE(Column(db, QStringLiteral("JianYi"), kOpenReport), QStringLiteral("没保存上"));
}

void TstHostRecovery::closeQuestion_data()
{
    QTest::addColumn<QString>("answer");
    QTest::addColumn<bool>("left");
    QTest::addColumn<QString>("stored");
    QTest::addColumn<int>("backups");
    QTest::newRow("保存: saved, then left") << "save" << true << "离开前保存" << 0;
    QTest::newRow("不保存: left, draft to the backup folder") << "discard" << true << "" << 1;
    QTest::newRow("取消: stays on the report") << "cancel" << false << "" << 0;
    QTest::newRow("Esc or the close button: stays") << "close" << false << "" << 0;
}

void TstHostRecovery::closeQuestion()
{
    QFETCH(QString, answer);
    QFETCH(bool, left);
    QFETCH(QString, stored);
    QFETCH(int, backups);
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    const QString before = Column(db, QStringLiteral("JianYi"), kOpenReport);
    const THostRun r = box.RunScript(QStringLiteral("open %1\nunlock\nset Memo_JianYi 离开前保存\nwait 2000\nanswer %2\nopen %3\n")
                                         .arg(kOpenReport, answer, kReport), Db(db));
    // The question names the patient and exam number of the report being left.
    static const QRegularExpression asked(QStringLiteral("choice \"保存报告\": \\S+（US\\d+）的报告正在编辑，是否先保存？ \\[save\\|discard\\|cancel\\]"));
    QVERIFY2(asked.match(r.out).hasMatch(), qPrintable(r.out));
    QCOMPARE(r.finished && r.exitCode == 0, left);
    if (!left) QVERIFY2(r.err.contains(QStringLiteral("kept open")), qPrintable(r.Describe()));
    QCOMPARE(Column(db, QStringLiteral("JianYi"), kOpenReport), stored.isEmpty() ? before : stored);
    QCOMPARE(BackupDrafts(box), backups);
    // Kept open or discarded: never both a live draft and a backup of the same edits.
    QCOMPARE(LiveDrafts(box).size(), answer == QLatin1String("cancel") || answer == QLatin1String("close") ? 1 : 0);
}

void TstHostRecovery::lockedUnchangedSaveWritesNothing()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    const QString rows = ReportRows(db);
    const QString dump = box.Path(QStringLiteral("d.json"));
    // The open sets the review date of this unfinished report; the save must not store it.
    const THostRun r = box.RunScript(QStringLiteral("open %1\nwait 1100\nsave\ndump %2\n").arg(kOpenReport, dump), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QFile f(dump);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(f.readAll()).contains(QStringLiteral("报告已锁定且没有改动，没有保存")));
    QCOMPARE(ReportRows(db), rows);
}

// Item: a report stored with plain text only, and one whose RTF is damaged while its plain
// column is whole: both show the plain text, the damaged one with a notice in the status
// bar, and a save of another section keeps the findings intact.
void TstHostRecovery::storedPlainAndDamagedTextsAreShown()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    const QString plain = Column(db, QStringLiteral("SuoJian"), kOpenReport);
    const QString rtf = Column(db, QStringLiteral("rtf_SuoJian"), kOpenReport);
    {
        auto conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("UPDATE Report SET rtf_SuoJian = '%1' WHERE ruid = '%2'")
                               .arg(rtf.left(rtf.size() / 2).replace(QLatin1Char('\''), QLatin1String("''")), kOpenReport));
    }
    const QString plainFindings = Column(db, QStringLiteral("SuoJian"), kPlainReport);
    const QString dump = box.Path(QStringLiteral("d.json"));
    const THostRun r = box.RunScript(QStringLiteral("open %1\ndump %2\nunlock\nset Memo_JianYi 只改建议\nsave\n"
                                                    "open %3\nunlock\nsave\n").arg(kOpenReport, dump, kPlainReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QFile f(dump);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString dumped = QString::fromUtf8(f.readAll());
    QVERIFY2(dumped.contains(QStringLiteral("影像表现的格式文字已损坏")), qPrintable(dumped.left(600)));
    // The same text (line breaks are stored as CR LF by every save).
    auto same = [](QString a) { return a.remove(QLatin1Char('\r')).trimmed(); };
    QCOMPARE(same(Column(db, QStringLiteral("SuoJian"), kOpenReport)), same(plain));
    QCOMPARE(same(Column(db, QStringLiteral("SuoJian"), kPlainReport)), same(plainFindings));
    QVERIFY(!plainFindings.isEmpty());
}

// A backup restored over the database file by rename while a report is open and unlocked:
// the save is refused, the text stays, and the restored file is untouched and sound.
void TstHostRecovery::backupRestoredByRenameRefusesTheSave()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    const QString backup = box.Path(QStringLiteral("backup.sqlite"));
    QVERIFY(QFile::copy(db, backup));
    {
        // The live file moves on after the backup; the host then writes into its log.
        auto conn = OpenDatabase(db);
        ExecTestSql(*conn, QStringLiteral("UPDATE Report SET BeiZhu = 'after the backup' WHERE ruid = '%1'").arg(kOpenReport));
    }
    const QByteArray backupBytes = FileBytes(backup);
    const QString backupRows = ReportRows(backup);
    QVERIFY(QFile::exists(backup + QStringLiteral("-wal")) == false);

    const QString script = box.WriteFile(QStringLiteral("s.txt"), QStringLiteral(
        "open %1\nunlock\nset Memo_JianYi 还没保存的建议\nsave\nset Memo_JianYi 备份恢复之后的建议\necho ready\nwait 3000\n"
        "save expect-error\nexpect Memo_JianYi 备份恢复之后的建议\nexpect Memo_JianYi.readOnly false\n").arg(kOpenReport).toUtf8());
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.setWorkingDirectory(box.WorkingDirectory());
    p.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), script} + Db(db));
    QVERIFY(p.waitForStarted());
    QByteArray out;
    QTRY_VERIFY_WITH_TIMEOUT((out += p.readAllStandardOutput()).contains("ready") || p.state() == QProcess::NotRunning, 60000);
    QVERIFY2(out.contains("ready"), out.constData());
    QVERIFY(QFile::exists(db + QStringLiteral("-wal")));  // the host's log of the old file
    QVERIFY(::rename(QFile::encodeName(backup).constData(), QFile::encodeName(db).constData()) == 0);
    QVERIFY(p.waitForFinished(60000));
    out += p.readAllStandardOutput();
    const QByteArray err = p.readAllStandardError();
    QVERIFY2(p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0, (out + err).constData());
    QVERIFY2(QString::fromUtf8(out).contains(QStringLiteral("被替换、改名或删除")), out.constData());

    // Unchanged to the byte, no log of the old file left to replay onto it, and sound.
    QCOMPARE(FileBytes(db), backupBytes);
    QFile wal(db + QStringLiteral("-wal"));
    QVERIFY2(!wal.exists() || wal.size() == 0, "a log of the replaced file stayed beside the restored one");
    {
        auto conn = OpenDatabase(db);
        QCOMPARE(QueryTestValue(*conn, QStringLiteral("PRAGMA integrity_check")).AsString(), QStringLiteral("ok"));
    }
    QCOMPARE(ReportRows(db), backupRows);

    // The next action opens the file now at the path: the restored report, editable.
    // The refused edits wait in a draft; discarded here.
    const THostRun again = box.RunScript(QStringLiteral("answer no\nopen %1\nunlock\nset Memo_JianYi 恢复后再保存\nsave\n").arg(kOpenReport), Db(db));
    QVERIFY2(again.finished && again.exitCode == 0, qPrintable(again.Describe()));
    QCOMPARE(Column(db, QStringLiteral("JianYi"), kOpenReport), QStringLiteral("恢复后再保存"));
}

// A file-size limit (ulimit -f) makes the save fail with a message instead of killing the
// host with SIGXFSZ; the text stays in the editor.
void TstHostRecovery::fileSizeLimitFailsTheSave()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    const QString big = QString(60000, QChar(0x80BA));  // 60,000 × 肺: far more than the limit once stored
    const QString script = box.WriteFile(QStringLiteral("s.txt"), QStringLiteral(
        "open %1\nunlock\nset rich_jcsj %2\nsave expect-error\nexpect Memo_JianYi.readOnly false\n").arg(kOpenReport, big).toUtf8());
    QProcess p;
    p.setProcessEnvironment(box.Environment());
    p.setWorkingDirectory(box.WorkingDirectory());
    p.setChildProcessModifier([] {
        const rlimit limit{256 * 1024, 256 * 1024};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    });
    p.start(QStringLiteral(WR_HOST_BINARY), QStringList{QStringLiteral("--script"), script} + Db(db));
    QVERIFY(p.waitForFinished(120000));
    const QString out = QString::fromUtf8(p.readAllStandardOutput() + p.readAllStandardError());
    QVERIFY2(p.exitStatus() == QProcess::NormalExit, qPrintable(QStringLiteral("killed by signal: ") + out.right(2000)));
    QVERIFY2(p.exitCode() == 0 && out.contains(QStringLiteral("save failed as expected")), qPrintable(out.right(3000)));
    QVERIFY(Column(db, QStringLiteral("SuoJian"), kOpenReport).size() < 1000);
}

// A control character in the logged-in doctor's department (it reaches the doctor list's
// SQL) is rejected with a message naming the value, and reports still open.
void TstHostRecovery::controlCharactersInLoginValues()
{
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    ExecTestSql(*OpenDatabase(db), QStringLiteral("UPDATE csdoctor SET kscode = 'US' || char(0, 1) || '01' WHERE code = 'D001'"));
    const THostRun r = box.RunScript(QStringLiteral("open %1\nexpect Memo_JianYi.readOnly true\n").arg(kReport), Db(db));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY2(r.err.contains(QStringLiteral("user's DeptCode holds a control character")), qPrintable(r.Describe()));
}

QTEST_GUILESS_MAIN(TstHostRecovery)
#include "tst_host_recovery.moc"
