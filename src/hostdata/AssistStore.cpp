// SPDX-License-Identifier: MIT
#include "AssistStore.h"
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

QString AssistDocumentToJson(const TAssistDocument& doc)
{
    QJsonObject o;
    o.insert(QStringLiteral("organ"), doc.organ);
    o.insert(QStringLiteral("systems"), QJsonArray::fromStringList(doc.systems));
    if (!doc.earlierRuid.isEmpty()) o.insert(QStringLiteral("earlier"), doc.earlierRuid);
    QJsonArray nodules;
    for (const TAssistNodule& n : doc.nodules) {
        QJsonObject no;
        for (auto it = n.cbegin(); it != n.cend(); ++it) no.insert(it.key(), it.value());
        nodules.append(no);
    }
    o.insert(QStringLiteral("nodules"), nodules);
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

bool AssistDocumentFromJson(const QString& json, TAssistDocument* doc, QString* error)
{
    auto fail = [&](const QString& why) {
        if (error) *error = why;
        return false;
    };
    QJsonParseError pe;
    const QJsonDocument d = QJsonDocument::fromJson(json.toUtf8(), &pe);
    if (pe.error != QJsonParseError::NoError) return fail(pe.errorString());
    if (!d.isObject()) return fail(QStringLiteral("not an object"));
    const QJsonObject o = d.object();
    TAssistDocument out;
    if (!o.value(QStringLiteral("organ")).isString()) return fail(QStringLiteral("no organ"));
    out.organ = o.value(QStringLiteral("organ")).toString();
    for (const QJsonValue& s : o.value(QStringLiteral("systems")).toArray()) out.systems << s.toString();
    out.earlierRuid = o.value(QStringLiteral("earlier")).toString();
    if (!o.value(QStringLiteral("nodules")).isArray()) return fail(QStringLiteral("no nodules"));
    for (const QJsonValue& v : o.value(QStringLiteral("nodules")).toArray()) {
        if (!v.isObject()) return fail(QStringLiteral("a nodule is not an object"));
        TAssistNodule n;
        const QJsonObject no = v.toObject();
        for (auto it = no.begin(); it != no.end(); ++it) {
            if (!it.value().isString()) return fail(QStringLiteral("answer '%1' is not a text").arg(it.key()));
            n.insert(it.key(), it.value().toString());
        }
        out.nodules << n;
    }
    *doc = out;
    return true;
}

bool StructuredFindingsAvailable(TDbConnection& conn)
{
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT count(*) AS n FROM StructuredFinding WHERE 1=0");
        q->Open();
        q->Close();
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

void SaveStructuredFinding(TDbConnection& conn, const QString& ruid, const TAssistDocument& doc, const QString& savedBy)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QStringLiteral("sp_SaveStructuredFinding"));
    sp->RefreshParameters();
    sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
    sp->ParamByName(QStringLiteral("@Organ")).SetAsString(doc.organ);
    sp->ParamByName(QStringLiteral("@Document")).SetAsString(doc.nodules.isEmpty() ? QString() : AssistDocumentToJson(doc));
    sp->ParamByName(QStringLiteral("@SavedBy")).SetAsString(savedBy);
    sp->ExecProc();
    sp->Close();
}

namespace {

std::optional<TAssistDocument> FirstDocument(TDbConnection& conn, const QString& sql, const QString& ruid)
{
    auto q = conn.CreateQuery();
    q->SQL() << sql;
    q->Open();
    std::optional<TAssistDocument> out;
    q->First();
    if (!q->Eof()) {
        const QString text = q->FieldByName(QStringLiteral("Document")).AsString();
        if (!text.isEmpty()) {
            TAssistDocument doc;
            QString error;
            if (!AssistDocumentFromJson(text, &doc, &error))
                throw EDatabaseError(QStringLiteral("报告 %1 的结构化数据无法读取：%2").arg(ruid, error));
            out = doc;
        }
    }
    q->Close();
    return out;
}

} // namespace

std::optional<TAssistDocument> ReadStructuredFinding(TDbConnection& conn, const QString& ruid, const QString& organ)
{
    return FirstDocument(conn,
                         QStringLiteral("SELECT Document FROM StructuredFinding WHERE ruid = %1 AND Organ = %2")
                             .arg(QuotedStr(ruid), QuotedStr(organ)),
                         ruid);
}

std::optional<TAssistDocument> ReadStructuredFindingAt(TDbConnection& conn, const QString& ruid, const QString& organ,
                                                       qint64 reportVersion)
{
    // The current document and the kept ones, newest first; the first saved at or before the
    // version is the one that went with it.
    const QString where = QStringLiteral("ruid = %1 AND Organ = %2 AND ReportVersion <= %3")
                              .arg(QuotedStr(ruid), QuotedStr(organ)).arg(reportVersion);
    return FirstDocument(conn,
                         QStringLiteral("SELECT Document, 0 AS Kept, 0 AS HistoryId FROM StructuredFinding WHERE %1 "
                                        "UNION ALL SELECT Document, 1 AS Kept, HistoryId FROM StructuredFindingHistory WHERE %1 "
                                        "ORDER BY 2, 3 DESC")
                             .arg(where),
                         ruid);
}

std::optional<TAssistEarlier> FindEarlierStructuredFinding(TDbConnection& conn, const QString& ruid, const QString& organ)
{
    const QString when = QStringLiteral("coalesce(s.ExamTime, r.CreateTime)");
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT r.ruid AS ruid, f.Document AS Document, %1 AS T").arg(when)
             << QStringLiteral(" FROM StructuredFinding f JOIN Report r ON r.ruid = f.ruid JOIN Study s ON s.Accnu = r.Accnu")
             << QStringLiteral(" WHERE f.Organ = %1 AND f.Document <> '' AND r.ruid <> %2").arg(QuotedStr(organ), QuotedStr(ruid))
             << QStringLiteral(" AND s.PatientId = (SELECT max(s0.PatientId) FROM Report r0 JOIN Study s0 ON s0.Accnu = r0.Accnu"
                               " WHERE r0.ruid = %1 AND s0.PatientId <> '')").arg(QuotedStr(ruid))
             << QStringLiteral(" AND %1 < (SELECT max(coalesce(s0.ExamTime, r0.CreateTime)) FROM Report r0"
                               " LEFT JOIN Study s0 ON s0.Accnu = r0.Accnu WHERE r0.ruid = %2)").arg(when, QuotedStr(ruid))
             << QStringLiteral(" ORDER BY 3 DESC");
    q->Open();
    std::optional<TAssistEarlier> out;
    q->First();
    if (!q->Eof()) {
        TAssistEarlier e;
        e.ruid = q->FieldByName(QStringLiteral("ruid")).AsString();
        QString error;
        if (!AssistDocumentFromJson(q->FieldByName(QStringLiteral("Document")).AsString(), &e.document, &error))
            throw EDatabaseError(QStringLiteral("报告 %1 的结构化数据无法读取：%2").arg(e.ruid, error));
        out = e;
    }
    q->Close();
    return out;
}

void AttachEarlierSizes(const TAssistSystems& systems, TAssistDocument& doc, const TAssistEarlier& earlier)
{
    const TAssistRules* rules = nullptr;
    for (const TAssistRules* s : systems)
        if (!rules && s->growth.defined && s->SizeFeature()) rules = s;
    doc.earlierRuid = earlier.ruid;
    if (!rules) return;
    const TAssistFeature* size = rules->SizeFeature();
    const QList<int> pairs = PairAssistNodules(rules->growth, earlier.document.nodules, doc.nodules);
    for (int i = 0; i < doc.nodules.size(); ++i) {
        const auto before = pairs[i] < 0 ? std::nullopt : AssistSizeMicrons(*size, earlier.document.nodules[pairs[i]].value(size->key));
        if (!before) {
            doc.nodules[i].remove(QStringLiteral("@earlier"));
            continue;
        }
        doc.nodules[i].insert(QStringLiteral("@earlier"), QStringLiteral("%1x%2x%3")
                                                              .arg(AssistDecimalText((*before)[0]), AssistDecimalText((*before)[1]),
                                                                   AssistDecimalText((*before)[2])));
    }
}
