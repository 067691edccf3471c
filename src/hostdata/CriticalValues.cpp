// SPDX-License-Identifier: MIT
#include "CriticalValues.h"
#include "platform/DateTime.h"
#include <QFile>
#include <QHash>
#include <QSet>
#include <QUuid>
#include <algorithm>

bool HasCriticalValue(const QString& weiJiValue)
{
    static const QStringList none = {QString(), QStringLiteral("无"), QStringLiteral("否"), QStringLiteral("无危急值")};
    return !none.contains(weiJiValue.trimmed());
}

QList<TCriticalItem> LoadCriticalItems(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) throw EFileError(QStringLiteral("%1: cannot be read: %2").arg(path, f.errorString()));
    QList<TCriticalItem> items;
    QString category;
    for (QString line : QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QChar(0xFEFF))) line.remove(0, 1);
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            category = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        items.append({category, line});
    }
    if (items.isEmpty()) throw EFileError(QStringLiteral("%1: holds no critical-value item").arg(path));
    return items;
}

QString AddCriticalItem(const QString& weiJiValue, const QString& item)
{
    const QString current = HasCriticalValue(weiJiValue) ? weiJiValue.trimmed() : QString();
    const QString add = item.trimmed();
    if (add.isEmpty()) return current;
    const QStringList parts = current.split(QChar(u'；'), Qt::SkipEmptyParts);
    if (parts.contains(add)) return current;
    return current.isEmpty() ? add : current + QChar(u'；') + add;
}

namespace {

QDateTime DateTimeOf(const TDbValue& v)
{
    if (v.IsNull()) return {};
    try {
        return DateTimeToQDateTime(v.AsDateTime());
    } catch (const EConvertError&) {
        return {};
    }
}

qint64 IdOf(const TDbValue& v)
{
    return v.IsNull() ? 0 : v.Variant().toLongLong();
}

TCriticalNotice NoticeFromRow(const TDbQuery& q)
{
    TCriticalNotice n;
    n.id = IdOf(q.FieldByName(QStringLiteral("NoticeId")));
    n.ruid = q.FieldByName(QStringLiteral("ruid")).AsString();
    n.criticalValue = q.FieldByName(QStringLiteral("CriticalValue")).AsString();
    n.receiverName = q.FieldByName(QStringLiteral("ReceiverName")).AsString();
    n.receiverDept = q.FieldByName(QStringLiteral("ReceiverDept")).AsString();
    n.receiverPhone = q.FieldByName(QStringLiteral("ReceiverPhone")).AsString();
    n.toldBy = q.FieldByName(QStringLiteral("ToldBy")).AsString();
    n.toldByCode = q.FieldByName(QStringLiteral("ToldByCode")).AsString();
    n.noticeTime = DateTimeOf(q.FieldByName(QStringLiteral("NoticeTime")));
    n.reportSavedAt = DateTimeOf(q.FieldByName(QStringLiteral("ReportSavedAt")));
    n.corrects = IdOf(q.FieldByName(QStringLiteral("Corrects")));
    return n;
}

const char kNoticeColumns[] = "n.NoticeId, n.ruid, n.CriticalValue, n.ReceiverName, n.ReceiverDept, n.ReceiverPhone, "
                              "n.ToldBy, n.ToldByCode, n.NoticeTime, n.ReportSavedAt, n.Corrects";

QString DateLiteral(const QDate& d)
{
    return QuotedStr(d.toString(Qt::ISODate));
}

} // namespace

TCriticalNotice RecordCriticalNotice(TDbConnection& conn, const TCriticalNoticeInput& in, const TSigner& user)
{
    // Refused here before the database is asked, with the same words the procedures use;
    // the procedures refuse it again for any other caller.
    if (!in.readBack) throw EDatabaseError(QStringLiteral("接收人未复读确认，不能记录危急值通知"));
    const QString guid = in.noticeGuid.isEmpty() ? QUuid::createUuid().toString(QUuid::WithoutBraces) : in.noticeGuid;
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_RecordCriticalNotice"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@NoticeGuid")).SetAsString(guid);
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(in.ruid);
    sp->ParamByName(QStringLiteral("@CriticalValue")).SetAsString(in.criticalValue.trimmed());
    sp->ParamByName(QStringLiteral("@ReceiverName")).SetAsString(in.receiverName);
    sp->ParamByName(QStringLiteral("@ReceiverDept")).SetAsString(in.receiverDept);
    sp->ParamByName(QStringLiteral("@ReceiverPhone")).SetAsString(in.receiverPhone);
    sp->ParamByName(QStringLiteral("@ReadBack")).SetAsInteger(in.readBack ? 1 : 0);
    sp->ParamByName(QStringLiteral("@UserName")).SetAsString(user.name);
    sp->ParamByName(QStringLiteral("@UserCode")).SetAsString(user.code);
    if (in.corrects > 0) sp->ParamByName(QStringLiteral("@Corrects")).Value = TDbValue(QVariant(in.corrects));
    sp->ExecProc();
    const qint64 id = IdOf(sp->ParamByName(QStringLiteral("@NoticeId")).Value);
    sp->Close();
    for (const TCriticalNotice& n : ReadCriticalNotices(conn, in.ruid))
        if (n.id == id) return n;
    throw EDatabaseError(QStringLiteral("the critical-value notice was not found after writing it (%1)").arg(guid));
}

QList<TCriticalNotice> ReadCriticalNotices(TDbConnection& conn, const QString& ruid)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT %1 FROM CriticalNotice n WHERE n.ruid = %2 ORDER BY n.NoticeId")
                    .arg(QLatin1String(kNoticeColumns), QuotedStr(ruid));
    q->Open();
    QList<TCriticalNotice> notices;
    for (; !q->Eof(); q->Next()) notices << NoticeFromRow(*q);
    return notices;
}

QString CriticalNoticeText(const TCriticalNotice& n)
{
    return QStringLiteral("已通知 %1（%2，%3），%4，已复读确认，通知人 %5")
        .arg(n.receiverName, n.receiverDept, n.receiverPhone, n.noticeTime.toString(QStringLiteral("yyyy-MM-dd HH:mm")), n.toldBy);
}

QString LatestCriticalNoticeText(TDbConnection& conn, const QString& ruid)
{
    try {
        const QList<TCriticalNotice> notices = ReadCriticalNotices(conn, ruid);
        return notices.isEmpty() ? QString() : CriticalNoticeText(notices.last());
    } catch (const EDatabaseError&) {
        return {};   // a database without the register prints as before
    }
}

TCriticalRegister ReadCriticalRegister(TDbConnection& conn, const QDate& from, const QDate& to)
{
    const QString lo = DateLiteral(from), hi = DateLiteral(to.addDays(1));
    TCriticalRegister reg;
    QHash<QString, std::pair<QString, QString>> patients;   // ruid -> accnu, name
    const auto patientOf = [&](const QString& ruid) {
        if (patients.contains(ruid)) return patients.value(ruid);
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT r.Accnu, s.PatientName FROM Report r LEFT JOIN Study s ON s.Accnu = r.Accnu")
                 << QStringLiteral("WHERE r.ruid = %1").arg(QuotedStr(ruid));
        q->Open();
        std::pair<QString, QString> p;
        if (!q->Eof())
            p = {q->FieldByName(QStringLiteral("Accnu")).AsString(), q->FieldByName(QStringLiteral("PatientName")).AsString()};
        patients.insert(ruid, p);
        return p;
    };

    // Every notice of a report whose first notice falls in the period: a report counts once,
    // in the period it was first told.
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT %1 FROM CriticalNotice n").arg(QLatin1String(kNoticeColumns))
             << QStringLiteral("WHERE n.ruid IN (SELECT f.ruid FROM CriticalNotice f WHERE f.Corrects IS NULL GROUP BY f.ruid")
             << QStringLiteral("                 HAVING min(f.NoticeTime) >= %1 AND min(f.NoticeTime) < %2)").arg(lo, hi)
             << QStringLiteral("ORDER BY n.NoticeTime, n.NoticeId");
    q->Open();
    QSet<QString> counted;
    for (; !q->Eof(); q->Next()) {
        TCriticalRegisterRow row;
        row.notice = NoticeFromRow(*q);
        const QString key = row.notice.ruid.toLower();
        if (row.notice.reportSavedAt.isValid() && row.notice.noticeTime.isValid())
            row.minutes = row.notice.reportSavedAt.msecsTo(row.notice.noticeTime) / 60000.0;
        if (row.notice.corrects == 0 && !counted.contains(key)) {
            counted.insert(key);
            row.firstNotice = true;
            ++reg.reports;
            if (row.minutes && *row.minutes <= kCriticalNoticeMinutes) ++reg.toldWithin10;
        }
        reg.rows << row;
    }
    q->Close();
    // Critical values saved in the period and never told: they count against the share.
    auto u = conn.CreateQuery();
    u->SQL() << QStringLiteral("SELECT r.ruid, r.WeiJiValue, coalesce(r.SavedAt, r.CreateTime) AS SavedAt FROM Report r")
             << QStringLiteral("WHERE r.WeiJiValue IS NOT NULL AND r.WeiJiValue <> ''")
             << QStringLiteral("  AND NOT EXISTS (SELECT 1 FROM CriticalNotice n WHERE n.ruid = r.ruid)")
             << QStringLiteral("  AND coalesce(r.SavedAt, r.CreateTime) >= %1 AND coalesce(r.SavedAt, r.CreateTime) < %2").arg(lo, hi)
             << QStringLiteral("ORDER BY coalesce(r.SavedAt, r.CreateTime)");
    u->Open();
    QList<TCriticalRegisterRow> untold;
    for (; !u->Eof(); u->Next()) {
        const QString value = u->FieldByName(QStringLiteral("WeiJiValue")).AsString();
        const QString ruid = u->FieldByName(QStringLiteral("ruid")).AsString();
        if (!HasCriticalValue(value) || counted.contains(ruid.toLower())) continue;
        counted.insert(ruid.toLower());   // a report with duplicate rows counts once
        TCriticalRegisterRow row;
        row.notice.ruid = ruid;
        row.notice.criticalValue = value.trimmed();
        row.notice.reportSavedAt = DateTimeOf(u->FieldByName(QStringLiteral("SavedAt")));
        ++reg.reports;
        untold << row;
    }
    u->Close();
    reg.rows << untold;
    for (TCriticalRegisterRow& row : reg.rows) std::tie(row.accnu, row.patientName) = patientOf(row.notice.ruid);
    return reg;
}

namespace {

QString CsvField(QString s)
{
    if (s.contains(QLatin1Char(',')) || s.contains(QLatin1Char('"')) || s.contains(QLatin1Char('\n')) || s.contains(QLatin1Char('\r')))
        return QLatin1Char('"') + s.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
    return s;
}

QString TimeText(const QDateTime& t)
{
    return t.isValid() ? t.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")) : QString();
}

} // namespace

void WriteCriticalRegister(const TCriticalRegister& reg, QTextStream& out, bool csv)
{
    const QStringList header = {QStringLiteral("通知编号"), QStringLiteral("报告GUID"), QStringLiteral("检查号"), QStringLiteral("患者"),
                                QStringLiteral("危急值"), QStringLiteral("报告保存"), QStringLiteral("通知时间"), QStringLiteral("分钟"),
                                QStringLiteral("接收人"), QStringLiteral("科室"), QStringLiteral("电话/方式"), QStringLiteral("通知人"),
                                QStringLiteral("更正")};
    const QChar sep = csv ? QLatin1Char(',') : QLatin1Char('\t');
    const auto line = [&](const QStringList& fields) {
        QStringList f = fields;
        if (csv) std::transform(f.begin(), f.end(), f.begin(), CsvField);
        else std::transform(f.begin(), f.end(), f.begin(), [](QString s) { return s.replace(QLatin1Char('\t'), QLatin1Char(' ')).replace(QLatin1Char('\n'), QLatin1Char(' ')); });
        out << f.join(sep) << '\n';
    };
    line(header);
    for (const TCriticalRegisterRow& r : reg.rows) {
        const TCriticalNotice& n = r.notice;
        line({n.id ? QString::number(n.id) : QStringLiteral("未通知"), n.ruid, r.accnu, r.patientName, n.criticalValue,
              TimeText(n.reportSavedAt), TimeText(n.noticeTime), r.minutes ? QString::number(*r.minutes, 'f', 1) : QString(),
              n.receiverName, n.receiverDept, n.receiverPhone, n.toldBy, n.corrects ? QString::number(n.corrects) : QString()});
    }
    if (!csv)
        out << QStringLiteral("%1 份危急值报告，%2 份在 %3 分钟内通知（%4%）\n")
                   .arg(reg.reports).arg(reg.toldWithin10).arg(kCriticalNoticeMinutes).arg(reg.SharePercent(), 0, 'f', 1);
}

std::optional<TSecondCheck> ParseSecondCheck(const QString& text)
{
    const QString t = text.trimmed().toLower();
    if (t.isEmpty() || t == QLatin1String("second-doctor-or-twice")) return TSecondCheck::SecondDoctorOrTwice;
    if (t == QLatin1String("second-doctor")) return TSecondCheck::SecondDoctor;
    if (t == QLatin1String("off") || t == QLatin1String("0")) return TSecondCheck::Off;
    return std::nullopt;
}

TSecondCheckVerdict SecondCheckAtSigning(TSecondCheck rule, bool hasCriticalValue, const QString& reportDoctorCode,
                                         const QString& signerCode)
{
    if (rule == TSecondCheck::Off || !hasCriticalValue) return TSecondCheckVerdict::Allowed;
    // A report without a recorded doctor counts as the signer's own: nobody else has read it.
    const bool sameDoctor = reportDoctorCode.trimmed().isEmpty()
                            || reportDoctorCode.trimmed().compare(signerCode.trimmed(), Qt::CaseInsensitive) == 0;
    if (!sameDoctor) return TSecondCheckVerdict::Allowed;
    return rule == TSecondCheck::SecondDoctor ? TSecondCheckVerdict::Refused : TSecondCheckVerdict::ConfirmTwice;
}

TSecondCheckVerdict SecondCheckForReport(TDbConnection& conn, const QString& ruid, TSecondCheck rule, const QString& signerCode)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT WeiJiValue, ReportDoctorCode FROM Report WHERE ruid = %1").arg(QuotedStr(ruid));
    q->Open();
    if (q->Eof()) throw EDatabaseError(QStringLiteral("no report with GUID %1").arg(ruid));
    return SecondCheckAtSigning(rule, HasCriticalValue(q->FieldByName(QStringLiteral("WeiJiValue")).AsString()),
                                q->FieldByName(QStringLiteral("ReportDoctorCode")).AsString(), signerCode);
}
