// SPDX-License-Identifier: MIT
#include "WorklistQuery.h"
#include "CriticalValues.h"

namespace {

const QString kColumns = QStringLiteral("r.ruid, r.Accnu, r.CreateTime, r.ReportState, r.ItemName");
const QString kOrder = QStringLiteral("ORDER BY r.CreateTime DESC, r.ruid DESC");

QDateTime ToDateTime(const TDbValue& v)
{
    if (v.IsNull()) return {};
    try {
        return DateTimeToQDateTime(v.AsDateTime());
    } catch (const EConvertError&) {
        return {};
    }
}

} // namespace

QString ContainsPattern(const QString& text)
{
    QString p;
    for (const QChar c : text.toLower()) {
        if (c == u'!' || c == u'%' || c == u'_' || c == u'[') p += u'!';
        p += c;
    }
    return QStringLiteral("%") + p + QStringLiteral("%");
}

QString TWorklistQuery::DateLiteral(const QDateTime& at) const
{
    // SQL Server reads the ISO form with 'T' the same under every language setting; SQLite
    // compares the stored text, which has a blank there.
    const bool sqlServer = m_conn.Dialect() == QLatin1String("sqlserver");
    return QuotedStr(at.toString(sqlServer ? QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")
                                           : QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")));
}

QString TWorklistQuery::KeyLiteral(const QVariant& created) const
{
    // SQLite keeps date-times as text: continue from exactly the text stored.
    if (created.typeId() == QMetaType::QString) return QuotedStr(created.toString());
    return DateLiteral(created.toDateTime());
}

QStringList TWorklistQuery::FilterConditions(const TWorklistFilter& f) const
{
    QStringList c;
    if (f.days.from.isValid()) c << QStringLiteral("r.CreateTime >= %1").arg(DateLiteral(f.days.from.startOfDay()));
    if (f.days.to.isValid())
        c << QStringLiteral("r.CreateTime < %1").arg(DateLiteral(f.days.to.addDays(1).startOfDay()));
    const QString status = StatusCondition(f.status, QStringLiteral("r.ReportState"));
    if (!status.isEmpty()) c << status;
    const QString search = f.search.trimmed();
    if (!search.isEmpty()) {
        const QString p = QuotedStr(ContainsPattern(search));
        QStringList any{QStringLiteral("LOWER(r.Accnu) LIKE %1 ESCAPE '!'").arg(p),
                        QStringLiteral("LOWER(r.ItemName) LIKE %1 ESCAPE '!'").arg(p)};
        if (m_withStudy == 1) any << QStringLiteral("LOWER(s.PatientName) LIKE %1 ESCAPE '!'").arg(p);
        c << QStringLiteral("(%1)").arg(any.join(QLatin1String(" OR ")));
    }
    return c;
}

bool TWorklistQuery::HasStudy()
{
    if (m_withStudy < 0) {
        // Sites without the Study table still get a work list, without names.
        auto q = m_conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT COUNT(*) AS n FROM Study WHERE 1 = 0");
        try {
            q->Open();
            m_withStudy = 1;
        } catch (const EDatabaseError&) {
            m_withStudy = 0;
        }
    }
    return m_withStudy == 1;
}

bool TWorklistQuery::HasSignedEdits()
{
    if (m_withSignedEdits < 0) {
        // A database not yet upgraded still gets its work list, without the marker.
        auto q = m_conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT COUNT(*) AS n FROM Report WHERE SignedEdits = 1 AND 1 = 0");
        try {
            q->Open();
            m_withSignedEdits = 1;
        } catch (const EDatabaseError&) {
            m_withSignedEdits = 0;
        }
    }
    return m_withSignedEdits == 1;
}

bool TWorklistQuery::HasCriticalRegister()
{
    if (m_withCriticalRegister < 0) {
        // Without the register nothing can be told, so nothing is marked as waiting for it.
        auto q = m_conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT COUNT(*) AS n FROM CriticalNotice WHERE 1 = 0");
        try {
            q->Open();
            m_withCriticalRegister = 1;
        } catch (const EDatabaseError&) {
            m_withCriticalRegister = 0;
        }
    }
    return m_withCriticalRegister == 1;
}

QList<TWorklistEntry> TWorklistQuery::Run(const QStringList& conditions, int limit)
{
    const bool sqlServer = m_conn.Dialect() == QLatin1String("sqlserver");
    const bool withStudy = HasStudy();
    const bool withSignedEdits = HasSignedEdits();
    std::unique_ptr<TDbQuery> q = m_conn.CreateQuery();
    const bool withCritical = HasCriticalRegister();
    q->SQL() << QStringLiteral("SELECT %1%2%3%4%5")
                    .arg(sqlServer ? QStringLiteral("TOP (%1) ").arg(limit) : QString(), kColumns,
                         withStudy ? QStringLiteral(", s.PatientName") : QString(),
                         withSignedEdits ? QStringLiteral(", r.SignedEdits") : QString(),
                         withCritical ? QStringLiteral(", r.WeiJiValue, CASE WHEN EXISTS (SELECT 1 FROM CriticalNotice n "
                                                       "WHERE n.ruid = r.ruid) THEN 1 ELSE 0 END AS CriticalTold")
                                      : QString());
    q->SQL() << (withStudy ? QStringLiteral("FROM Report r LEFT JOIN Study s ON s.Accnu = r.Accnu")
                           : QStringLiteral("FROM Report r"));
    q->SQL() << QStringLiteral("WHERE r.CreateTime IS NOT NULL");
    for (const QString& c : conditions) q->SQL() << QStringLiteral("  AND ") + c;
    q->SQL() << kOrder;
    if (!sqlServer) q->SQL() << QStringLiteral("LIMIT %1").arg(limit);
    q->Open();
    QList<TWorklistEntry> rows;
    for (; !q->Eof(); q->Next()) {
        TWorklistEntry e;
        e.ruid = q->FieldByName(QStringLiteral("ruid")).AsString();
        e.accnu = q->FieldByName(QStringLiteral("Accnu")).AsString();
        if (withStudy) e.patientName = q->FieldByName(QStringLiteral("PatientName")).AsString();
        const TDbValue created = q->FieldByName(QStringLiteral("CreateTime"));
        e.created = ToDateTime(created);
        e.createdKey = created.Variant();
        const TDbValue state = q->FieldByName(QStringLiteral("ReportState"));
        e.stateNull = state.IsNull();
        try {
            e.state = e.stateNull ? 0 : state.AsInteger();
        } catch (const EConvertError&) {
            e.state = 0;
            e.stateNull = true;
        }
        e.itemNames = q->FieldByName(QStringLiteral("ItemName")).AsString();
        if (withSignedEdits) {
            try {
                e.signedEdits = q->FieldByName(QStringLiteral("SignedEdits")).AsInteger();
            } catch (const EConvertError&) {
                e.signedEdits = 0;
            }
        }
        if (withCritical)
            e.criticalUntold = HasCriticalValue(q->FieldByName(QStringLiteral("WeiJiValue")).AsString())
                               && q->FieldByName(QStringLiteral("CriticalTold")).AsString() != QLatin1String("1");
        rows << e;
    }
    return rows;
}

TWorklistPage TWorklistQuery::Page(const TWorklistFilter& filter, const TWorklistKey& after, int pageSize)
{
    pageSize = qMax(1, pageSize);
    HasStudy();  // the search conditions depend on it
    QStringList c = FilterConditions(filter);
    if (after.valid) {
        const QString t = KeyLiteral(after.created);
        c << QStringLiteral("(r.CreateTime < %1 OR (r.CreateTime = %1 AND r.ruid < %2))").arg(t, QuotedStr(after.ruid));
    }
    QList<TWorklistEntry> rows = Run(c, pageSize + 1);
    TWorklistPage page;
    page.more = rows.size() > pageSize;
    if (page.more) rows.removeLast();
    page.rows = rows;
    page.next = rows.isEmpty() ? after : TWorklistKey{rows.last().createdKey, rows.last().ruid, true};
    return page;
}

std::optional<TWorklistEntry> TWorklistQuery::Row(const QString& ruid, const TWorklistFilter& filter)
{
    HasStudy();
    const QList<TWorklistEntry> rows =
        Run(FilterConditions(filter) << QStringLiteral("r.ruid = %1").arg(QuotedStr(ruid)), 1);
    if (rows.isEmpty()) return std::nullopt;
    return rows.first();
}

std::optional<TWorklistEntry> TWorklistQuery::Newest()
{
    const QList<TWorklistEntry> rows = Run({}, 1);
    if (rows.isEmpty()) return std::nullopt;
    return rows.first();
}

std::optional<TWorklistEntry> TWorklistQuery::NewestOfAccession(const QString& accnu)
{
    HasStudy();
    const QList<TWorklistEntry> rows = Run({QStringLiteral("r.Accnu = %1").arg(QuotedStr(accnu))}, 1);
    if (rows.isEmpty()) return std::nullopt;
    return rows.first();
}
