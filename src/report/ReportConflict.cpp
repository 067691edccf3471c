// SPDX-License-Identifier: MIT
#include "ReportConflict.h"
#include "ReportColumns.h"
#include "ReportText.h"
#include <algorithm>

using report_text::TrimText;

namespace {

QString Normalised(const QString& s)
{
    QString t = TrimText(s);
    t.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    t.replace(QChar(0x2029), QLatin1Char('\n'));
    return t;
}

// The columns the conflict table compares, in the order the form shows their sections.
const QList<const TReportColumn*>& ComparedColumns()
{
    static const QList<const TReportColumn*> columns = [] {
        QList<const TReportColumn*> r;
        for (const TReportColumn& c : ReportColumnTable())
            if (c.HasField() && c.section != TReportSection::None && c.kind != TColumnKind::DateTime
                && c.kind != TColumnKind::RichText)
                r << &c;
        std::stable_sort(r.begin(), r.end(), [](auto* a, auto* b) { return a->section < b->section; });
        return r;
    }();
    return columns;
}

// A compared column's value as the conflict table shows it.
QString ShownValue(const TReportInfo& r, const TReportColumn& c)
{
    switch (c.kind) {
    case TColumnKind::Flag: return r.*c.flag ? QStringLiteral("阳性") : QStringLiteral("阴性");
    case TColumnKind::Integer: return QString::number(r.*c.integer);
    default: return Normalised(r.*c.text);
    }
}

QString RowStampExpression(TRowStamping stamping)
{
    switch (stamping) {
    case TRowStamping::ServerRowVersion: return QStringLiteral("CAST(RowVersion AS bigint)");
    case TRowStamping::SeparateTable:
        return QStringLiteral("coalesce((SELECT s.RowVersion FROM ReportStamp s WHERE s.ruid = Report.ruid), 1)");
    case TRowStamping::TriggerSetsColumn: break;
    }
    return QStringLiteral("RowVersion");
}

} // namespace

QString RowStampExpression(const TDbConnection& conn) { return RowStampExpression(conn.RowStamping()); }

bool IsSaveConflictError(const QString& message) { return message.contains(QLatin1String("WR-CONFLICT")); }

TRowStamp ReadRowStamp(TDbConnection& conn, const QString& ruid)
{
    TRowStamp stamp;
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT %1 AS RowVersion, SavedBy, SavedAt FROM Report").arg(RowStampExpression(conn))
                 << QStringLiteral(" WHERE ruid=") + QuotedStr(ruid)
                 << QStringLiteral(" ORDER BY 1 DESC");
        q->Open();
        if (q->RecordCount() < 1) {
            stamp.version = 0;
        } else {
            q->First();
            stamp.version = q->FieldByName(QStringLiteral("RowVersion")).Variant().toLongLong();
            stamp.savedBy = q->FieldByName(QStringLiteral("SavedBy")).AsString();
            const TDbValue at = q->FieldByName(QStringLiteral("SavedAt"));
            if (!at.IsNull())
                stamp.savedAt = DateTimeToQDateTime(at.AsDateTime()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
        }
        q->Close();
    } catch (const Exception&) {
        // A database made before stamps existed: saves go unchecked, as they always did.
        stamp = TRowStamp();
    }
    return stamp;
}

bool ReadStoredReport(TDbConnection& conn, const QString& ruid, TReportInfo& out)
{
    auto q = conn.CreateQuery();
    q->SQL() = ReportSelectSql(ruid);
    q->Open();
    if (q->RecordCount() < 1) return false;
    q->First();
    ReadReportFields(*q, out);
    out.FRuid = ruid;
    q->Close();
    return true;
}

void ReadReportFields(const TDbQuery& q, TReportInfo& out)
{
    TReportInfo r;
    for (const TReportColumn* c : ReportRecordColumns()) ReadReportColumn(q, *c, r);
    out = r;
}

QList<TConflictSection> DifferingSections(const TReportInfo& theirs, const TReportInfo& mine)
{
    QList<TConflictSection> out;
    for (const TReportColumn* c : ComparedColumns()) {
        const QString a = ShownValue(theirs, *c), b = ShownValue(mine, *c);
        if (a != b) out.append({c->Label(), a, b});
    }
    return out;
}
