// SPDX-License-Identifier: MIT
// The column table against the real form: every field the form shows is called by the
// form's own caption (with 左侧/右侧 where a caption repeats per side) in the label look-up,
// the conflict table, the draft offer and the length check alike. And the table keeps the
// layout that draft files on disk were written with.
#include "form/ReportUnit.h"
#include "report/ReportColumns.h"
#include "report/ReportConflict.h"
#include "report/ReportDraft.h"
#include "report/ReportLimits.h"
#include <QAbstractButton>
#include <QLabel>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

// A caption as the doctor reads it: without its spacing and its colon.
QString CaptionText(const QWidget* w)
{
    QString t = w->property("text").toString();
    t.remove(QRegularExpression(QStringLiteral("\\s")));
    while (t.endsWith(QLatin1Char(':')) || t.endsWith(QChar(u'：'))) t.chop(1);
    return t;
}

// Every column a form section shows, with the widgets that caption it on the form.
struct TCaptioned {
    const char* column;
    QStringList captions;   // objectNames, read and joined in this order
    bool inConflict = true;
    bool inDraft = true;
};
const QList<TCaptioned>& Captioned()
{
    static const QList<TCaptioned> rows = [] {
        QList<TCaptioned> r{
            {"ItemName", {"sb_jcitem"}},       {"jcMethod", {"sb_jcMethod"}},    {"jcpart", {"Lab_jcpart"}},
            {"lczd", {"lab_lczd"}},            {"SuoJian", {"lab_yxbx"}},        {"JieLun", {"lab_zdyx"}},
            {"JianYi", {"lab_Jianyi"}},        {"BeiZhu", {"lab_beizhu"}},       {"TanTouRate", {"Label3"}},
            {"WeiJiValue", {"Label2"}},        {"YinYangXing", {"Check_YinYiang"}}, {"jcTuJing", {"Label6"}},
            {"ImgQuality", {"Label4"}},        {"ReportDoctor", {"Label13"}},    {"ExamDoctor", {"Label15"}},
            {"HuiZhenDoctor", {"Label14"}},    {"ShenHeDoctor", {"Label12"}},
            {"ReportState", {"Label7"}, true, false},
            // Dates stay out of the conflict table; the review date, set at each open, also
            // out of the draft offer.
            {"ReportDate", {"Label16"}, false, true},
            {"shenHeDate", {"Label17"}, false, false},
        };
        const char* const labels[] = {"Label8", "Label9", "Label11", "Label18", "Label19", "Label20", "Label21"};
        const char* const left[] = {"kgjLBaseLine", "kgjLKjgd", "kgjLGxtq", "kgjLRgyc", "kgjLGxzx", "kgjL_A", "kgjL_B"};
        const char* const right[] = {"kgjRBaseLine", "kgjRKjgd", "kgjRGxtq", "kgjRRgyc", "kgjRGxzx", "kgjR_A", "kgjR_B"};
        for (int i = 0; i < 7; ++i) {
            r.append({left[i], {"Label10", labels[i]}});    // under 左侧
            r.append({right[i], {"Label5", labels[i]}});    // under 右侧
        }
        return r;
    }();
    return rows;
}

// Gives the column's field a value that differs from a fresh record.
void ChangeField(const TReportColumn& c, TReportInfo& r)
{
    switch (c.kind) {
    case TColumnKind::Text:
    case TColumnKind::RichText: r.*c.text = QString(c.maxLength > 0 ? c.maxLength + 1 : 3, QChar(u'髋')); break;
    case TColumnKind::Integer: r.*c.integer = 7; break;
    case TColumnKind::DateTime: r.*c.date = 45000.5; break;
    case TColumnKind::Flag: r.*c.flag = true; break;
    }
}

} // namespace

class TstReportColumns : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_form = std::make_unique<TReportForm>(); }
    void cleanupTestCase() { m_form.reset(); }
    void everyColumnTheFormShowsIsChecked();
    void labelsAreTheFormsCaptions_data();
    void labelsAreTheFormsCaptions();
    void draftDigestKeepsTheLayoutOfEarlierDrafts();

private:
    std::unique_ptr<TReportForm> m_form;
};

void TstReportColumns::labelsAreTheFormsCaptions_data()
{
    QTest::addColumn<QString>("column");
    QTest::addColumn<QStringList>("captions");
    QTest::addColumn<bool>("inConflict");
    QTest::addColumn<bool>("inDraft");
    for (const TCaptioned& r : Captioned())
        QTest::newRow(r.column) << QString::fromLatin1(r.column) << r.captions << r.inConflict << r.inDraft;
}

void TstReportColumns::everyColumnTheFormShowsIsChecked()
{
    QSet<QString> shown, checked;
    for (const TReportColumn& c : ReportColumnTable())
        if (c.section != TReportSection::None && c.kind != TColumnKind::RichText) shown << c.Name();
    for (const TCaptioned& r : Captioned()) checked << QString::fromLatin1(r.column);
    QCOMPARE(checked, shown);
}

void TstReportColumns::labelsAreTheFormsCaptions()
{
    QFETCH(QString, column);
    QFETCH(QStringList, captions);
    QFETCH(bool, inConflict);
    QFETCH(bool, inDraft);
    const TReportColumn* c = FindReportColumn(column);
    QVERIFY(c);

    // The form's caption, read from the form, and the control in the section's panel.
    const QWidget* panel = m_form->findChild<QWidget*>(QLatin1String(ReportSectionPanel(c->section)));
    QVERIFY2(panel, ReportSectionPanel(c->section));
    QString expected;
    for (const QString& name : captions) {
        const QWidget* w = panel->findChild<QWidget*>(name);
        QVERIFY2(w, qPrintable(name + QStringLiteral(" is not in ") + panel->objectName()));
        expected += CaptionText(w);
    }
    if (c->control) QVERIFY2(panel->findChild<QWidget*>(QString::fromUtf8(c->control)), c->control);
    QCOMPARE(ReportColumnLabel(column), expected);

    TReportInfo stored, changed;
    ChangeField(*c, changed);

    QStringList conflict;
    for (const TConflictSection& s : DifferingSections(stored, changed)) conflict << s.caption;
    QCOMPARE(conflict, inConflict ? QStringList{expected} : QStringList());

    TReportDraft draft;
    draft.record = changed;
    const bool rich = c->text == &TReportInfo::FSuoJian || c->text == &TReportInfo::FJieLun;
    const QString plainDraft = rich ? QStringLiteral("改过") : QString();
    QStringList offered;
    for (const TDraftDifference& d : TDraftStore::Differences(stored, {}, {}, draft, plainDraft, plainDraft))
        if (!rich || d.section == expected) offered << d.section;
    QCOMPARE(offered, inDraft ? QStringList{expected} : QStringList());

    const QString tooLong = ReportFieldTooLong(changed);
    QCOMPARE(tooLong.isEmpty(), c->maxLength == 0);
    if (c->maxLength > 0) QVERIFY2(tooLong.startsWith(QStringLiteral("“%1”").arg(expected)), qPrintable(tooLong));
}

void TstReportColumns::draftDigestKeepsTheLayoutOfEarlierDrafts()
{
    // A draft remembers the digest of the row it started from; a digest taken in another
    // layout would tell every doctor with a draft that the report was saved meanwhile.
    TReportInfo r;
    int n = 0;
    for (QString* t : {&r.FRuid, &r.FAccnu, &r.Fnbid, &r.FjcMethod, &r.FItemName, &r.FItemCode, &r.FJCDaLei, &r.FjcTuJing,
                       &r.FImgQuality, &r.FSuoJian, &r.FJieLun, &r.FJianYi, &r.Frtf_SuoJian, &r.Frtf_JieLun, &r.FTanTouRate,
                       &r.FTiXing, &r.FExamDoctor, &r.FExamDoctorCode, &r.FReportDoctor, &r.FReportDoctorCode,
                       &r.FShenHeDoctor, &r.FShenHeDoctorCode, &r.FHuiZhenDoctor, &r.FHuizhenDoctorCode, &r.FWeiJiValue,
                       &r.FBeiZhu, &r.Flczd, &r.Fjcpart, &r.FjcPartcode, &r.FkgjLBaseLine, &r.FkgjLKjgd, &r.FkgjLGxtq,
                       &r.FkgjLRgyc, &r.FkgjLGxzx, &r.FkgjRBaseLine, &r.FkgjRKjgd, &r.FkgjRGxtq, &r.FkgjRRgyc,
                       &r.FkgjRGxzx, &r.FkgjL_A, &r.FkgjR_A, &r.FkgjL_B, &r.FkgjR_B})
        *t = QStringLiteral("值%1").arg(++n);
    r.FReportState = 3;
    r.FPrintedCont = 2;
    r.FYinYangXing = true;
    r.FReportDate = 45000.25;
    r.FshenHeDate = 45001.5;
    r.FHuiZhenDate = 45002.75;
    QCOMPARE(TDraftStore::RowDigest(r).toHex(), QByteArray("9ef12712cfc14d8e9b60e93c0d9780b2aa4ed8ac"));
}

QTEST_MAIN(TstReportColumns)
#include "tst_reportcolumns.moc"
