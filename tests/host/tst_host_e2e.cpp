// SPDX-License-Identifier: MIT
// End-to-end runs of the built wr-host: start-up failures end cleanly with a message and an
// exit code; with the real plug-in, scripts open, edit, save and reopen reports on a fresh
// demo database, drive the pickers and template paste, survive a database that refuses
// the save, and render the window to a PNG.
#include "HostProcess.h"
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QJsonArray>
#include <QTest>

namespace {
const QString kReport = QStringLiteral("60B67F58-DC6A-5A04-8D05-A2659B224C7D");       // US20240520001, state 5
const QString kTwoPageReport = QStringLiteral("D1B74DCD-2A3E-5815-AAD4-BA7743F81F05");  // US20240521001, free items
const QString kRealPlugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");

// Sections the configuration hides by default; scripts show them before opening.
const char* const kShowSections = "config set Configuration/TReportForm panel_jcpart_Visible 1\n"
                                  "config set Configuration/TReportForm panel_jcmethod_Visible 1\n"
                                  "config set Configuration/TReportForm panel_lczd_Visible 1\n";
} // namespace

class TstHostE2e : public QObject {
    Q_OBJECT
private slots:
    void startupFailures_data();
    void startupFailures();
    void firstRunBuildsTheDemoDatabase();

    void scriptFailures_data();
    void scriptFailures();
    void editSaveReopenRoundTrip();
    void pickersFillTheirSections();
    void templatePaste();
    void forcedPositiveQuestion();
    void leavingAnEditedReport_data();
    void leavingAnEditedReport();
    void brokenDatabaseSave_data();
    void brokenDatabaseSave();
    void screenshotOfAnOpenReport();

private:
    bool RequirePlugin();
};

bool TstHostE2e::RequirePlugin()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) {
        qWarning("the WriteReport plug-in is not built (%s); editor runs skipped", qPrintable(kRealPlugin));
        return false;
    }
    return true;
}

// ---------------------------------------------------------------------------------------
void TstHostE2e::startupFailures_data()
{
    QTest::addColumn<QString>("setup");   // what to create first
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    const QString broken = QStringLiteral(WR_BROKEN_PLUGIN_DIR "/libwr_broken_plugin_%1.so");
    QTest::newRow("missing database file") << "" << QStringList{"--db", "@/none.sqlite"} << 4 << "database file not found";
    QTest::newRow("file that is not a database") << "garbage" << QStringList{"--db", "@/bad.sqlite"} << 4
                                                 << "file is not a database";
    QTest::newRow("database without the report tables") << "empty" << QStringList{"--db", "@/empty.sqlite"} << 4
                                                        << "is not a usable report database";
    QTest::newRow("unknown ODBC data source") << "" << QStringList{"--db", "DSN=wr_host_no_such_dsn"} << 4
                                              << "cannot open the database DSN=wr_host_no_such_dsn";
    QTest::newRow("missing plug-in file") << "" << QStringList{"--plugin", "@/libWriteReport.so"} << 3
                                          << "plug-in file not found";
    QTest::newRow("plug-in without the class") << "" << QStringList{"--plugin", broken.arg(1)} << 3
                                               << "does not register the class TReportForm";
    QTest::newRow("plug-in form without IBPLFuncTion") << "" << QStringList{"--plugin", broken.arg(2)} << 3
                                                       << "does not implement IBPLFuncTion";
    QTest::newRow("plug-in of another class type") << "" << QStringList{"--plugin", broken.arg(3)} << 3
                                                   << "answers class type 999";
    QTest::newRow("plug-in whose factory throws") << "" << QStringList{"--plugin", broken.arg(4)} << 3
                                                  << "the form's resources are missing";
    QTest::newRow("script with an unknown command") << "script" << QStringList{"--script", "@/bad.txt"} << 1
                                                    << "bad.txt: line 2: unknown command 'frobnicate'";
    QTest::newRow("missing script") << "" << QStringList{"--script", "@/none.txt"} << 1 << "cannot read the script";
    QTest::newRow("unknown option") << "" << QStringList{"--frobnicate"} << 2 << "Unknown option";
}

void TstHostE2e::startupFailures()
{
    QFETCH(QString, setup);
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    THostSandbox box;
    if (setup == QLatin1String("garbage")) box.WriteFile(QStringLiteral("bad.sqlite"), QByteArray(4096, 'x'));
    if (setup == QLatin1String("empty")) {
        const QString sql = box.WriteFile(QStringLiteral("t.sql"), "CREATE TABLE other (a TEXT);");
        CreateSqliteDatabase(box.Path(QStringLiteral("empty.sqlite")), {sql});
    }
    if (setup == QLatin1String("script")) box.WriteFile(QStringLiteral("bad.txt"), "open " + kReport.toUtf8() + "\nfrobnicate\n");
    for (QString& a : args) a.replace(QLatin1Char('@'), box.Path(QString()));
    const THostRun r = box.Run(args);
    QVERIFY2(r.finished && !r.crashed, qPrintable(r.Describe()));
    QVERIFY2(r.exitCode == exitCode, qPrintable(r.Describe()));
    QVERIFY2(r.err.contains(message), qPrintable(r.Describe()));
}

void TstHostE2e::firstRunBuildsTheDemoDatabase()
{
    THostSandbox box;
    QVERIFY(!QFile::exists(box.DemoDatabase()));
    // Stopped at the plug-in, after the database step.
    const THostRun r = box.Run({QStringLiteral("--plugin"), box.Path(QStringLiteral("none.so"))});
    QCOMPARE(r.exitCode, 3);
    QVERIFY(QFile::exists(box.DemoDatabase()));
    auto conn = OpenDatabase(box.DemoDatabase());
    QVERIFY(QueryTestValue(*conn, QStringLiteral("SELECT COUNT(*) FROM Report")).AsInteger() > 5);
    // The demo doctor logged in by himself; his code is remembered, no password is.
    QFile ini(box.ConfigFile());
    QVERIFY(ini.open(QIODevice::ReadOnly));
    const QString config = QString::fromUtf8(ini.readAll());
    QVERIFY2(config.contains(QStringLiteral("UserCode=D001")), qPrintable(config));
    QVERIFY(!config.contains(QStringLiteral("demo1234")));
    QVERIFY(config.contains(QStringLiteral("panel_lczd_Visible=1")));  // a first look shows every section
    // The log file records the run.
    QFile log(box.Path(QStringLiteral("data/WriteReport/logs/wr-host.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    const QByteArray logText = log.readAll();
    QVERIFY(logText.contains("demo database created"));
    QVERIFY(logText.contains("logged in: D001") && logText.contains("automatically on the demo database"));
}

// ---------------------------------------------------------------------------------------
void TstHostE2e::scriptFailures_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("message");
    const QString open = QString::fromLatin1(kShowSections) + QStringLiteral("open ") + kReport + QLatin1Char('\n');
    QTest::newRow("unknown report") << "open 00000000-0000-0000-0000-000000000000"
                                    << ":1: open: no report with GUID 00000000";
    QTest::newRow("typing into a locked report") << open + "set Memo_JianYi 新" << ": set: Memo_JianYi is read-only";
    QTest::newRow("unknown control") << open + "click sb_nothing" << "no control named 'sb_nothing'";
    QTest::newRow("caption of a section the configuration hides")
        << "config set Configuration/TReportForm panel_lczd_Visible 0\nopen " + kReport + "\nclick lab_lczd"
        << "click: lab_lczd is hidden";
    QTest::newRow("expectation not met") << open + "expect memo_lczd 不是这个" << "expected \"不是这个\"";
    QTest::newRow("picker without a scripted choice") << open + "click lab_lczd"
                                                      << "the lczd picker opened but no 'pick lczd ...' was queued";
    QTest::newRow("picker given another picker's choice") << open + "pick method 经腹部超声检查\nclick lab_lczd"
                                                          << "is for method";
    QTest::newRow("choice the picker does not offer") << open + "pick lczd 不存在的诊断\nclick lab_lczd"
                                                      << "'不存在的诊断' is not offered";
    QTest::newRow("answer never asked for") << open + "answer yes" << "1 queued answer(s) were never asked for";
}

void TstHostE2e::scriptFailures()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    QFETCH(QString, script);
    QFETCH(QString, message);
    THostSandbox box;
    const THostRun r = box.RunScript(script);
    QVERIFY2(r.finished && !r.crashed && r.exitCode == 1, qPrintable(r.Describe()));
    QVERIFY2(r.err.contains(message), qPrintable(r.Describe()));
}

void TstHostE2e::editSaveReopenRoundTrip()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    // Every kind of control the doctor edits: memos, rich edits, an edit, a check box,
    // dictionary and doctor combos, a date picker and the hip-joint combos.
    const QList<QPair<QString, QString>> edits{
        {"memo_jcmethod", "经腹部超声检查（空腹）"},
        {"Memo_jcpart", "肝脏,胆囊"},
        {"memo_lczd", "右上腹痛三天"},
        {"Memo_JianYi", "建议一个月后复查。\n如有不适随诊。"},
        {"memo_beizhu", "备注：患者饮水后检查"},
        {"rich_jcsj", "肝脏：形态大小正常。\n胆囊：壁毛糙，厚约0.4cm。"},
        {"rich_zdjx", "胆囊壁毛糙"},
        {"edt_weiJiZhi", "无"},
        {"Cbx_TanTouRate", "5-12MHz线阵"},
        {"cbx_jcTuJing", "经直肠"},
        {"cbx_ImageQuality", "中"},
        {"Cbx_ReportDoctor", "李秀英"},
        {"cbx_ExamDoctor", "刘洋"},
        {"Cbx_HuiZhenDoctor", "陈静"},
        {"L_ReportDate", "2024-06-01"},
        {"Cbx_kgj_Left_BaseLine", "平直"},
        {"Cbx_kgj_Right_rgyc", "宽,强"},
        {"Cbx_kgj_Left_α", "62"},
        {"Cbx_kgj_Right_β", "自由文字"},
    };
    QString script = QString::fromLatin1(kShowSections) + QStringLiteral("open %1\nanswer yes\nunlock\n").arg(kReport);
    for (const auto& e : edits) {
        QString text = e.second;
        script += QStringLiteral("set %1 %2\n").arg(e.first, text.replace(QLatin1Char('\n'), QLatin1String("\\n")));
    }
    script += QStringLiteral("check Check_YinYiang on\nsave\ndump %1\n").arg(box.Path(QStringLiteral("before.json")));
    const THostRun edit = box.RunScript(script);
    QVERIFY2(edit.finished && edit.exitCode == 0, qPrintable(edit.Describe()));

    // A new process: nothing survives but what the database and configuration hold.
    const THostRun reopen = box.RunScript(QString::fromLatin1(kShowSections)
                                          + QStringLiteral("open %1\ndump %2\n").arg(kReport, box.Path(QStringLiteral("after.json"))));
    QVERIFY2(reopen.finished && reopen.exitCode == 0, qPrintable(reopen.Describe()));

    const QJsonObject before = ReadDumpControls(box.Path(QStringLiteral("before.json")));
    const QJsonObject after = ReadDumpControls(box.Path(QStringLiteral("after.json")));
    QVERIFY(!before.isEmpty() && !after.isEmpty());
    for (const auto& e : edits) {
        QCOMPARE(before[e.first].toObject()[QStringLiteral("text")].toString(), e.second);
        QCOMPARE(after[e.first].toObject()[QStringLiteral("text")].toString(), e.second);
    }
    QCOMPARE(after[QStringLiteral("Check_YinYiang")].toObject()[QStringLiteral("checked")].toBool(), true);
    // Beyond the edited controls, the reopened report shows what was on screen at the save.
    for (auto it = before.begin(); it != before.end(); ++it) {
        const QJsonObject b = it.value().toObject(), a = after[it.key()].toObject();
        if (b.contains(QStringLiteral("text")) && !b.contains(QStringLiteral("items")))
            QVERIFY2(a[QStringLiteral("text")] == b[QStringLiteral("text")], qPrintable(it.key()));
        if (b.contains(QStringLiteral("checked")))
            QVERIFY2(a[QStringLiteral("checked")] == b[QStringLiteral("checked")], qPrintable(it.key()));
    }
    // The reopened report is read-only again.
    QCOMPARE(after[QStringLiteral("Memo_JianYi")].toObject()[QStringLiteral("readOnly")].toBool(), true);
    auto conn = OpenDatabase(box.DemoDatabase());
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT lczd FROM Report WHERE ruid = '%1'").arg(kReport)).AsString(),
             QStringLiteral("右上腹痛三天"));
}

void TstHostE2e::pickersFillTheirSections()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString script = QString::fromLatin1(kShowSections) + QStringLiteral(
        "open %1\n"
        "unlock\n"
        "pick item 双肾输尿管|肝胆胰脾\n"
        "click sb_jcitem\n"
        "expect Memo_jcItem 肝胆胰脾,双肾输尿管\n"
        "pick method 彩色多普勒超声检查\n"
        "click sb_jcMethod\n"
        "expect memo_jcmethod 彩色多普勒超声检查\n"
        "pick part 胆囊|肝脏\n"
        "click Lab_jcpart\n"
        "expect Memo_jcpart 肝脏,胆囊\n"
        "pick lczd 腹痛待查\n"
        "click lab_lczd\n"
        "expect memo_lczd 腹痛待查\n"
        "pick jianyi 建议3个月后复查。\n"
        "click lab_Jianyi\n"
        "expect Memo_JianYi 建议3个月后复查。\n"
        "pick beizhu 患者配合欠佳。\n"
        "click lab_beizhu\n"
        "expect memo_beizhu 患者配合欠佳。\n"
        "set rich_jcsj 大小约2.1\n"
        "focus rich_jcsj\n"
        "pick symbol ×\n"
        "click Tb_tsfh\n"
        "expect rich_jcsj 大小约2.1×\n"
        "save\n").arg(kTwoPageReport);
    const THostRun r = box.RunScript(script);
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    // The picked items are bound to this page in the database, so the other page of the
    // accession can no longer take them.
    auto conn = OpenDatabase(box.DemoDatabase());
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT group_concat(ItemName, ',') FROM (SELECT ItemName FROM ExamItem "
                                                  "WHERE ReportGuid = '%1' ORDER BY ItemOrder)").arg(kTwoPageReport)).AsString(),
             QStringLiteral("肝胆胰脾,双肾输尿管"));
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ItemName FROM Report WHERE ruid = '%1'").arg(kTwoPageReport)).AsString(),
             QStringLiteral("肝胆胰脾,双肾输尿管"));
}

void TstHostE2e::templatePaste()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString script = QStringLiteral(
        "open %1\n"
        "answer yes\n"  // kReport is final: unlocking it asks first
        "unlock\n"
        "set rich_jcsj 旧的所见\n"
        "set rich_zdjx 旧的结论\n"
        "pick template 腹部/胆囊结石\n"
        "click lab_yxbx\n"
        "dump %2\n"
        "pick template jl:肝胆胰脾未见异常\n"
        "click lab_zdyx\n"
        "dump %3\n").arg(kReport, box.Path(QStringLiteral("both.json")), box.Path(QStringLiteral("jl.json")));
    const THostRun r = box.RunScript(script);
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));

    const QJsonObject both = ReadDumpControls(box.Path(QStringLiteral("both.json")));
    const QString sj = both[QStringLiteral("rich_jcsj")].toObject()[QStringLiteral("text")].toString();
    const QString jl = both[QStringLiteral("rich_zdjx")].toObject()[QStringLiteral("text")].toString();
    // Replace mode (追加 unticked): the template replaced the old text, formatting included.
    QVERIFY2(sj.startsWith(QStringLiteral("肝脏：形态大小正常")) && !sj.contains(QStringLiteral("旧的所见")), qPrintable(sj));
    QVERIFY2(sj.contains(QStringLiteral("最大约1.2×0.9cm")), qPrintable(sj));
    QVERIFY2(jl.contains(QStringLiteral("胆囊多发结石")) && !jl.contains(QStringLiteral("旧的结论")), qPrintable(jl));
    bool boldSeen = false;
    for (const auto& f : both[QStringLiteral("rich_zdjx")].toObject()[QStringLiteral("fragments")].toArray())
        boldSeen |= f.toObject()[QStringLiteral("bold")].toBool();
    QVERIFY(boldSeen);

    // "jl:" fills the impression only.
    const QJsonObject only = ReadDumpControls(box.Path(QStringLiteral("jl.json")));
    QCOMPARE(only[QStringLiteral("rich_jcsj")].toObject()[QStringLiteral("text")].toString(), sj);
    QCOMPARE(only[QStringLiteral("rich_zdjx")].toObject()[QStringLiteral("text")].toString(), QStringLiteral("肝、胆、胰、脾未见明显异常。"));

    // The model files hold the last template of each section, as RTF.
    QFile model(box.ProgramDir() + QStringLiteral("/Temp/Model/jl.rtf"));
    QVERIFY(model.open(QIODevice::ReadOnly));
    const QByteArray rtf = model.readAll();
    QVERIFY(rtf.startsWith("{\\rtf1"));
    QVERIFY(QFile::exists(box.ProgramDir() + QStringLiteral("/Temp/Model/sj.rtf")));
}

void TstHostE2e::forcedPositiveQuestion()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral(
        "config set Configuration/TReportForm BForcceYinYangXingCheck 1\n"
        "open %1\n"
        "answer yes\n"  // kReport is final: unlocking it asks first
        "click actionUnlock\n"
        "check Check_YinYiang on\n"
        "answer no\n"
        "click actionSave\n"
        "expect Check_YinYiang.checked false\n"
        "lock\n"
        "config get Configuration/TReportForm BForcceYinYangXingCheck\n").arg(kReport));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("message box \"阴阳性强制检查\"")), qPrintable(r.out));
    QVERIFY(r.out.contains(QStringLiteral("answered no")));
    // The tool-bar actions are the ones a doctor uses (Ctrl+E, Ctrl+S).
    auto conn = OpenDatabase(box.DemoDatabase());
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT YinYangXing FROM Report WHERE ruid = '%1'").arg(kReport)).AsBoolean(), false);
}

void TstHostE2e::leavingAnEditedReport_data()
{
    QTest::addColumn<QString>("steps");     // between unlocking report A and opening report B
    QTest::addColumn<bool>("asked");
    QTest::addColumn<QString>("stored");    // JianYi of report A afterwards
    QTest::newRow("unlocked but unchanged: no question") << "" << false << "";
    QTest::newRow("changed and saved: no question") << "set Memo_JianYi 已保存的\nsave\n" << false << "已保存的";
    QTest::newRow("changed, answer yes: saved first") << "set Memo_JianYi 先保存\nanswer yes\n" << true << "先保存";
    QTest::newRow("changed, answer no: discarded") << "set Memo_JianYi 不要了\nanswer no\n" << true << "";
}

void TstHostE2e::leavingAnEditedReport()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    QFETCH(QString, steps);
    QFETCH(bool, asked);
    QFETCH(QString, stored);
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral("open %1\nanswer yes\nunlock\n%2open %3\nexpect Memo_JianYi.readOnly true\n")
                                         .arg(kReport, steps, kTwoPageReport));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QCOMPARE(r.out.contains(QStringLiteral("的报告正在编辑，是否先保存？")), asked);
    auto conn = OpenDatabase(box.DemoDatabase());
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT JianYi FROM Report WHERE ruid = '%1'").arg(kReport)).AsString(), stored);
}

void TstHostE2e::brokenDatabaseSave_data()
{
    QTest::addColumn<QStringList>("breakage");
    QTest::addColumn<QString>("message");
    QTest::newRow("save procedure deleted") << QStringList{"DELETE FROM wr_procedure WHERE name = 'sp_SaveReportInfo'"}
                                            << "sp_SaveReportInfo";
    // Root ignores file permissions, so a read-only database is made the honest way: the
    // database itself refuses every write to the table.
    QTest::newRow("database refuses writes")
        << QStringList{"CREATE TRIGGER refuse_update BEFORE UPDATE ON Report "
                       "BEGIN SELECT RAISE(ABORT, 'database is write-protected'); END",
                       "CREATE TRIGGER refuse_insert BEFORE INSERT ON Report "
                       "BEGIN SELECT RAISE(ABORT, 'database is write-protected'); END"}
        << "database is write-protected";
}

void TstHostE2e::brokenDatabaseSave()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    QFETCH(QStringList, breakage);
    QFETCH(QString, message);
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    {
        auto conn = OpenDatabase(db);
        for (const QString& statement : breakage) ExecTestSql(*conn, statement);
    }
    const THostRun r = box.RunScript(QString::fromLatin1(kShowSections) + QStringLiteral(
        "open %1\n"
        "answer yes\n"  // kReport is final: unlocking it asks first
        "unlock\n"
        "set Memo_JianYi 新的建议\n"
        "save expect-error\n"
        "expect Memo_JianYi 新的建议\n"
        "expect Memo_JianYi.readOnly false\n"
        "set memo_beizhu 还能继续编辑\n").arg(kReport), QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001")));
    // The error reached the user, and the host went on with the next commands.
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("save failed as expected")) && r.out.contains(message), qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("message box")), qPrintable(r.out));
    auto conn = OpenDatabase(db);
    QVERIFY(QueryTestValue(*conn, QStringLiteral("SELECT JianYi FROM Report WHERE ruid = '%1'").arg(kReport)).AsString()
            != QStringLiteral("新的建议"));

    // The edits that never reached the database are offered back as a draft on the next
    // open; restored, they are an unsaved edit, and without "expect-error" the same save
    // fails the script.
    const THostRun plain = box.RunScript(QStringLiteral("answer yes\nopen %1\nsave\n").arg(kReport), QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(plain.finished && plain.exitCode == 1, qPrintable(plain.Describe()));
    QVERIFY2(plain.out.contains(QStringLiteral("恢复草稿")) && plain.out.contains(QStringLiteral("还能继续编辑")),
             qPrintable(plain.Describe()));
    QVERIFY2(plain.err.contains(QStringLiteral(":3: save:")), qPrintable(plain.Describe()));
}

void TstHostE2e::screenshotOfAnOpenReport()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString png = QStringLiteral(WR_BINARY_DIR "/screenshots/host.png");
    QFile::remove(png);
    // The GUID as another system might spell it: GUIDs match without case.
    const THostRun r = box.Run({QStringLiteral("--screenshot"), png, QStringLiteral("--open"), kReport.toLower()});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY(r.out.contains(png));
    QImage image(png);
    QVERIFY(!image.isNull());
    QVERIFY(image.width() >= 1000 && image.height() >= 700);
    // A rendered window, not a blank rectangle: many distinct colours.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7) colours.insert(image.pixel(x, y));
    QVERIFY2(colours.size() > 50, qPrintable(QString::number(colours.size())));
}

QTEST_GUILESS_MAIN(TstHostE2e)
#include "tst_host_e2e.moc"
