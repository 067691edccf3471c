// SPDX-License-Identifier: MIT
#include "hostdata/HostQueries.h"
#include "platform/DateTime.h"

namespace {

std::unique_ptr<TDbQuery> Run(TDbConnection& conn, const QStringList& sql)
{
    auto q = conn.CreateQuery();
    q->SQL() = sql;
    q->Open();
    return q;
}

const char* PhraseKind(TPickerKind kind)
{
    switch (kind) {
    case TPickerKind::Method: return "method";
    case TPickerKind::Part: return "part";
    case TPickerKind::Lczd: return "lczd";
    case TPickerKind::JianYi: return "jianyi";
    case TPickerKind::BeiZhu: return "beizhu";
    default: return nullptr;
    }
}

} // namespace

QString ReportAccession(TDbConnection& conn, const QString& ruid)
{
    auto q = Run(conn, {QStringLiteral("SELECT Accnu FROM Report WHERE ruid = %1").arg(QuotedStr(ruid))});
    return q->Eof() ? QString() : q->FieldByName(QStringLiteral("Accnu")).AsString();
}

QString ReportCategory(TDbConnection& conn, const QString& ruid)
{
    auto q = Run(conn, {QStringLiteral("SELECT JCDaLei FROM Report WHERE ruid = %1").arg(QuotedStr(ruid))});
    return q->Eof() ? QString() : q->FieldByName(QStringLiteral("JCDaLei")).AsString().trimmed();
}

bool ReportExists(TDbConnection& conn, const QString& ruid)
{
    auto q = Run(conn, {QStringLiteral("SELECT COUNT(*) AS n FROM Report WHERE ruid = %1").arg(QuotedStr(ruid))});
    return !q->Eof() && q->FieldByName(QStringLiteral("n")).AsInteger() > 0;
}

TReportHeading ReadReportHeading(TDbConnection& conn, const QString& ruid)
{
    TReportHeading h;
    try {
        auto q = Run(conn, {QStringLiteral("SELECT r.Accnu, r.ItemName, s.PatientName, s.Sex, s.Age FROM Report r"),
                            QStringLiteral("LEFT JOIN Study s ON s.Accnu = r.Accnu WHERE r.ruid = %1").arg(QuotedStr(ruid))});
        if (!q->Eof()) {
            h.accnu = q->FieldByName(QStringLiteral("Accnu")).AsString();
            h.items = q->FieldByName(QStringLiteral("ItemName")).AsString();
            h.patientName = q->FieldByName(QStringLiteral("PatientName")).AsString();
            h.sex = q->FieldByName(QStringLiteral("Sex")).AsString();
            h.age = q->FieldByName(QStringLiteral("Age")).AsString();
        }
        return h;
    } catch (const Exception&) {
    }
    // Without the Study table the header still names the exam.
    auto q = Run(conn, {QStringLiteral("SELECT Accnu, ItemName FROM Report WHERE ruid = %1").arg(QuotedStr(ruid))});
    if (!q->Eof()) {
        h.accnu = q->FieldByName(QStringLiteral("Accnu")).AsString();
        h.items = q->FieldByName(QStringLiteral("ItemName")).AsString();
    }
    return h;
}

TDoctorRow FirstDoctor(TDbConnection& conn)
{
    auto q = Run(conn, {QStringLiteral("SELECT 姓名 AS name, code, kscode FROM csdoctor"),
                        QStringLiteral("ORDER BY displayindex DESC, 姓名")});
    TDoctorRow d;
    if (!q->Eof()) {
        d.name = q->FieldByName(QStringLiteral("name")).AsString();
        d.code = q->FieldByName(QStringLiteral("code")).AsString();
        d.deptCode = q->FieldByName(QStringLiteral("kscode")).AsString();
    }
    return d;
}

QList<TPickerEntry> LoadPhrases(TDbConnection& conn, TPickerKind kind, const QString& deptCode)
{
    const char* k = PhraseKind(kind);
    if (!k) return {};
    auto q = Run(conn, {QStringLiteral("SELECT id, code, text FROM Phrase"),
                        QStringLiteral("WHERE kind = %1 AND (kscode = %2 OR kscode = '' OR kscode IS NULL)")
                            .arg(QuotedStr(QLatin1String(k)), QuotedStr(deptCode)),
                        QStringLiteral("ORDER BY uorder, id")});
    QList<TPickerEntry> r;
    for (; !q->Eof(); q->Next()) {
        TPickerEntry e;
        e.id = q->FieldByName(QStringLiteral("id")).AsString();
        e.code = q->FieldByName(QStringLiteral("code")).AsString();
        e.text = q->FieldByName(QStringLiteral("text")).AsString();
        r << e;
    }
    return r;
}

QList<TPickerEntry> LoadExamItems(TDbConnection& conn, const QString& ruid)
{
    const QString accnu = ReportAccession(conn, ruid);
    auto q = Run(conn, {QStringLiteral("SELECT id, ItemCode, ItemName, ReportGuid FROM ExamItem"),
                        QStringLiteral("WHERE Accnu = %1 AND Usable = 1").arg(QuotedStr(accnu)),
                        QStringLiteral("ORDER BY ItemOrder, id")});
    QList<TPickerEntry> r;
    for (; !q->Eof(); q->Next()) {
        TPickerEntry e;
        e.id = q->FieldByName(QStringLiteral("id")).AsString();
        e.code = q->FieldByName(QStringLiteral("ItemCode")).AsString();
        e.text = q->FieldByName(QStringLiteral("ItemName")).AsString();
        const QString owner = q->FieldByName(QStringLiteral("ReportGuid")).AsString();
        // GUIDs match without case, as the database compares them.
        const bool mine = owner.compare(ruid, Qt::CaseInsensitive) == 0;
        e.checked = !owner.isEmpty() && mine;
        e.enabled = owner.isEmpty() || mine;
        if (!e.enabled) e.note = QStringLiteral("已被其它报告页面使用");
        r << e;
    }
    return r;
}

QString BindExamItems(TDbConnection& conn, const QString& ruid, const QStringList& chosenIds)
{
    QStringList ids;
    for (const QString& id : chosenIds) {
        bool ok = false;
        id.toLongLong(&ok);
        if (!ok) throw EDatabaseError(QStringLiteral("exam item id '%1' is not a number").arg(id));
        ids << id;
    }
    const QString accnu = ReportAccession(conn, ruid);
    // Workstations may only read ExamItem: the change goes through a procedure of its own,
    // which makes it in one statement (the report never holds half of a choice) and leaves
    // an item another page took in the meantime with its owner.
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SetReportExamItems"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(accnu);
    sp->ParamByName(QStringLiteral("@ReportGuid")).SetAsString(ruid);
    sp->ParamByName(QStringLiteral("@ItemIds")).SetAsString(ids.join(QLatin1Char(',')));
    sp->ParamByName(QStringLiteral("@OutItemNames")).SetAsString(QStringLiteral(""));
    sp->SetPrepared(true);
    sp->ExecProc();
    return sp->ParamByName(QStringLiteral("@OutItemNames")).Value.AsString();
}

QList<TPickerEntry> LoadTemplates(TDbConnection& conn, const QString& deptCode)
{
    auto q = Run(conn, {QStringLiteral("SELECT id, category, name, rtf_SuoJian, rtf_JieLun FROM ReportTemplate"),
                        QStringLiteral("WHERE kscode = %1 OR kscode = '' OR kscode IS NULL").arg(QuotedStr(deptCode)),
                        QStringLiteral("ORDER BY category, uorder, id")});
    QList<TPickerEntry> r;
    for (; !q->Eof(); q->Next()) {
        TPickerEntry e;
        e.id = q->FieldByName(QStringLiteral("id")).AsString();
        e.group = q->FieldByName(QStringLiteral("category")).AsString();
        e.text = q->FieldByName(QStringLiteral("name")).AsString();
        e.rtfSuoJian = q->FieldByName(QStringLiteral("rtf_SuoJian")).AsString();
        e.rtfJieLun = q->FieldByName(QStringLiteral("rtf_JieLun")).AsString();
        r << e;
    }
    return r;
}

QList<TPickerEntry> LoadSymbols(TDbConnection& conn)
{
    auto q = Run(conn, {QStringLiteral("SELECT symbol FROM SpecialSymbol ORDER BY uorder")});
    QList<TPickerEntry> r;
    for (; !q->Eof(); q->Next()) {
        TPickerEntry e;
        e.text = q->FieldByName(QStringLiteral("symbol")).AsString();
        if (!e.text.isEmpty()) r << e;
    }
    return r;
}

QString JoinItemNames(const QStringList& names) { return names.join(QLatin1Char(',')); }
