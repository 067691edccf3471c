// SPDX-License-Identifier: MIT
// Opening and saving reports end to end: a real database, the form driven through its
// interfaces, controls found by objectName.
#include "WorkflowFixture.h"
#include "rtf/Rtf.h"
#include <QCheckBox>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>

namespace {
const QString kForm = QStringLiteral("Configuration/TReportForm");
const QString kSaveTitle = QStringLiteral("ReportForm.SaveReportInfoToDB");

TReportInfo RichSample(const QString& ruid)
{
    TReportInfo r = SampleReport(ruid);
    r.Frtf_SuoJian = QString::fromLatin1(FormattedRtf(QStringLiteral("肝脏"), QStringLiteral("大小形态正常"), QStringLiteral("胆囊壁光滑")));
    r.Frtf_JieLun = QString::fromLatin1(FormattedRtf(QStringLiteral("结论:"), QStringLiteral("未见异常"), QStringLiteral("建议复查")));
    r.FBeiZhu = QStringLiteral("第一行\r\n第二行");
    return r;
}

// The first character of the document is bold and red, the rest of its paragraph is not.
bool FormattingKept(QTextEdit* re)
{
    const QTextBlock first = re->document()->firstBlock();
    QTextCursor c(first);
    c.movePosition(QTextCursor::NextCharacter);
    const QTextCharFormat head = c.charFormat();
    c.movePosition(QTextCursor::EndOfBlock);
    const QTextCharFormat tail = c.charFormat();
    return head.fontWeight() == QFont::Bold && head.foreground().color() == QColor(255, 0, 0) &&
           tail.fontWeight() != QFont::Bold;
}
} // namespace

class TWorkflowOpenSaveTest : public QObject {
    Q_OBJECT
private slots:
    void init() { m_f = std::make_unique<TWorkflowFixture>(); }
    void cleanup() { m_f.reset(); }
    void openShowsEveryFieldAndEndsLocked();
    void openOfAFreshRowFillsTheDefaults();
    void saveThenOpenGivesBackEveryField();
    void saveSendsExactlyTheDeclaredParameters();
    void richTextsSurviveOpenSaveOpen();
    void storedRichTextLoadsAsUnicode_data();
    void storedRichTextLoadsAsUnicode();
    void dictionaryListsKeepTheShownText_data();
    void dictionaryListsKeepTheShownText();
    void nothingOfThePreviousReportSurvivesAnOpen();
    void partlyLoadedReportIsNotWrittenBack();
    void savingFlagIsClearedWhenASaveEscapes();

private:
    std::unique_ptr<TWorkflowFixture> m_f;
};

void TWorkflowOpenSaveTest::openShowsEveryFieldAndEndsLocked()
{
    const TReportInfo r = RichSample(QStringLiteral("R-1"));
    InsertReportRow(*m_f->db, r);
    m_f->SetConfig(kForm, QStringLiteral("panel_jcpart_Visible"), QStringLiteral("0"));
    m_f->SetConfig(kForm, QStringLiteral("panel_jcmethod_Visible"), QStringLiteral("1"));
    m_f->SetConfig(kForm, QStringLiteral("panel_lczd_Visible"), QStringLiteral("1"));
    m_f->Report().SetcontrolsEnable(true);
    m_f->Open(QStringLiteral("R-1"));

    for (const auto& [control, column] : kControlColumns)
        QVERIFY2(ShownValue(m_f->Widget(control)) == FieldText(r, QString::fromLatin1(column)),
                 qPrintable(QStringLiteral("%1 shows '%2'").arg(QLatin1String(control), ShownValue(m_f->Widget(control)))));
    QCOMPARE(ShownValue(m_f->Rich("rich_jcsj")), QStringLiteral("肝脏大小形态正常\r\n胆囊壁光滑"));
    QCOMPARE(ShownValue(m_f->Rich("rich_zdjx")), QStringLiteral("结论:未见异常\r\n建议复查"));

    // Locked, with a hidden section that still holds its value.
    QVERIFY(!m_f->Report().GetReportIsEdited(QStringLiteral("R-1")));
    QVERIFY(m_f->Memo("memo_jcmethod")->isReadOnly());
    QVERIFY(m_f->Rich("rich_jcsj")->isReadOnly());
    QVERIFY(!m_f->Combo("Cbx_ReportDoctor")->isEnabled());
    QVERIFY(m_f->Widget("panel_jcpart")->isHidden());
    QVERIFY(!m_f->Widget("panel_jcmethod")->isHidden());
    QCOMPARE(m_f->Memo("Memo_jcpart")->toPlainText(), r.Fjcpart);

    // Lists filled: doctors of the user's department, dictionaries.
    auto items = [](QComboBox* c) { QStringList l; for (int i = 0; i < c->count(); ++i) l << c->itemText(i); return l; };
    for (const char* box : {"Cbx_ReportDoctor", "cbx_ExamDoctor", "Cbx_HuiZhenDoctor", "Cbx_ShenHedoctor"})
        QCOMPARE(items(m_f->Combo(box)), TWorkflowFixture::Doctors());
    QCOMPARE(items(m_f->Combo("Cbx_TanTouRate")), (QStringList{"3.5MHz", "7.5MHz"}));
    QCOMPARE(items(m_f->Combo("cbx_jcTuJing")), (QStringList{"经腹", "经阴道"}));
    QCOMPARE(items(m_f->Combo("cbx_ImageQuality")), (QStringList{"良", "优"}));
    QCOMPARE(m_f->Logs(QStringLiteral("ReportForm.GetReportInfoFrom")), 1);
}

void TWorkflowOpenSaveTest::openOfAFreshRowFillsTheDefaults()
{
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO Report (ruid, Accnu, ReportState) VALUES ('R-new', 'A-9', 0)"));
    ExecTestSql(*m_f->db, QStringLiteral("INSERT INTO ExamItem (Accnu, ItemName, ItemOrder) VALUES ('A-9', '心脏', 1), ('A-9', '颈动脉', 2)"));
    m_f->SetConfig(QStringLiteral("/Configuration/TReportForm"), QStringLiteral("AutoSelectAllCanUseItem"), QStringLiteral("1"));
    m_f->SetConfig(kForm, QStringLiteral("Cbx_ReportDoctor_index"), QStringLiteral("1"));
    m_f->SetConfig(kForm, QStringLiteral("Cbx_HuiZhenDoctor_index"), QStringLiteral("2"));
    m_f->SetConfig(kForm, QStringLiteral("Cbx_ShenHedoctor_index"), QStringLiteral("0"));
    const QDateTime before = QDateTime::currentDateTime().addSecs(-1);
    m_f->Open(QStringLiteral("R-new"));

    QCOMPARE(m_f->Combo("Cbx_ShenHedoctor")->currentText(), QStringLiteral("张医生"));
    QCOMPARE(m_f->Combo("cbx_ExamDoctor")->currentText(), m_f->host.userName);
    QCOMPARE(m_f->Combo("Cbx_ReportDoctor")->currentText(), QStringLiteral("李医生"));
    QCOMPARE(m_f->Combo("Cbx_HuiZhenDoctor")->currentText(), QStringLiteral("王医生"));
    QCOMPARE(m_f->Combo("Cbx_TanTouRate")->currentText(), QStringLiteral("3.5MHz"));
    QCOMPARE(m_f->Combo("cbx_jcTuJing")->currentText(), QStringLiteral("经阴道"));
    QCOMPARE(m_f->Combo("cbx_ImageQuality")->currentText(), QStringLiteral("优"));
    QCOMPARE(m_f->Memo("memo_jcmethod")->toPlainText(), m_f->host.defaultExamMethod);
    QCOMPARE(m_f->Memo("Memo_jcItem")->toPlainText(), QStringLiteral("心脏,颈动脉"));
    const QDateTime reviewed = Control<TDateTimePicker>(m_f->form.get(), "L_ShenHeDate")->DateTime();
    QVERIFY(reviewed >= before && reviewed <= QDateTime::currentDateTime().addSecs(1));
    QVERIFY(m_f->dialogs.shown.isEmpty());

    // The defaults reach the database with the save, codes included.
    m_f->Save(QStringLiteral("R-new"));
    QCOMPARE(m_f->Column(QStringLiteral("ExamDoctorCode"), QStringLiteral("R-new")), m_f->host.userCode);
    QCOMPARE(m_f->Column(QStringLiteral("ReportDoctor"), QStringLiteral("R-new")), QStringLiteral("李医生"));
    QCOMPARE(m_f->Column(QStringLiteral("ReportDoctorCode"), QStringLiteral("R-new")), QString());
    QCOMPARE(m_f->Column(QStringLiteral("ItemName"), QStringLiteral("R-new")), QStringLiteral("心脏,颈动脉"));
}

void TWorkflowOpenSaveTest::saveThenOpenGivesBackEveryField()
{
    const TReportInfo original = RichSample(QStringLiteral("R-2"));
    InsertReportRow(*m_f->db, original);
    m_f->Open(QStringLiteral("R-2"));
    m_f->Report().SetcontrolsEnable(true);

    // Every editable value changes; codes, state, print count and other unshown fields stay.
    TReportInfo edited = SampleReport(QStringLiteral("R-2"));
    const QStringList fresh = {"超声造影", "甲状腺", "颈部", "经皮", "差", "随访三个月", "5MHz", "医生甲", "手写医生",
                               "医生乙", "医生丙", "2025-01-02 03:04:05.006", "2025-02-03 04:05:06.007", "0",
                               "非数值", "新备注\r\n第二行", "甲亢", "无法判断", "良好", "锐利", "覆盖", "已出现",
                               "上移", "不足", "圆钝", "外翻", "未出现", "60", "50", "'55'", "70"};
    QCOMPARE(fresh.size(), kControlColumns.size());
    for (int i = 0; i < kControlColumns.size(); ++i) EnterValue(m_f->Widget(kControlColumns[i].control), fresh[i]);
    RtfToDocument(FormattedRtf(QStringLiteral("新所见"), QStringLiteral("内容"), QStringLiteral("第二段")), *m_f->Rich("rich_jcsj")->document());
    m_f->Rich("rich_zdjx")->clear();
    m_f->Save(QStringLiteral("R-2"));
    QVERIFY(m_f->dialogs.shown.isEmpty());

    for (int i = 0; i < kControlColumns.size(); ++i) {
        const QString column = QString::fromLatin1(kControlColumns[i].column);
        QString stored = m_f->Column(column, QStringLiteral("R-2"));
        if (column.endsWith(QLatin1String("Date"))) stored = QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
        QVERIFY2(stored == fresh[i], qPrintable(column + QStringLiteral(": ") + stored));
    }
    for (const char* kept : {"Accnu", "nbid", "ItemCode", "JCDaLei", "ReportState", "TiXing", "ExamDoctorCode",
                             "ReportDoctorCode", "ShenHeDoctorCode", "HuizhenDoctorCode", "PrintedCont", "jcpartcode"})
        QCOMPARE(m_f->Column(QString::fromLatin1(kept), QStringLiteral("R-2")), FieldText(original, QString::fromLatin1(kept)));
    QCOMPARE(m_f->Column(QStringLiteral("SuoJian"), QStringLiteral("R-2")), QStringLiteral("新所见内容\r\n第二段"));
    QCOMPARE(m_f->Column(QStringLiteral("JieLun"), QStringLiteral("R-2")), QString());
    QVERIFY(m_f->Column(QStringLiteral("rtf_JieLun"), QStringLiteral("R-2")).startsWith(QLatin1String("{\\rtf")));

    // A second editor opening the report shows exactly what was saved.
    m_f->NewForm();
    m_f->Open(QStringLiteral("R-2"));
    for (int i = 0; i < kControlColumns.size(); ++i)
        QVERIFY2(ShownValue(m_f->Widget(kControlColumns[i].control)) == fresh[i], kControlColumns[i].control);
    QCOMPARE(ShownValue(m_f->Rich("rich_jcsj")), QStringLiteral("新所见内容\r\n第二段"));
    QCOMPARE(ShownValue(m_f->Rich("rich_zdjx")), QString());
}

void TWorkflowOpenSaveTest::saveSendsExactlyTheDeclaredParameters()
{
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-3")));
    TRecordingConnection rec(*m_f->db);
    m_f->dm.mainConnection = &rec;
    m_f->Open(QStringLiteral("R-3"));
    m_f->Save(QStringLiteral("R-3"));
    QCOMPARE(rec.procCalls.size(), 1);
    QCOMPARE(rec.procCalls.first().name, QStringLiteral("sp_SaveReportInfo"));
    // The 49 fields, then the stamp the open read (a new row's: 1), who saves, and the
    // output that brings back the new stamp.
    const auto& params = rec.procCalls.first().params;
    QCOMPARE(int(params.size()), 52);
    for (int i = 0; i < 49; ++i) QVERIFY2(!params.at(i).Value.IsNull(), qPrintable(params.at(i).Name));
    QCOMPARE(params.at(49).Name, QStringLiteral("@ExpectedVersion"));
    QCOMPARE(params.at(49).Value.AsInteger(), 1);
    QVERIFY(!params.at(50).Value.AsString().isEmpty());
    // Both rich-text parameters are the editors' RTF, 7-bit.
    for (const TDbParameter& p : rec.procCalls.first().params) {
        if (!p.Name.startsWith(QLatin1String("@rtf_"))) continue;
        const QString rtf = p.Value.AsString();
        QVERIFY(rtf.startsWith(QLatin1String("{\\rtf")));
        for (QChar ch : rtf) QVERIFY2(ch.unicode() < 128, qPrintable(p.Name));
    }
}

void TWorkflowOpenSaveTest::richTextsSurviveOpenSaveOpen()
{
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-4")));
    m_f->Open(QStringLiteral("R-4"));
    QVERIFY(FormattingKept(m_f->Rich("rich_jcsj")));
    QVERIFY(FormattingKept(m_f->Rich("rich_zdjx")));
    m_f->Rich("rich_zdjx")->setLineWrapMode(QTextEdit::NoWrap);
    m_f->Save(QStringLiteral("R-4"));
    // Word wrap is on after the save took the RTF, also where it was off before.
    QCOMPARE(m_f->Rich("rich_jcsj")->lineWrapMode(), QTextEdit::WidgetWidth);
    QCOMPARE(m_f->Rich("rich_zdjx")->lineWrapMode(), QTextEdit::WidgetWidth);
    m_f->NewForm();
    m_f->Open(QStringLiteral("R-4"));
    QVERIFY(FormattingKept(m_f->Rich("rich_jcsj")));
    QVERIFY(FormattingKept(m_f->Rich("rich_zdjx")));
    QCOMPARE(ShownValue(m_f->Rich("rich_jcsj")), QStringLiteral("肝脏大小形态正常\r\n胆囊壁光滑"));
}

void TWorkflowOpenSaveTest::storedRichTextLoadsAsUnicode_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("shown");
    QTest::newRow("plain Chinese text, not RTF") << "普通文本，不是RTF" << "普通文本，不是RTF";
    QTest::newRow("RTF holding Chinese characters as themselves") << "{\\rtf1\\ansi 中文直接写}" << "中文直接写";
    QTest::newRow("RTF with unicode escapes") << "{\\rtf1\\ansi \\u20013?\\u25991?}" << "中文";
    QTest::newRow("plain text outside the basic plane") << "😀 笑脸" << "😀 笑脸";
    // No rich text: the stored plain findings are shown (and kept by the save).
    QTest::newRow("empty: the plain column") << "" << "肝脏大小形态正常。\r\n胆囊壁光滑。";
}

void TWorkflowOpenSaveTest::storedRichTextLoadsAsUnicode()
{
    QFETCH(QString, stored);
    QFETCH(QString, shown);
    TReportInfo r = SampleReport(QStringLiteral("R-5"));
    r.Frtf_SuoJian = stored;
    InsertReportRow(*m_f->db, r);
    m_f->Open(QStringLiteral("R-5"));
    QCOMPARE(ShownValue(m_f->Rich("rich_jcsj")), shown);
    m_f->Save(QStringLiteral("R-5"));
    QCOMPARE(m_f->Column(QStringLiteral("SuoJian"), QStringLiteral("R-5")), shown);
}

void TWorkflowOpenSaveTest::dictionaryListsKeepTheShownText_data()
{
    QTest::addColumn<QString>("probe");
    QTest::addColumn<QString>("route");
    QTest::addColumn<QString>("quality");
    QTest::newRow("values among the entries") << "7.5MHz" << "经腹" << "良";
    QTest::newRow("values typed by hand") << "自定义频率" << "经直肠" << "一般";
}

void TWorkflowOpenSaveTest::dictionaryListsKeepTheShownText()
{
    QFETCH(QString, probe);
    QFETCH(QString, route);
    QFETCH(QString, quality);
    TReportInfo r = SampleReport(QStringLiteral("R-6"));
    r.FTanTouRate = probe;
    r.FjcTuJing = route;
    r.FImgQuality = quality;
    InsertReportRow(*m_f->db, r);
    for (int round = 0; round < 2; ++round) { // the second open refills lists that already hold entries
        m_f->Open(QStringLiteral("R-6"));
        QCOMPARE(m_f->Combo("Cbx_TanTouRate")->currentText(), probe);
        QCOMPARE(m_f->Combo("cbx_jcTuJing")->currentText(), route);
        QCOMPARE(m_f->Combo("cbx_ImageQuality")->currentText(), quality);
        QCOMPARE(m_f->Combo("Cbx_TanTouRate")->count(), 2);
    }
    m_f->Save(QStringLiteral("R-6"));
    QCOMPARE(m_f->Column(QStringLiteral("TanTouRate"), QStringLiteral("R-6")), probe);
    QCOMPARE(m_f->Column(QStringLiteral("jcTuJing"), QStringLiteral("R-6")), route);
    QCOMPARE(m_f->Column(QStringLiteral("ImgQuality"), QStringLiteral("R-6")), quality);
}

void TWorkflowOpenSaveTest::nothingOfThePreviousReportSurvivesAnOpen()
{
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-A")));
    m_f->Open(QStringLiteral("R-A"));
    QVERIFY(!m_f->Combo("Cbx_kgj_Left_α")->currentText().isEmpty());

    // No such row: the form shows an empty report, not the previous one.
    m_f->Open(QStringLiteral("R-missing"));
    for (const char* box : {"Cbx_kgj_Left_α", "Cbx_kgj_Right_β", "Cbx_TanTouRate", "cbx_ExamDoctor"})
        QCOMPARE(m_f->Combo(box)->currentText(), QString());
    QCOMPARE(m_f->Memo("memo_jcmethod")->toPlainText(), QString());
    QCOMPARE(ShownValue(m_f->Rich("rich_jcsj")), QString());

    // Saving it creates no anonymous row and leaves the previous report alone.
    m_f->Save(QStringLiteral("R-missing"));
    QCOMPARE(QueryTestValue(*m_f->db, QStringLiteral("SELECT count(*) FROM Report")).AsInteger(), 1);
    QCOMPARE(m_f->Column(QStringLiteral("kgjL_A"), QStringLiteral("R-A")), SampleReport(QString()).FkgjL_A);
    QCOMPARE(m_f->dialogs.shown.size(), 1);
    QVERIFY(m_f->dialogs.shown.first().text.startsWith(QStringLiteral("报告保存失败")));
}

void TWorkflowOpenSaveTest::partlyLoadedReportIsNotWrittenBack()
{
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-A")));
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-B")));
    ExecTestSql(*m_f->db, QStringLiteral("UPDATE Report SET ReportState = 'x' WHERE ruid = 'R-B'"));
    m_f->Open(QStringLiteral("R-A"));
    m_f->Open(QStringLiteral("R-B"));
    // The hip-joint columns of R-B were never read, and R-A's are not shown in their place.
    QCOMPARE(m_f->Combo("Cbx_kgj_Left_α")->currentText(), QString());

    m_f->Report().SetcontrolsEnable(true);
    m_f->Memo("Memo_JianYi")->setPlainText(QStringLiteral("不应保存"));
    m_f->Save(QStringLiteral("R-B"));
    QCOMPARE(m_f->Column(QStringLiteral("JianYi"), QStringLiteral("R-B")), RichSample(QString()).FJianYi);
    QCOMPARE(m_f->Column(QStringLiteral("kgjL_A"), QStringLiteral("R-B")), RichSample(QString()).FkgjL_A);
    QCOMPARE(m_f->dialogs.shown.size(), 1);
    QVERIFY(m_f->dialogs.shown.first().text.startsWith(QStringLiteral("报告保存失败")));

    // After the row is repaired, a new open reads it whole and the save goes through.
    ExecTestSql(*m_f->db, QStringLiteral("UPDATE Report SET ReportState = 6 WHERE ruid = 'R-B'"));
    m_f->Open(QStringLiteral("R-B"));
    m_f->Memo("Memo_JianYi")->setPlainText(QStringLiteral("现在保存"));
    m_f->Save(QStringLiteral("R-B"));
    QCOMPARE(m_f->Column(QStringLiteral("JianYi"), QStringLiteral("R-B")), QStringLiteral("现在保存"));
    QCOMPARE(m_f->Column(QStringLiteral("kgjL_A"), QStringLiteral("R-B")), RichSample(QString()).FkgjL_A);
}

void TWorkflowOpenSaveTest::savingFlagIsClearedWhenASaveEscapes()
{
    InsertReportRow(*m_f->db, RichSample(QStringLiteral("R-7")));
    m_f->Open(QStringLiteral("R-7"));
    ExecTestSql(*m_f->db, QStringLiteral("DELETE FROM wr_procedure WHERE name = 'sp_SaveReportInfo'"));
    // The host's log itself fails, so the save's error escapes to the caller.
    m_f->host.failLogWith = QStringLiteral("日志不可用");
    bool escaped = false;
    try {
        m_f->Save(QStringLiteral("R-7"));
    } catch (const Exception&) {
        escaped = true;
    }
    QVERIFY(escaped);
    m_f->host.failLogWith.clear();

    // With the flag cleared, a change of the findings resizes its section again.
    QWidget* panel = m_f->Widget("panel_yxbx");
    const int before = panel->height();
    m_f->Rich("rich_jcsj")->setPlainText(QStringLiteral("一\n二\n三\n四\n五\n六\n七\n八"));
    SettleLayout(m_f->form.get());
    QVERIFY2(panel->height() > before, qPrintable(QStringLiteral("%1 -> %2").arg(before).arg(panel->height())));
}

QTEST_MAIN(TWorkflowOpenSaveTest)
#include "tst_workflow_opensave.moc"
