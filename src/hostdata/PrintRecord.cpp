// SPDX-License-Identifier: MIT
#include "PrintRecord.h"
#include "CriticalValues.h"
#include "KeyImages.h"
#include "platform/DateTime.h"
#include <memory>

namespace {

// Column access that tolerates a column this database does not have (an older schema).
class TRow {
public:
    explicit TRow(const TDbQuery& q) : m_q(q), m_names(q.FieldNames()) {}

    bool Has(const QString& name) const { return m_names.contains(name, Qt::CaseInsensitive); }
    QString Text(const QString& name) const { return Has(name) ? m_q.FieldByName(name).AsString().trimmed() : QString(); }
    int Integer(const QString& name) const
    {
        if (!Has(name)) return 0;
        try {
            return m_q.FieldByName(name).AsInteger();
        } catch (const EConvertError&) {
            return 0;
        }
    }
    bool Flag(const QString& name) const
    {
        if (!Has(name)) return false;
        try {
            return m_q.FieldByName(name).AsBoolean();
        } catch (const EConvertError&) {
            return false;
        }
    }
    // The date-time 0 (1899-12-30) is how an unset date reads; it is not printed.
    QDateTime Time(const QString& name) const
    {
        if (!Has(name)) return {};
        const TDbValue v = m_q.FieldByName(name);
        if (v.IsNull()) return {};
        try {
            const TDateTime t = v.AsDateTime();
            if (t < 1.0) return {};
            return DateTimeToQDateTime(t);
        } catch (const EConvertError&) {
            return {};
        }
    }

private:
    const TDbQuery& m_q;
    QStringList m_names;
};

std::unique_ptr<TDbQuery> OpenRow(TDbConnection& conn, const QString& ruid, bool withStudy)
{
    auto q = conn.CreateQuery();
    if (withStudy) {
        q->SQL() << QStringLiteral("SELECT s.*, r.* FROM Report r LEFT JOIN Study s ON s.Accnu = r.Accnu");
    } else {
        q->SQL() << QStringLiteral("SELECT r.* FROM Report r");
    }
    q->SQL() << QStringLiteral("WHERE r.ruid = %1").arg(QuotedStr(ruid));
    q->Open();
    return q;
}

THipSide HipSide(const TRow& row, QChar side)
{
    auto c = [&](const char* name) { return row.Text(QStringLiteral("kgj%1%2").arg(side).arg(QLatin1String(name))); };
    THipSide h;
    h.baseLine = c("BaseLine");
    h.kjgd = c("Kjgd");
    h.gxtq = c("Gxtq");
    h.rgyc = c("Rgyc");
    h.gxzx = c("Gxzx");
    h.alpha = c("_A");
    h.beta = c("_B");
    return h;
}

} // namespace

bool THipSide::IsEmpty() const
{
    // The hip panel writes "0" into an angle it never had; that is no measurement.
    auto none = [](const QString& s) { return s.isEmpty() || s == QLatin1String("0"); };
    return baseLine.isEmpty() && kjgd.isEmpty() && gxtq.isEmpty() && rgyc.isEmpty() && gxzx.isEmpty() && none(alpha)
        && none(beta);
}

TPrintRecord LoadPrintRecord(TDbConnection& conn, const QString& ruid)
{
    std::unique_ptr<TDbQuery> q;
    try {
        q = OpenRow(conn, ruid, true);
    } catch (const EDatabaseError&) {
        // A site database without table Study still prints its reports.
        q = OpenRow(conn, ruid, false);
    }
    if (q->Eof()) throw EDatabaseError(QStringLiteral("no report with GUID %1").arg(ruid));
    const TRow row(*q);
    TPrintRecord r;
    r.ruid = row.Text(QStringLiteral("ruid"));
    r.accnu = row.Text(QStringLiteral("Accnu"));
    r.patientName = row.Text(QStringLiteral("PatientName"));
    r.sex = row.Text(QStringLiteral("Sex"));
    r.age = row.Text(QStringLiteral("Age"));
    r.patientId = row.Text(QStringLiteral("PatientId"));
    r.reqDept = row.Text(QStringLiteral("ReqDept"));
    r.bedNo = row.Text(QStringLiteral("BedNo"));
    r.examTime = row.Time(QStringLiteral("ExamTime"));
    r.itemName = row.Text(QStringLiteral("ItemName"));
    r.jcMethod = row.Text(QStringLiteral("jcMethod"));
    r.jcpart = row.Text(QStringLiteral("jcpart"));
    r.lczd = row.Text(QStringLiteral("lczd"));
    r.jcTuJing = row.Text(QStringLiteral("jcTuJing"));
    r.tanTouRate = row.Text(QStringLiteral("TanTouRate"));
    r.imgQuality = row.Text(QStringLiteral("ImgQuality"));
    r.rtfSuoJian = row.Text(QStringLiteral("rtf_SuoJian"));
    r.rtfJieLun = row.Text(QStringLiteral("rtf_JieLun"));
    r.suoJian = row.Text(QStringLiteral("SuoJian"));
    r.jieLun = row.Text(QStringLiteral("JieLun"));
    r.jianYi = row.Text(QStringLiteral("JianYi"));
    r.beiZhu = row.Text(QStringLiteral("BeiZhu"));
    r.weiJiValue = row.Text(QStringLiteral("WeiJiValue"));
    r.yinYangXing = row.Flag(QStringLiteral("YinYangXing"));
    r.reportState = row.Integer(QStringLiteral("ReportState"));
    r.printedCount = row.Integer(QStringLiteral("PrintedCont"));
    r.signedEdits = row.Integer(QStringLiteral("SignedEdits"));
    r.examDoctor = row.Text(QStringLiteral("ExamDoctor"));
    r.reportDoctor = row.Text(QStringLiteral("ReportDoctor"));
    r.shenHeDoctor = row.Text(QStringLiteral("ShenHeDoctor"));
    r.huiZhenDoctor = row.Text(QStringLiteral("HuiZhenDoctor"));
    r.reportDate = row.Time(QStringLiteral("ReportDate"));
    r.shenHeDate = row.Time(QStringLiteral("shenHeDate"));
    r.huiZhenDate = row.Time(QStringLiteral("HuiZhenDate"));
    r.hipLeft = HipSide(row, QLatin1Char('L'));
    r.hipRight = HipSide(row, QLatin1Char('R'));
    q->Close();
    if (HasCriticalValue(r.weiJiValue)) r.criticalNotice = LatestCriticalNoticeText(conn, r.ruid);
    for (const TKeyImage& k : LoadKeyImages(conn, r.ruid)) r.keyImages << QImage::fromData(k.jpeg, "JPEG");
    return r;
}
