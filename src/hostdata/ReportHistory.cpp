// SPDX-License-Identifier: MIT
#include "ReportHistory.h"
#include "report/ReportConflict.h"
#include "report/ReportData.h"

namespace {

QString TimeText(const TDbValue& v)
{
    return v.IsNull() ? QString() : DateTimeToQDateTime(v.AsDateTime()).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

// The columns of the load statement, for reading a whole version.
QString LoadColumns()
{
    QStringList lines = TReportData::ReportSelectSql(QString());
    lines.removeLast();
    QString cols = lines.join(QString());
    cols.remove(0, cols.indexOf(QLatin1String("ruid")));
    cols.truncate(cols.lastIndexOf(QLatin1String(" FROM ")));
    return cols;
}

QString SizeExpression(const QString& dialect)
{
    const QString len = dialect == QLatin1String("sqlserver") ? QStringLiteral("LEN") : QStringLiteral("length");
    QStringList parts;
    for (const char* c : {"SuoJian", "JieLun", "JianYi", "rtf_SuoJian", "rtf_JieLun", "BeiZhu", "lczd", "ItemName", "jcMethod", "jcpart"})
        parts << QStringLiteral("coalesce(%1(%2), 0)").arg(len, QLatin1String(c));
    return parts.join(QStringLiteral(" + "));
}


} // namespace

bool ReportHistoryAvailable(TDbConnection& conn)
{
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT count(*) AS n FROM ReportHistory WHERE 1=0");
        q->Open();
        q->Close();
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

QList<TReportVersion> ListReportVersions(TDbConnection& conn, const QString& ruid)
{
    const QString dialect = conn.Dialect();
    QList<TReportVersion> out;
    auto read = [&](const QString& sql, bool current) {
        auto q = conn.CreateQuery();
        q->SQL() << sql;
        q->Open();
        for (q->First(); !q->Eof(); q->Next()) {
            TReportVersion v;
            v.historyId = current ? 0 : q->FieldByName(QStringLiteral("HistoryId")).Variant().toLongLong();
            v.operation = current ? QStringLiteral("C") : q->FieldByName(QStringLiteral("Operation")).AsString().trimmed();
            v.rowVersion = q->FieldByName(QStringLiteral("RowVersion")).Variant().toLongLong();
            v.savedAt = TimeText(q->FieldByName(QStringLiteral("SavedAt")));
            v.savedBy = q->FieldByName(QStringLiteral("SavedBy")).AsString();
            if (!current) {
                v.replacedAt = TimeText(q->FieldByName(QStringLiteral("ReplacedAt")));
                v.replacedBy = q->FieldByName(QStringLiteral("ReplacedBy")).AsString();
            }
            v.size = q->FieldByName(QStringLiteral("Size")).Variant().toLongLong();
            out << v;
        }
        q->Close();
    };
    read(QStringLiteral("SELECT %1 AS RowVersion, SavedAt, SavedBy, %2 AS Size FROM Report WHERE ruid=%3")
             .arg(RowStampExpression(conn), SizeExpression(dialect), QuotedStr(ruid)),
         true);
    read(QStringLiteral("SELECT HistoryId, Operation, RowVersion, SavedAt, SavedBy, ReplacedAt, ReplacedBy, %1 AS Size "
                        "FROM ReportHistory WHERE ruid=%2 ORDER BY HistoryId DESC")
             .arg(SizeExpression(dialect), QuotedStr(ruid)),
         false);
    return out;
}

bool ReadReportVersion(TDbConnection& conn, qint64 historyId, TReportInfo& out)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT %1 FROM ReportHistory WHERE HistoryId=%2").arg(LoadColumns()).arg(historyId);
    q->Open();
    if (q->RecordCount() < 1) return false;
    q->First();
    // RTF is kept as stored; ReadReportFields trims like loading does, which RTF survives.
    ReadReportFields(*q, out);
    q->Close();
    return true;
}

int ReportHistoryKeep(TDbConnection& conn)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT value FROM wr_setting WHERE name='ReportHistoryKeep'");
    q->Open();
    const int keep = q->RecordCount() > 0 ? q->FieldByName(QStringLiteral("value")).AsString().trimmed().toInt() : 0;
    q->Close();
    return keep;
}
