// SPDX-License-Identifier: MIT
// The host's parts without a database: script language, configuration store, log, fonts,
// RTF helpers, command line, scripted message boxes, control access, picker dialogs and
// plug-in loading (against deliberately broken plug-ins).
#include "app/ConfigStore.h"
#include "script/ControlAccess.h"
#include "app/Fonts.h"
#include "app/HostLog.h"
#include "shell/HostMainForm.h"
#include "app/HostOptions.h"
#include "app/HostSafety.h"
#include "pickers/PickerDialogs.h"
#include "app/PluginLoader.h"
#include "pickers/TemplateTransfer.h"
#include "script/ScriptParser.h"
#include "script/ScriptSession.h"
#include "platform/ClassRegistry.h"
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QJsonArray>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QRawFont>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QToolButton>

class TstHostParts : public QObject {
    Q_OBJECT
private slots:
    void scriptParses_data();
    void scriptParses();
    void scriptRejects_data();
    void scriptRejects();
    void scriptFailureDiscardsEveryCommand();

    void configAbsentKeysReadEmptyZeroFalse();
    void configRoundTrip_data();
    void configRoundTrip();
    void configFlagsAndNumbers_data();
    void configFlagsAndNumbers();
    void configLeadingSlashIsTheSameSection();
    void configWriteFailureIsReportedNotThrown();

    void logLineFormat();
    void logAppendsAndRotates();

    void fontChoice_data();
    void fontChoice();

    void symbolFontDrawsEveryGlyph();
    void rtfPlainText_data();
    void rtfPlainText();
    void rtfBytesAreSevenBit();

    void options_data();
    void options();

    void scriptedBoxes();
    void loginValuesWithControlCharacters();
    void standardButtonsInChinese();

    void controlText_data();
    void controlText();
    void controlRefusesLockedControls();
    void controlCheckAndClick();
    void controlDump();

    void listPickerChoices();
    void templatePickerSelects();
    void symbolPickerSelects();

    void pluginLoadFailures_data();
    void pluginLoadFailures();
};

// ---------------------------------------------------------------------------------------
void TstHostParts::scriptParses_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("text");

    QTest::newRow("open takes the GUID") << "open 60B67F58-DC6A" << "open" << QStringList{"60B67F58-DC6A"} << "";
    QTest::newRow("comments and blank lines are skipped") << "# note\n\n   unlock" << "unlock" << QStringList{} << "";
    QTest::newRow("CR LF line ends") << "open G1\r\n" << "open" << QStringList{"G1"} << "";
    QTest::newRow("set keeps the blanks of a quoted text")
        << "set memo_lczd \"  两个  空格  \"" << "set" << QStringList{"memo_lczd"} << "  两个  空格  ";
    QTest::newRow("set drops trailing blanks of a bare text") << "set edt_weiJiZhi 12   " << "set"
                                                              << QStringList{"edt_weiJiZhi"} << "12";
    QTest::newRow("set with nothing clears") << "set Memo_JianYi" << "set" << QStringList{"Memo_JianYi"} << "";
    QTest::newRow("escapes give line breaks and quotes")
        << "set Memo_JianYi 第一行\\n第二行 \\\"引\\\" \\\\" << "set" << QStringList{"Memo_JianYi"}
        << "第一行\n第二行 \"引\" \\";
    QTest::newRow("pick keeps the rest of the line")
        << "pick template sj:腹部/胆囊结石" << "pick" << QStringList{"template"} << "sj:腹部/胆囊结石";
    QTest::newRow("config set takes a value with blanks")
        << "config set Configuration/TReportForm Key a b" << "config"
        << QStringList{"set", "Configuration/TReportForm", "Key"} << "a b";
    QTest::newRow("save may expect an error") << "save expect-error" << "save" << QStringList{"expect-error"} << "";
    QTest::newRow("expect with a property") << "expect memo_lczd.readOnly true" << "expect"
                                            << QStringList{"memo_lczd.readOnly"} << "true";
    QTest::newRow("dump to a file with blanks in its name") << "dump /tmp/a b.json" << "dump" << QStringList{}
                                                            << "/tmp/a b.json";
}

void TstHostParts::scriptParses()
{
    QFETCH(QString, source);
    const TScriptParseResult r = ParseScript(source);
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    QCOMPARE(r.commands.size(), 1);
    QTEST(r.commands.at(0).name, "name");
    QTEST(r.commands.at(0).args, "args");
    QTEST(r.commands.at(0).text, "text");
}

void TstHostParts::scriptRejects_data()
{
    QTest::addColumn<QString>("source");
    QTest::addColumn<QString>("message");
    QTest::newRow("unknown command") << "frobnicate x" << "line 1: unknown command 'frobnicate'";
    QTest::newRow("the line number of the bad line") << "unlock\n\nbogus" << "line 3:";
    QTest::newRow("open without a GUID") << "open" << "'open' needs 1 argument";
    QTest::newRow("unlock with an argument") << "unlock now" << "unexpected 'now'";
    QTest::newRow("check with neither on nor off") << "check Check_YinYiang maybe" << "'on' or 'off'";
    QTest::newRow("answer outside the known set") << "answer perhaps" << "answer needs yes, no";
    QTest::newRow("a reason after another answer than override") << "answer fix now" << "only 'answer override' takes a text";
    QTest::newRow("check with one word") << "check Check_YinYiang" << "check takes no words";
    QTest::newRow("critical tell without the phone") << "critical tell 王护士 心内科" << "NAME DEPT PHONE and then readback";
    QTest::newRow("critical tell ending in another word") << "critical tell 王护士 心内科 8021 ok" << "then readback";
    QTest::newRow("critical with an unknown verb") << "critical forget x" << "pick, tell or register";
    QTest::newRow("pick of an unknown picker") << "pick colour red" << "unknown picker 'colour'";
    QTest::newRow("pick without a value") << "pick method" << "'pick' needs a text";
    QTest::newRow("save with another word") << "save quickly" << "'expect-error'";
    QTest::newRow("a lone backslash") << "set a b\\" << "lone backslash";
    QTest::newRow("an unknown escape") << "set a b\\q" << "unknown escape \\q";
    QTest::newRow("config get with a value") << "config get S K V" << "section and a key only";
    QTest::newRow("config with another verb") << "config drop S K" << "'get' or 'set'";
    QTest::newRow("screenshot without a file") << "screenshot" << "'screenshot' needs a text";
}

void TstHostParts::scriptRejects()
{
    QFETCH(QString, source);
    QFETCH(QString, message);
    const TScriptParseResult r = ParseScript(source);
    QVERIFY2(r.error.contains(message), qPrintable(r.error));
}

void TstHostParts::scriptFailureDiscardsEveryCommand()
{
    const TScriptParseResult r = ParseScript(QStringLiteral("open G\nunlock\nsave\nbogus"));
    QVERIFY(!r.error.isEmpty());
    QVERIFY(r.commands.isEmpty());
}

// ---------------------------------------------------------------------------------------
void TstHostParts::configAbsentKeysReadEmptyZeroFalse()
{
    QTemporaryDir dir;
    TConfigStore c(dir.filePath(QStringLiteral("no-such.ini")));
    QCOMPARE(c.ReadString(QStringLiteral("Configuration/TReportForm"), QStringLiteral("X")), QString());
    QCOMPARE(c.ReadInteger(QStringLiteral("Configuration/TReportForm"), QStringLiteral("X")), 0);
    QCOMPARE(c.ReadBool(QStringLiteral("Configuration/TReportForm"), QStringLiteral("X")), false);
    QVERIFY(!QFile::exists(c.FileName()));  // reading creates nothing
}

void TstHostParts::configRoundTrip_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("comma is not a list") << "宽,强";
    QTest::newRow("enclosing quotes") << "\"quoted\"";
    QTest::newRow("leading and trailing blanks") << "  padded  ";
    QTest::newRow("equals and semicolon") << "a=b;c";
    QTest::newRow("font description") << "微软雅黑,10,clWindowText";
    QTest::newRow("empty") << "";
}

void TstHostParts::configRoundTrip()
{
    QFETCH(QString, value);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sub/user.ini"));
    TConfigStore(file).WriteString(QStringLiteral("Configuration/TReportForm_Font"), QStringLiteral("Font"), value);
    QCOMPARE(TConfigStore(file).ReadString(QStringLiteral("Configuration/TReportForm_Font"), QStringLiteral("Font")), value);
}

void TstHostParts::configFlagsAndNumbers_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("flag");
    QTest::addColumn<int>("number");
    QTest::newRow("1") << "1" << true << 1;
    QTest::newRow("0") << "0" << false << 0;
    QTest::newRow("true in any case") << "TRUE" << true << 0;
    QTest::newRow("false") << "false" << false << 0;
    QTest::newRow("yes") << "yes" << true << 0;
    QTest::newRow("other number") << "2" << true << 2;
    QTest::newRow("negative number") << "-3" << true << -3;
    QTest::newRow("garbage") << "abc" << false << 0;
}

void TstHostParts::configFlagsAndNumbers()
{
    QFETCH(QString, stored);
    QTemporaryDir dir;
    TConfigStore c(dir.filePath(QStringLiteral("u.ini")));
    QVERIFY(c.WriteString(QStringLiteral("S"), QStringLiteral("K"), stored));
    QTEST(c.ReadBool(QStringLiteral("S"), QStringLiteral("K")), "flag");
    QTEST(c.ReadInteger(QStringLiteral("S"), QStringLiteral("K")), "number");
}

void TstHostParts::configLeadingSlashIsTheSameSection()
{
    QTemporaryDir dir;
    TConfigStore c(dir.filePath(QStringLiteral("u.ini")));
    c.WriteBool(QStringLiteral("/Configuration/TReportForm"), QStringLiteral("AutoSelectAllCanUseItem"), true);
    QVERIFY(c.ReadBool(QStringLiteral("Configuration/TReportForm"), QStringLiteral("AutoSelectAllCanUseItem")));
    c.WriteInteger(QStringLiteral("Configuration/TReportForm"), QStringLiteral("Cbx_ShenHedoctor_index"), 3);
    QCOMPARE(c.ReadInteger(QStringLiteral("/Configuration/TReportForm"), QStringLiteral("Cbx_ShenHedoctor_index")), 3);
    QCOMPARE(c.SectionValues(QStringLiteral("Configuration/TReportForm")),
             (QStringList{"AutoSelectAllCanUseItem=1", "Cbx_ShenHedoctor_index=3"}));
}

void TstHostParts::configWriteFailureIsReportedNotThrown()
{
    QTemporaryDir dir;
    QStringList logged;
    TConfigStore c(dir.filePath(QStringLiteral("u.ini")), [&](const QString&, const QString& m) { logged << m; });
    QVERIFY(c.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("old")));
    // A value with a line break cannot live in an INI line: refused, the old value stays.
    QVERIFY(!c.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("a\nb")));
    QCOMPARE(c.ReadString(QStringLiteral("S"), QStringLiteral("K")), QStringLiteral("old"));
    QCOMPARE(logged.size(), 1);
    // A configuration "file" that is a folder cannot be written either.
    TConfigStore folder(dir.path(), [&](const QString&, const QString& m) { logged << m; });
    QVERIFY(!folder.WriteString(QStringLiteral("S"), QStringLiteral("K"), QStringLiteral("v")));
    QCOMPARE(logged.size(), 2);
}

// ---------------------------------------------------------------------------------------
void TstHostParts::logLineFormat()
{
    const QDateTime when(QDate(2024, 5, 20), QTime(8, 30, 1, 25));
    QCOMPARE(THostLog::FormatLine(when, QStringLiteral(" TReportForm.SaveReportInfoToDB"), QStringLiteral("异常:disk full")),
             QStringLiteral("2024-05-20 08:30:01.025 [ TReportForm.SaveReportInfoToDB] 异常:disk full\n"));
    // Continuation lines are indented, so every entry still starts with a time stamp.
    QCOMPARE(THostLog::FormatLine(when, QStringLiteral("T"), QStringLiteral("select *\r\nfrom Report\rwhere 1")),
             QStringLiteral("2024-05-20 08:30:01.025 [T] select *\n    from Report\n    where 1\n"));
    // A value out of a damaged row reaches the file as text: its NUL escaped, its bulk cut.
    const QString line = THostLog::FormatLine(when, QStringLiteral("T"), QStringLiteral("异常:'a") + QChar(0) + QString(10000, u'x'));
    QVERIFY2(line.startsWith(QStringLiteral("2024-05-20 08:30:01.025 [T] 异常:'a\\x00xx")) && line.size() < 4100
                 && line.endsWith(QStringLiteral("…[10006 chars]\n")),
             qPrintable(line.left(80)));
}

void TstHostParts::logAppendsAndRotates()
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("logs/wr-host.log"));
    {
        THostLog log;
        QVERIFY(log.Open(file));
        QStringList seen;
        log.onEntry = [&](const QString& t, const QString&) { seen << t; };
        log.Write(QStringLiteral("a"), QStringLiteral("one"));
        log.Write(QStringLiteral("b"), QStringLiteral("two"));
        QCOMPARE(seen, (QStringList{"a", "b"}));
    }
    QFile f(file);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QList<QByteArray> lines = f.readAll().split('\n');
    QCOMPARE(lines.size(), 3);
    QVERIFY(lines.at(0).endsWith("[a] one"));
    QVERIFY(lines.at(1).endsWith("[b] two"));
    f.close();

    QVERIFY(f.resize(THostLog::kRotateBytes));
    THostLog log;
    QVERIFY(log.Open(file));
    log.Write(QStringLiteral("c"), QStringLiteral("three"));
    QCOMPARE(QFileInfo(file + QStringLiteral(".1")).size(), THostLog::kRotateBytes);
    QVERIFY(QFileInfo(file).size() < 100);

    THostLog bad;
    QString error;
    QVERIFY(!bad.Open(dir.path(), &error));  // a folder is no log file
    QVERIFY(error.contains(dir.path()));
}

// ---------------------------------------------------------------------------------------
void TstHostParts::fontChoice_data()
{
    QTest::addColumn<QStringList>("installed");
    QTest::addColumn<QString>("sans");
    QTest::addColumn<QString>("serif");
    QTest::newRow("WenQuanYi only serves both") << QStringList{"DejaVu Sans", "WenQuanYi Micro Hei"}
                                                << "WenQuanYi Micro Hei" << "WenQuanYi Micro Hei";
    QTest::newRow("Noto preferred, with a serif for 宋体")
        << QStringList{"WenQuanYi Micro Hei", "Noto Serif CJK SC", "Noto Sans CJK SC"} << "Noto Sans CJK SC"
        << "Noto Serif CJK SC";
    QTest::newRow("names match without case") << QStringList{"noto sans cjk sc"} << "noto sans cjk sc" << "noto sans cjk sc";
    QTest::newRow("no CJK font") << QStringList{"DejaVu Sans", "Liberation Serif"} << "" << "";
}

void TstHostParts::fontChoice()
{
    QFETCH(QStringList, installed);
    const TFontMapping m = ChooseCjkFonts(installed);
    QTEST(m.sans, "sans");
    QTEST(m.serif, "serif");
}

// ---------------------------------------------------------------------------------------
void TstHostParts::symbolFontDrawsEveryGlyph()
{
    // WenQuanYi Micro Hei maps ℃ to an empty glyph; the symbol button must not be blank.
    const TFontMapping m = InstallCjkFontSubstitutes();
    if (m.sans.isEmpty()) QSKIP("no CJK font installed");
    for (const QString& symbol : {QStringLiteral("℃"), QStringLiteral("±"), QStringLiteral("㎡")}) {
        const QFont f = FontDrawing(QFont(m.sans), symbol);
        const QRawFont raw = QRawFont::fromFont(f);
        const QList<quint32> glyphs = raw.glyphIndexesForString(symbol);
        QVERIFY2(!glyphs.isEmpty() && glyphs.at(0) != 0 && !raw.pathForGlyph(glyphs.at(0)).isEmpty(), qPrintable(symbol));
    }
    // A font that draws the text is kept as it is.
    QCOMPARE(FontDrawing(QFont(m.sans), QStringLiteral("肝")).family(), QFont(m.sans).family());
}

void TstHostParts::rtfPlainText_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::newRow("GBK bytes with a font table")
        << QByteArray("{\\rtf1\\ansi\\ansicpg936{\\fonttbl{\\f0\\fcharset134 \\'cb\\'ce\\'cc\\'e5;}}"
                      "{\\colortbl ;\\red255\\green0\\blue0;}\\f0\\fs24 \\'b8\\'ce\\'d4\\'e0\\par\n"
                      "\\b \\'b5\\'a8\\'c4\\'d2\\b0\\par}")
        << QStringLiteral("肝脏\n胆囊");
    QTest::newRow("unicode escapes skip their fallback")
        << QByteArray("{\\rtf1\\uc1 \\u32925?\\u-30275?x}") << QStringLiteral("肝覽x");
    QTest::newRow("escaped braces and backslash") << QByteArray("{\\rtf1 a\\{b\\}c\\\\d}") << QStringLiteral("a{b}c\\d");
    QTest::newRow("ignorable destinations") << QByteArray("{\\rtf1{\\*\\generator Riched20;}{\\info{\\title t}}ok}")
                                            << QStringLiteral("ok");
    QTest::newRow("tab") << QByteArray("{\\rtf1 a\\tab b}") << QStringLiteral("a\tb");
    QTest::newRow("cut off after a backslash") << QByteArray("{\\rtf1 abc\\") << QStringLiteral("abc");
    QTest::newRow("cut off inside a hex escape") << QByteArray("{\\rtf1 abc\\'c") << QStringLiteral("abc");
    QTest::newRow("unbalanced closing braces") << QByteArray("}}{\\rtf1 x}}}") << QStringLiteral("x");
}

void TstHostParts::rtfPlainText()
{
    QFETCH(QByteArray, rtf);
    QTEST(RtfPlainText(rtf), "text");
}

void TstHostParts::rtfBytesAreSevenBit()
{
    const QString text = QStringLiteral("肝脏{大小}正常\\ 50%\n第二行");
    const QString rtf = PlainTextToRtf(text);
    QVERIFY(LooksLikeRtf(rtf));
    QVERIFY(!LooksLikeRtf(text));
    const QByteArray bytes = RtfBytes(rtf);
    for (const char c : bytes) QVERIFY(static_cast<unsigned char>(c) < 128);
    QCOMPARE(RtfPlainText(bytes), text);
    QCOMPARE(RtfBytes(QStringLiteral("{\\rtf1 abc}")), QByteArray("{\\rtf1 abc}"));
}

// ---------------------------------------------------------------------------------------
void TstHostParts::options_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("error");
    QTest::newRow("every option") << QStringList{"--db", "x.sqlite", "--plugin", "p.so", "--config", "c.ini", "--log",
                                                 "l.log", "--verbose", "--user", "王", "--user-code", "D9", "--dept",
                                                 "US02", "--role", "4", "--screenshot", "s.png", "--open", "G"}
                                  << "";
    QTest::newRow("role must be a number") << QStringList{"--role", "admin"} << "--role needs";
    QTest::newRow("screenshot and script exclude each other") << QStringList{"--screenshot", "a.png", "--script", "b"}
                                                             << "cannot be combined";
    QTest::newRow("stray argument") << QStringList{"report.sqlite"} << "Unexpected argument";
    QTest::newRow("unknown option") << QStringList{"--colour"} << "colour";
    QTest::newRow("option without its value") << QStringList{"--db"} << "db";
}

void TstHostParts::options()
{
    QFETCH(QStringList, args);
    QFETCH(QString, error);
    const THostOptionsResult r = ParseHostOptions(QStringList{"wr-host"} + args);
    if (!error.isEmpty()) {
        QVERIFY2(r.error.contains(error), qPrintable(r.error));
        return;
    }
    QVERIFY2(r.error.isEmpty(), qPrintable(r.error));
    const THostOptions& o = r.options;
    QCOMPARE(o.db, QStringLiteral("x.sqlite"));
    QCOMPARE(o.plugin, QStringLiteral("p.so"));
    QCOMPARE(o.configFile, QStringLiteral("c.ini"));
    QCOMPARE(o.logFile, QStringLiteral("l.log"));
    QVERIFY(o.verbose);
    QCOMPARE(o.userName, QStringLiteral("王"));
    QCOMPARE(o.userCode, QStringLiteral("D9"));
    QCOMPARE(o.deptCode, QStringLiteral("US02"));
    QCOMPARE(o.roleId, 4);
    QCOMPARE(o.screenshot, QStringLiteral("s.png"));
    QCOMPARE(o.openGuid, QStringLiteral("G"));
}

// ---------------------------------------------------------------------------------------
void TstHostParts::scriptedBoxes()
{
    TScriptSession s;
    QStringList printed;
    s.print = [&](const QString& l) { printed << l; };
    TScriptDialogService d(s);
    s.answers << QStringLiteral("no") << QStringLiteral("ok");

    TMessageRequest info;
    info.caption = QStringLiteral("提示");
    info.text = QStringLiteral("第一行\r\n第二行");
    QCOMPARE(d.MessageBox(info), TMsgResult::Ok);  // an OK box takes no scripted answer
    QCOMPARE(printed.at(0), QStringLiteral("message box \"提示\": 第一行\\n第二行"));
    QCOMPARE(s.answers.size(), 2);

    TMessageRequest q;
    q.caption = QStringLiteral("阴阳性强制检查");
    q.buttons = TMsgButtons::YesNo;
    QCOMPARE(d.MessageBox(q), TMsgResult::No);
    QVERIFY(s.errors.isEmpty());
    QCOMPARE(d.MessageBox(q), TMsgResult::Closed);  // "ok" does not fit a yes/no question
    QVERIFY(s.errors.value(0).contains(QStringLiteral("does not fit")));
    QCOMPARE(d.MessageBox(q), TMsgResult::Closed);  // nothing queued
    QVERIFY(s.errors.value(1).contains(QStringLiteral("no 'answer' was queued")));

    // A choice window takes its choices' ids; yes/no still answer the save question, "close"
    // is its escape choice, and an id it does not offer is an error.
    s.errors.clear();
    TChoiceRequest leave;
    leave.caption = QStringLiteral("保存报告");
    leave.choiceIds = {QStringLiteral("save"), QStringLiteral("discard"), QStringLiteral("cancel")};
    leave.choiceTexts = {QStringLiteral("保存"), QStringLiteral("不保存"), QStringLiteral("取消")};
    leave.escapeChoice = 2;
    s.answers = QStringList{QStringLiteral("discard"), QStringLiteral("yes"), QStringLiteral("no"), QStringLiteral("close"),
                            QStringLiteral("keep-mine")};
    QCOMPARE(d.Choose(leave), 1);
    QCOMPARE(d.Choose(leave), 0);
    QCOMPARE(d.Choose(leave), 1);
    QCOMPARE(d.Choose(leave), 2);
    QVERIFY(s.errors.isEmpty());
    QCOMPARE(d.Choose(leave), 2);
    QVERIFY(s.errors.value(0).contains(QStringLiteral("does not fit")));
    QCOMPARE(d.Choose(leave), 2);
    QVERIFY(s.errors.value(1).contains(QStringLiteral("no 'answer' was queued")));
}

// ---------------------------------------------------------------------------------------
void TstHostParts::loginValuesWithControlCharacters()
{
    QCOMPARE(ControlCharacterIn(QStringLiteral("US01")), QString());
    QCOMPARE(ControlCharacterIn(QStringLiteral("张医生")), QString());
    QCOMPARE(ControlCharacterIn(QString::fromUtf8("US\0" "01", 5)), QStringLiteral("U+0000 AT POSITION 3"));
    QVERIFY(!ControlCharacterIn(QStringLiteral("a\tb")).isEmpty());
    QVERIFY(!ControlCharacterIn(QStringLiteral("a\x7f")).isEmpty());

    THostLogin login{QStringLiteral("张医生"), QStringLiteral("D0\r01"), QString::fromUtf8("US\0" "01", 5), 1};
    QStringList messages;
    QCOMPARE(RejectUnsafeLoginValues(login, [&](const QString& m) { messages << m; }), 2);
    QCOMPARE(login.userName, QStringLiteral("张医生"));
    QVERIFY(login.userCode.isEmpty() && login.deptCode.isEmpty());
    QCOMPARE(messages.size(), 2);
    QVERIFY(messages.at(0).contains(QStringLiteral("user's UserCode")));
    QVERIFY(messages.at(1).contains(QStringLiteral("user's DeptCode")));
}

void TstHostParts::standardButtonsInChinese()
{
    if (!InstallQtChineseTranslation(*QCoreApplication::instance()))
        QSKIP("Qt's Chinese translation (qt6-translations-l10n) is not installed");
    QMessageBox box;
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Cancel | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Cancel)->text().remove(QLatin1Char('&')).left(2), QStringLiteral("取消"));
    QVERIFY(box.button(QMessageBox::Save)->text().startsWith(QStringLiteral("保存")));
    QVERIFY(box.button(QMessageBox::Yes)->text().startsWith(QStringLiteral("是")));
}

// ---------------------------------------------------------------------------------------
namespace {
struct TControls {
    QWidget root;
    QLineEdit* edit = new QLineEdit(&root);
    QPlainTextEdit* memo = new QPlainTextEdit(&root);
    QTextEdit* rich = new QTextEdit(&root);
    QComboBox* list = new QComboBox(&root);
    QComboBox* editable = new QComboBox(&root);
    QDateEdit* date = new QDateEdit(&root);
    QCheckBox* check = new QCheckBox(QStringLiteral("阳性"), &root);
    QToolButton* button = new QToolButton(&root);
    QAction* action = new QAction(QStringLiteral("保存"), &root);

    TControls()
    {
        root.setObjectName(QStringLiteral("root"));
        edit->setObjectName(QStringLiteral("edt"));
        memo->setObjectName(QStringLiteral("memo"));
        rich->setObjectName(QStringLiteral("rich"));
        list->setObjectName(QStringLiteral("list"));
        list->addItems({QStringLiteral("优"), QStringLiteral("良")});
        editable->setObjectName(QStringLiteral("editable"));
        editable->setEditable(true);
        editable->addItems({QStringLiteral("王建国"), QStringLiteral("李秀英")});
        date->setObjectName(QStringLiteral("date"));
        check->setObjectName(QStringLiteral("chk"));
        button->setObjectName(QStringLiteral("btn"));
        action->setObjectName(QStringLiteral("act"));
        action->setCheckable(true);
    }
};
} // namespace

void TstHostParts::controlText_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("error");
    QTest::addColumn<QString>("shown");
    QTest::newRow("line edit") << "edt" << "危急" << "" << "危急";
    QTest::newRow("memo keeps line breaks") << "memo" << "一\n二" << "" << "一\n二";
    QTest::newRow("rich edit") << "rich" << "所见" << "" << "所见";
    QTest::newRow("list item chosen") << "list" << "良" << "" << "良";
    QTest::newRow("list without the item") << "list" << "差" << "offers no item '差'" << "优";
    QTest::newRow("editable combo takes a new text") << "editable" << "陈静" << "" << "陈静";
    QTest::newRow("date in ISO form") << "date" << "2024-05-20" << "" << "2024-05-20";
    QTest::newRow("date that is no date") << "date" << "20.5.2024" << "is not a date" << "2000-01-01";
    QTest::newRow("check box takes no text") << "chk" << "x" << "takes no text" << "阳性";
}

void TstHostParts::controlText()
{
    QFETCH(QString, name);
    QFETCH(QString, input);
    QFETCH(QString, error);
    TControls c;
    QSignalSpy activated(c.list, &QComboBox::activated);
    QObject* o = FindControl(&c.root, name);
    QVERIFY(o);
    QString e;
    QCOMPARE(SetControlText(o, input, &e), error.isEmpty());
    QVERIFY2(e.contains(error), qPrintable(e));
    QString shown;
    QVERIFY(ControlProperty(o, &c.root, QString(), &shown, &e));
    QTEST(shown, "shown");
    if (name == QLatin1String("list") && error.isEmpty()) QCOMPARE(activated.size(), 1);  // chosen as by a click
}

void TstHostParts::controlRefusesLockedControls()
{
    TControls c;
    c.memo->setPlainText(QStringLiteral("原文"));
    c.memo->setReadOnly(true);
    c.edit->setEnabled(false);
    QString e;
    QVERIFY(!SetControlText(c.memo, QStringLiteral("新"), &e));
    QVERIFY(e.contains(QStringLiteral("read-only")));
    QCOMPARE(c.memo->toPlainText(), QStringLiteral("原文"));
    QVERIFY(!SetControlText(c.edit, QStringLiteral("新"), &e));
    QVERIFY(e.contains(QStringLiteral("disabled")));
    QString v;
    QVERIFY(ControlProperty(c.memo, &c.root, QStringLiteral("readOnly"), &v, &e));
    QCOMPARE(v, QStringLiteral("true"));
    QVERIFY(ControlProperty(c.edit, &c.root, QStringLiteral("enabled"), &v, &e));
    QCOMPARE(v, QStringLiteral("false"));
    QVERIFY(!ControlProperty(c.edit, &c.root, QStringLiteral("colour"), &v, &e));
    QVERIFY(!FindControl(&c.root, QStringLiteral("nothing")));
}

void TstHostParts::controlCheckAndClick()
{
    TControls c;
    c.root.show();
    QSignalSpy checkClicks(c.check, &QCheckBox::clicked);
    QString e;
    QVERIFY(SetControlChecked(c.check, true, &e));
    QVERIFY(c.check->isChecked());
    QVERIFY(SetControlChecked(c.check, true, &e));  // already ticked: no second click
    QCOMPARE(checkClicks.size(), 1);
    QVERIFY(SetControlChecked(c.action, true, &e));
    QVERIFY(c.action->isChecked());
    QVERIFY(!SetControlChecked(c.button, true, &e));  // not checkable
    QSignalSpy buttonClicks(c.button, &QToolButton::clicked);
    QVERIFY(ClickControl(c.button, &e));
    QCOMPARE(buttonClicks.size(), 1);
    c.button->hide();
    QVERIFY(!ClickControl(c.button, &e));
    QVERIFY(e.contains(QStringLiteral("hidden")));
    c.button->show();
    c.button->setEnabled(false);
    QVERIFY(!ClickControl(c.button, &e));
    QVERIFY(e.contains(QStringLiteral("disabled")));
    QCOMPARE(buttonClicks.size(), 1);
}

void TstHostParts::controlDump()
{
    TControls c;
    c.rich->setHtml(QStringLiteral("<b>粗</b>细"));
    c.memo->setReadOnly(true);
    const QJsonObject d = DumpControls(&c.root);
    for (const char* n : {"root", "edt", "memo", "rich", "list", "editable", "date", "chk", "btn", "act"})
        QVERIFY2(d.contains(QLatin1String(n)), n);
    for (const QString& key : d.keys()) QVERIFY2(!key.startsWith(QLatin1String("qt_")), qPrintable(key));
    QCOMPARE(d[QStringLiteral("memo")].toObject()[QStringLiteral("readOnly")].toBool(), true);
    QCOMPARE(d[QStringLiteral("list")].toObject()[QStringLiteral("items")].toArray().size(), 2);
    QCOMPARE(d[QStringLiteral("chk")].toObject()[QStringLiteral("checked")].toBool(), false);
    const QJsonArray frags = d[QStringLiteral("rich")].toObject()[QStringLiteral("fragments")].toArray();
    QCOMPARE(frags.size(), 2);
    QCOMPARE(frags.at(0).toObject()[QStringLiteral("bold")].toBool(), true);
    QCOMPARE(frags.at(1).toObject()[QStringLiteral("bold")].toBool(), false);
}

// ---------------------------------------------------------------------------------------
namespace {
TPickerEntry Entry(const QString& id, const QString& text, bool enabled = true, bool checked = false)
{
    TPickerEntry e;
    e.id = id;
    e.text = text;
    e.enabled = enabled;
    e.checked = checked;
    if (!enabled) e.note = QStringLiteral("已被其它报告页面使用");
    return e;
}
} // namespace

void TstHostParts::listPickerChoices()
{
    const QList<TPickerEntry> items{Entry("1", "肝胆胰脾", true, true), Entry("2", "双肾输尿管"),
                                    Entry("3", "甲状腺", false), Entry("4", "乳腺")};
    TListPickerDialog multi(TPickerKind::Item, items, true);
    QCOMPARE(multi.Chosen().size(), 1);  // what the report already holds starts ticked
    QString e;
    QVERIFY(multi.SelectTexts({QStringLiteral("乳腺"), QStringLiteral("双肾输尿管")}, &e));
    const QList<TPickerEntry> chosen = multi.Chosen();
    QCOMPARE(chosen.size(), 2);  // in list order, whatever the order asked
    QCOMPARE(chosen.at(0).id, QStringLiteral("2"));
    QCOMPARE(chosen.at(1).id, QStringLiteral("4"));
    QVERIFY(!multi.SelectTexts({QStringLiteral("甲状腺")}, &e));
    QVERIFY(e.contains(QStringLiteral("cannot be chosen")));
    QVERIFY(!multi.SelectTexts({QStringLiteral("心脏")}, &e));
    QVERIFY(e.contains(QStringLiteral("is not offered")));
    QCOMPARE(multi.Chosen().size(), 2);  // a refused choice changes nothing

    TListPickerDialog single(TPickerKind::Method, {Entry("7", "经腹部超声检查"), Entry("8", "彩色多普勒超声检查")}, false);
    QVERIFY(!single.SelectTexts({QStringLiteral("经腹部超声检查"), QStringLiteral("彩色多普勒超声检查")}, &e));
    QVERIFY(single.SelectTexts({QStringLiteral("彩色多普勒超声检查")}, &e));
    QCOMPARE(single.Chosen().size(), 1);
    QCOMPARE(single.Chosen().at(0).id, QStringLiteral("8"));
}

void TstHostParts::templatePickerSelects()
{
    TPickerEntry a = Entry("1", "肝胆胰脾未见异常");
    a.group = QStringLiteral("腹部");
    a.rtfSuoJian = QStringLiteral("{\\rtf1 s}");
    TPickerEntry b = Entry("2", "肝胆胰脾未见异常");
    b.group = QStringLiteral("体检");
    TTemplatePickerDialog d({a, b});
    QString e;
    QVERIFY(d.Select(QStringLiteral("体检/肝胆胰脾未见异常"), true, false, &e));
    QCOMPARE(d.Chosen()->id, QStringLiteral("2"));
    QVERIFY(d.PasteSuoJian());
    QVERIFY(!d.PasteJieLun());
    QVERIFY(d.Select(QStringLiteral("肝胆胰脾未见异常"), false, true, &e));  // a bare name: the first with it
    QCOMPARE(d.Chosen()->id, QStringLiteral("1"));
    QVERIFY(!d.Select(QStringLiteral("腹部/不存在"), true, true, &e));
    QVERIFY(e.contains(QStringLiteral("腹部/肝胆胰脾未见异常")));
}

void TstHostParts::symbolPickerSelects()
{
    TSymbolPickerDialog d({Entry("", "°"), Entry("", "±")});
    QString e;
    QVERIFY(d.Chosen().isEmpty());
    QVERIFY(d.Select(QStringLiteral("±"), &e));
    QCOMPARE(d.Chosen(), QStringLiteral("±"));
    QVERIFY(!d.Select(QStringLiteral("×"), &e));
}

// ---------------------------------------------------------------------------------------
void TstHostParts::pluginLoadFailures_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<bool>("loads");
    QTest::addColumn<QString>("error");
    const QString dir = QStringLiteral(WR_BROKEN_PLUGIN_DIR "/");
    QTest::newRow("missing file") << dir + "libnothing.so" << false << "plug-in file not found";
    QTest::newRow("not a library") << QStringLiteral(WR_SOURCE_DIR "/README.md") << false << "cannot load the plug-in";
    QTest::newRow("class under another name") << dir + "libwr_broken_plugin_1.so" << true
                                              << "does not register the class TReportForm (registered: TOtherForm)";
    QTest::newRow("form without IBPLFuncTion") << dir + "libwr_broken_plugin_2.so" << true
                                               << "does not implement IBPLFuncTion";
    QTest::newRow("wrong class type") << dir + "libwr_broken_plugin_3.so" << true << "answers class type 999, the host expects 1002";
    QTest::newRow("factory throws") << dir + "libwr_broken_plugin_4.so" << true
                                    << "creating TReportForm failed: the form's resources are missing";
}

void TstHostParts::pluginLoadFailures()
{
    QFETCH(QString, file);
    QFETCH(bool, loads);
    QFETCH(QString, error);
    QWidget parent;
    QString e;
    {
        TPluginLoader loader;
        QCOMPARE(loader.Load(file, &e), loads);
        if (loads) {
            TLoadedForm form;
            QVERIFY(!loader.CreateForm(QStringLiteral("TReportForm"), kReportFormClassType, &parent, &form, &e));
            QVERIFY(!form.widget && !form.report);
            loader.Unload();
        }
    }
    QVERIFY2(e.contains(error), qPrintable(e));
    QVERIFY(parent.findChildren<QWidget*>().isEmpty());  // a rejected form is not left behind
    // Unloading ran the plug-in's finalization, which removed its class again.
    QVERIFY(!GetClass(QStringLiteral("TReportForm")));
    QVERIFY(!GetClass(QStringLiteral("TOtherForm")));
}

QTEST_MAIN(TstHostParts)
#include "tst_host_parts.moc"
