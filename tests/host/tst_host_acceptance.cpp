// SPDX-License-Identifier: MIT
// What a doctor and the hospital's IT staff do with the built wr-host, end to end: opens
// that log a caught error still count as opens, no message box waits in a headless run,
// the command line answers without a display, templates appended start their own
// paragraph, and the stored default colour travels with the saved text.
#include "HostProcess.h"
#include "TestDatabase.h"
#include "platform/SqliteDatabase.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QSet>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

namespace {
const QString kReport = QStringLiteral("872ED6A1-21C1-5C5F-9840-95EB856AC250");      // not yet reviewed, has items
const QString kNoItems = QStringLiteral("D1B74DCD-2A3E-5815-AAD4-BA7743F81F05");     // no items yet
const QString kRealPlugin = QStringLiteral(WR_HOST_BINARY).section(QLatin1Char('/'), 0, -2) + QStringLiteral("/libWriteReport.so");

QString ControlText(const QJsonObject& controls, const char* name)
{
    return controls[QLatin1String(name)].toObject()[QStringLiteral("text")].toString();
}
} // namespace

class TstHostAcceptance : public QObject {
    Q_OBJECT
private slots:
    void openJudgedByItsOutcome_data();
    void openJudgedByItsOutcome();
    void screenshotNeverWaitsForABox();
    void commandLineWithoutDisplay_data();
    void commandLineWithoutDisplay();
    void configFolder();
    void appendedTemplateStartsAParagraph();
    void defaultColourIsSaved();
    void datesKeptAsStored();
    void databaseErrorsWithoutSql();
    void patientHeaderAndChangedMarker();
    void windowFillsTheScreen_data();
    void windowFillsTheScreen();

private:
    bool RequirePlugin();
};

bool TstHostAcceptance::RequirePlugin()
{
    if (!WR_PLUGIN_BUILT || !QFileInfo::exists(kRealPlugin)) {
        qWarning("the WriteReport plug-in is not built (%s); editor runs skipped", qPrintable(kRealPlugin));
        return false;
    }
    return true;
}

// The editor catches these, logs one "异常:" line and shows the report: the open succeeded,
// and leaving the unchanged report asks nothing.
void TstHostAcceptance::openJudgedByItsOutcome_data()
{
    QTest::addColumn<QString>("config");
    QTest::addColumn<QString>("breakage");
    QTest::addColumn<QString>("report");
    QTest::newRow("stored font size is not a number")
        << "config set Configuration/TReportForm_Font Size abc\n" << "" << kReport;
    QTest::newRow("item binding procedure missing")
        << "config set /Configuration/TReportForm AutoSelectAllCanUseItem 1\n"
        << "DELETE FROM wr_procedure WHERE name = 'sp_GetAllItemsFromAccnu_DefaustFirst'" << kNoItems;
}

void TstHostAcceptance::openJudgedByItsOutcome()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    QFETCH(QString, config);
    QFETCH(QString, breakage);
    QFETCH(QString, report);
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    if (!breakage.isEmpty()) ExecTestSql(*OpenDatabase(db), breakage);
    const QString other = report == kReport ? kNoItems : kReport;
    const THostRun r = box.RunScript(config + QStringLiteral("open %1\nexpect Memo_JianYi.readOnly true\nunlock\n"
                                                             "open %2\nexpect Memo_JianYi.readOnly true\n").arg(report, other),
                                     QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QVERIFY2(!r.out.contains(QStringLiteral("打开报告失败")), qPrintable(r.out));
    QVERIFY2(!r.out.contains(QStringLiteral("是否先保存")), qPrintable(r.out));
    QFile log(box.Path(QStringLiteral("data/WriteReport/logs/wr-host.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("异常:")));
}

// A list the editor fills at open is gone: the open fails, the host tells the user in a
// box, and a screenshot run must print that box and end, not wait for a click.
void TstHostAcceptance::screenshotNeverWaitsForABox()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    ExecTestSql(*OpenDatabase(db), QStringLiteral("DROP TABLE 图像质量"));
    const QString png = box.Path(QStringLiteral("shot.png"));
    const THostRun r = box.Run(QStringList{QStringLiteral("--db"), db, QStringLiteral("--screenshot"), png,
                                           QStringLiteral("--open"), kReport} + box.LoginAs(QStringLiteral("D001")), 60000);
    QVERIFY2(r.finished && !r.crashed, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(QStringLiteral("message box \"打开报告失败\"")), qPrintable(r.Describe()));
    QCOMPARE(r.exitCode, 5);  // the documented code of a failed screenshot run
    QVERIFY(!QImage(png).isNull());
}

// No display at all: a GUI application would abort before reading the options.
void TstHostAcceptance::commandLineWithoutDisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("out");
    QTest::addColumn<QString>("err");
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Usage: wr-host [options]" << "";
    QTest::newRow("version") << QStringList{"--version"} << 0 << "plug-in WriteReport " << "";
    QTest::newRow("unknown option") << QStringList{"--frobnicate"} << 2 << "" << "Unknown option";
    QTest::newRow("bad role") << QStringList{"--role", "admin"} << 2 << "" << "--role needs";
    QTest::newRow("Qt's own option is not the host's") << QStringList{"-reverse", "--help"} << 0 << "--config" << "";
}

void TstHostAcceptance::commandLineWithoutDisplay()
{
    QFETCH(QStringList, args);
    QFETCH(int, exitCode);
    QFETCH(QString, out);
    QFETCH(QString, err);
    THostSandbox box;
    box.SetEnv(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    box.SetEnv(QStringLiteral("DISPLAY"), QString());
    box.SetEnv(QStringLiteral("WAYLAND_DISPLAY"), QString());
    const THostRun r = box.Run(args, 30000);
    QVERIFY2(r.finished && !r.crashed && r.exitCode == exitCode, qPrintable(r.Describe()));
    QVERIFY2(r.out.contains(out) && r.err.contains(err), qPrintable(r.Describe()));
    if (QTest::currentDataTag() == QLatin1String("version")) {
        QVERIFY2(r.out.startsWith(QStringLiteral("wr-host ")), qPrintable(r.out));
        QVERIFY2(r.out.contains(QFileInfo(kRealPlugin).fileName()) || !QFileInfo::exists(kRealPlugin), qPrintable(r.out));
    }
}

void TstHostAcceptance::configFolder()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    // A folder: one file per user inside it, as in the default folder.
    const QString folder = box.Path(QStringLiteral("settings"));
    QDir().mkpath(folder);
    const THostRun r = box.RunScript(QStringLiteral("config set Host Modality MR\n"), {QStringLiteral("--config"), folder});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QFile ini(folder + QStringLiteral("/doctor.ini"));
    QVERIFY(ini.open(QIODevice::ReadOnly));
    QVERIFY(ini.readAll().contains("Modality=MR"));
    QVERIFY(!QFile::exists(box.ConfigFile()));

    // A file that can never be written: refused at start, not run without settings.
    const QString blocker = box.WriteFile(QStringLiteral("plain-file"), "x");
    const THostRun bad = box.RunScript(QStringLiteral("config set Host Modality MR\n"),
                                       {QStringLiteral("--config"), blocker + QStringLiteral("/doctor.ini")});
    QVERIFY2(bad.finished && bad.exitCode == 2, qPrintable(bad.Describe()));
    QVERIFY2(bad.err.contains(QStringLiteral("cannot write the configuration file")), qPrintable(bad.Describe()));
}

void TstHostAcceptance::appendedTemplateStartsAParagraph()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString dump = box.Path(QStringLiteral("append.json"));
    const THostRun r = box.RunScript(QStringLiteral(
        "open %1\n"
        "unlock\n"
        "check tb_Check_Add on\n"
        "set rich_jcsj 肝脏：形态大小正常。\n"
        "set rich_zdjx 胆囊多发结石伴胆囊炎\\n轻度脂肪肝\n"
        "pick template 腹部/胆囊结石\n"
        "click lab_yxbx\n"
        "pick template jl:肝胆胰脾未见异常\n"
        "click lab_zdyx\n"
        "dump %2\n").arg(kReport, dump));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    const QJsonObject c = ReadDumpControls(dump);
    const QStringList jl = ControlText(c, "rich_zdjx").split(QLatin1Char('\n'));
    QVERIFY2(jl.size() >= 4, qPrintable(jl.join(QLatin1Char('|'))));
    QCOMPARE(jl.at(0), QStringLiteral("胆囊多发结石伴胆囊炎"));
    QCOMPARE(jl.at(1), QStringLiteral("轻度脂肪肝"));
    QVERIFY2(jl.at(2).startsWith(QStringLiteral("胆囊多发结石")), qPrintable(jl.join(QLatin1Char('|'))));
    QCOMPARE(jl.last(), QStringLiteral("肝、胆、胰、脾未见明显异常。"));
    const QStringList sj = ControlText(c, "rich_jcsj").split(QLatin1Char('\n'));
    QCOMPARE(sj.at(0), QStringLiteral("肝脏：形态大小正常。"));
    QVERIFY2(sj.size() > 1 && sj.at(1).startsWith(QStringLiteral("肝脏：")), qPrintable(sj.join(QLatin1Char('|'))));
}

void TstHostAcceptance::defaultColourIsSaved()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral(
        "config set Configuration/TReportForm_Font color clRed\n"
        "open %1\n"
        "unlock\n"
        "set rich_jcsj 红色的所见\n"
        "save\n").arg(kReport));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    auto conn = OpenDatabase(box.DemoDatabase());
    const QString rtf = QueryTestValue(*conn, QStringLiteral("SELECT rtf_SuoJian FROM Report WHERE ruid = '%1'").arg(kReport)).AsString();
    QVERIFY2(rtf.contains(QStringLiteral("\\red255\\green0\\blue0")), qPrintable(rtf));
    QVERIFY2(rtf.contains(QStringLiteral("\\cf1")), qPrintable(rtf));

    // Reopened with the window-text default, the text is still red.
    const QString dump = box.Path(QStringLiteral("reopen.json"));
    const THostRun reopen = box.RunScript(QStringLiteral(
        "config set Configuration/TReportForm_Font color clWindowText\nopen %1\ndump %2\n").arg(kReport, dump));
    QVERIFY2(reopen.finished && reopen.exitCode == 0, qPrintable(reopen.Describe()));
    const QJsonArray fragments = ReadDumpControls(dump)[QStringLiteral("rich_jcsj")].toObject()[QStringLiteral("fragments")].toArray();
    QVERIFY(!fragments.isEmpty());
    QCOMPARE(fragments.at(0).toObject()[QStringLiteral("color")].toString(), QStringLiteral("#ff0000"));
}

// An unset report date shows empty and stays unset; a date before year 100 stays as it was.
void TstHostAcceptance::datesKeptAsStored()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    ExecTestSql(*OpenDatabase(db), QStringLiteral("UPDATE Report SET ReportDate = '0050-03-01 08:00:00.000' WHERE ruid = '%1'").arg(kReport));
    const THostRun r = box.RunScript(QStringLiteral(
        "open %1\nexpect L_ReportDate \"\"\nunlock\nset Memo_JianYi 新\nsave\n"
        "open %2\nexpect L_ReportDate 0050-03-01\nunlock\nset Memo_JianYi 新\nsave\n").arg(kNoItems, kReport),
        QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    auto conn = OpenDatabase(db);
    const QString unset = QueryTestValue(*conn, QStringLiteral("SELECT ReportDate FROM Report WHERE ruid = '%1'").arg(kNoItems)).AsString();
    QVERIFY2(unset.isEmpty() || unset.startsWith(QStringLiteral("1899-12-30 00:00:00")), qPrintable(unset));
    QCOMPARE(QueryTestValue(*conn, QStringLiteral("SELECT ReportDate FROM Report WHERE ruid = '%1'").arg(kReport)).AsString(),
             QStringLiteral("0050-03-01 08:00:00.000"));
}

// The doctor reads the database's reason, not the statement behind it; the log keeps both.
void TstHostAcceptance::databaseErrorsWithoutSql()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const QString db = CreateTestDatabaseFile(box.Path(QString()), true);
    ExecTestSql(*OpenDatabase(db), QStringLiteral("CREATE TRIGGER refuse_update BEFORE UPDATE ON Report "
                                                  "BEGIN SELECT RAISE(ABORT, 'database is write-protected'); END"));
    const QString dump = box.Path(QStringLiteral("failed.json"));
    const THostRun r = box.RunScript(QStringLiteral("open %1\nunlock\nset Memo_JianYi 新\nsave expect-error\ndump %2\n").arg(kReport, dump),
                                     QStringList{QStringLiteral("--db"), db} + box.LoginAs(QStringLiteral("D001")));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    QStringList boxes;
    for (const QString& line : r.out.split(QLatin1Char('\n')))
        if (line.startsWith(QStringLiteral("message box"))) boxes << line;
    QVERIFY2(!boxes.isEmpty(), qPrintable(r.out));
    for (const QString& line : boxes) {
        QVERIFY2(line.contains(QStringLiteral("database is write-protected")), qPrintable(line));
        QVERIFY2(!line.contains(QStringLiteral("SQL:")), qPrintable(line));
    }
    QFile f(dump);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QString status = QJsonDocument::fromJson(f.readAll()).object()[QStringLiteral("status")].toString();
    QVERIFY2(status.contains(QStringLiteral("保存失败")) && !status.contains(QStringLiteral("SQL:")), qPrintable(status));
    QFile log(box.Path(QStringLiteral("data/WriteReport/logs/wr-host.log")));
    QVERIFY(log.open(QIODevice::ReadOnly));
    QVERIFY(QString::fromUtf8(log.readAll()).contains(QStringLiteral("(SQL: ")));
}

// The window says whose report it is and whether it holds unsaved changes.
void TstHostAcceptance::patientHeaderAndChangedMarker()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    THostSandbox box;
    const THostRun r = box.RunScript(QStringLiteral(
        "open %1\n"
        "expect patientHeader \"陈晓梅　女　38岁　检查号 US20240520003　甲状腺及颈部淋巴结\"\n"
        "expect reportChanged \"\"\n"
        "unlock\n"
        "expect reportChanged \"\"\n"
        "set Memo_JianYi 建议复查\n"
        "expect reportChanged 已修改\n"
        "set rich_jcsj 新的所见\n"
        "expect reportChanged 已修改\n"
        "save\n"
        "expect reportChanged \"\"\n"
        "open %2\n"
        "expect patientHeader.visible true\n").arg(kReport, kNoItems));
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
}

// The window takes the screen's available area, whatever its size; the screenshots of both
// sizes stay in build/screenshots for a look.
void TstHostAcceptance::windowFillsTheScreen_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::newRow("1366x768") << 1366 << 768;
    QTest::newRow("1920x1080") << 1920 << 1080;
}

void TstHostAcceptance::windowFillsTheScreen()
{
    if (!RequirePlugin()) QSKIP("plug-in not built");
    QFETCH(int, width);
    QFETCH(int, height);
    THostSandbox box;
    const QString screen = box.WriteFile(QStringLiteral("screen.json"),
        QStringLiteral("{\"screens\":[{\"name\":\"s\",\"x\":0,\"y\":0,\"width\":%1,\"height\":%2,"
                       "\"logicalDpi\":96,\"logicalBaseDpi\":96,\"dpr\":1}]}").arg(width).arg(height).toUtf8());
    box.SetEnv(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + screen);
    const QString png = QStringLiteral(WR_BINARY_DIR "/screenshots/host-%1x%2.png").arg(width).arg(height);
    QFile::remove(png);
    const THostRun r = box.Run({QStringLiteral("--screenshot"), png, QStringLiteral("--open"), kReport});
    QVERIFY2(r.finished && r.exitCode == 0, qPrintable(r.Describe()));
    const QImage image(png);
    QCOMPARE(image.size(), QSize(width, height));
    // The status bar at the bottom is inside the picture: its row is not blank.
    QSet<QRgb> bottom;
    for (int x = 0; x < width; x += 3) bottom.insert(image.pixel(x, height - 10));
    QVERIFY(bottom.size() > 3);
}

QTEST_GUILESS_MAIN(TstHostAcceptance)
#include "tst_host_acceptance.moc"
