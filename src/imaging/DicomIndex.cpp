// SPDX-License-Identifier: MIT
#include "DicomIndex.h"
#include "DicomHeader.h"
#include "platform/DateTime.h"

namespace wr::imaging {

namespace {

const QString kColumns = QStringLiteral(
    "SopInstanceUid, SopClassUid, StudyInstanceUid, SeriesInstanceUid, AccessionNumber, AssignedAccnu, PatientId, "
    "PatientName, Modality, InstanceNumber, Frames, Width, Height, FileSize, ReceivedAt, StoreName, FilePath, "
    "ForwardState, ForwardAttempts, ForwardError, ArchivedAt, RemovedAt");

QDateTime OptionalTime(const TDbValue& v) { return v.IsNull() ? QDateTime() : DateTimeToQDateTime(v.AsDateTime()); }

TDicomInstance RowOf(const TDbQuery& q)
{
    TDicomInstance r;
    r.sopInstanceUid = q.FieldByName(QStringLiteral("SopInstanceUid")).AsString();
    r.sopClassUid = q.FieldByName(QStringLiteral("SopClassUid")).AsString();
    r.studyInstanceUid = q.FieldByName(QStringLiteral("StudyInstanceUid")).AsString();
    r.seriesInstanceUid = q.FieldByName(QStringLiteral("SeriesInstanceUid")).AsString();
    r.accessionNumber = q.FieldByName(QStringLiteral("AccessionNumber")).AsString();
    r.assignedAccnu = q.FieldByName(QStringLiteral("AssignedAccnu")).AsString();
    r.patientId = q.FieldByName(QStringLiteral("PatientId")).AsString();
    r.patientName = q.FieldByName(QStringLiteral("PatientName")).AsString();
    r.modality = q.FieldByName(QStringLiteral("Modality")).AsString();
    r.instanceNumber = q.FieldByName(QStringLiteral("InstanceNumber")).AsInteger();
    r.frames = q.FieldByName(QStringLiteral("Frames")).AsInteger();
    r.width = q.FieldByName(QStringLiteral("Width")).AsInteger();
    r.height = q.FieldByName(QStringLiteral("Height")).AsInteger();
    r.fileSize = q.FieldByName(QStringLiteral("FileSize")).Variant().toLongLong();
    r.receivedAt = OptionalTime(q.FieldByName(QStringLiteral("ReceivedAt")));
    r.storeName = q.FieldByName(QStringLiteral("StoreName")).AsString();
    r.filePath = q.FieldByName(QStringLiteral("FilePath")).AsString();
    r.forwardState = static_cast<TForwardState>(q.FieldByName(QStringLiteral("ForwardState")).AsInteger());
    r.forwardAttempts = q.FieldByName(QStringLiteral("ForwardAttempts")).AsInteger();
    r.forwardError = q.FieldByName(QStringLiteral("ForwardError")).AsString();
    r.archivedAt = OptionalTime(q.FieldByName(QStringLiteral("ArchivedAt")));
    r.removedAt = OptionalTime(q.FieldByName(QStringLiteral("RemovedAt")));
    return r;
}

} // namespace

TDicomIndex::TDicomIndex(TDbConnection& db) : m_db(db) {}

QString TDicomIndex::Literal(const QString& text) const
{
    // Chinese accessions and names must reach SQL Server as national text.
    return (m_db.Dialect() == QLatin1String("sqlserver") ? QStringLiteral("N") : QString()) + QuotedStr(text);
}

bool TDicomIndex::HasSchema()
{
    try {
        auto q = m_db.CreateQuery();
        q->SQL() << QStringLiteral("SELECT count(*) AS n FROM DicomInstance WHERE 1 = 0");
        q->Open();
        q->Close();
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

std::vector<TDicomInstance> TDicomIndex::Select(const QString& where, const QString& orderBy, int limit)
{
    const bool sqlServer = m_db.Dialect() == QLatin1String("sqlserver");
    auto q = m_db.CreateQuery();
    QString sql = QStringLiteral("SELECT ");
    if (limit > 0 && sqlServer) sql += QStringLiteral("TOP %1 ").arg(limit);
    sql += kColumns + QStringLiteral(" FROM DicomInstance WHERE ") + where;
    if (!orderBy.isEmpty()) sql += QStringLiteral(" ORDER BY ") + orderBy;
    if (limit > 0 && !sqlServer) sql += QStringLiteral(" LIMIT %1").arg(limit);
    q->SQL() << sql;
    q->Open();
    std::vector<TDicomInstance> rows;
    for (q->First(); !q->Eof(); q->Next()) rows.push_back(RowOf(*q));
    q->Close();
    return rows;
}

std::vector<TDicomInstance> TDicomIndex::ListExam(const QString& accnu)
{
    const QString a = accnu.trimmed();
    if (a.isEmpty()) return {};
    // A machine that dropped or mistyped the accession still sends back the exam's Study
    // Instance UID that the worklist gave it.
    return Select(QStringLiteral("(AssignedAccnu = %1 OR (AssignedAccnu IS NULL AND (AccessionNumber = %1 OR "
                                 "StudyInstanceUid = (SELECT s.StudyUid FROM Study s WHERE s.Accnu = %1 AND s.StudyUid <> ''))))")
                      .arg(Literal(a)),
                  QStringLiteral("SeriesInstanceUid, InstanceNumber, ReceivedAt, SopInstanceUid"), 0);
}

std::vector<TDicomInstance> TDicomIndex::ListStudy(const QString& studyInstanceUid)
{
    return Select(QStringLiteral("StudyInstanceUid = %1").arg(Literal(studyInstanceUid.trimmed())),
                  QStringLiteral("SeriesInstanceUid, InstanceNumber, ReceivedAt, SopInstanceUid"), 0);
}

std::vector<TDicomInstance> TDicomIndex::ListUnmatched(int limit)
{
    return Select(QStringLiteral("AssignedAccnu IS NULL AND NOT EXISTS (SELECT 1 FROM Study s WHERE (s.Accnu = "
                                 "DicomInstance.AccessionNumber AND DicomInstance.AccessionNumber <> '') OR "
                                 "(s.StudyUid = DicomInstance.StudyInstanceUid AND s.StudyUid <> ''))"),
                  QStringLiteral("ReceivedAt DESC, SopInstanceUid"), limit);
}

std::optional<TDicomInstance> TDicomIndex::Find(const QString& sopInstanceUid)
{
    auto rows = Select(QStringLiteral("SopInstanceUid = %1").arg(Literal(sopInstanceUid.trimmed())), QString(), 0);
    if (rows.empty()) return std::nullopt;
    return rows.front();
}

QString TDicomIndex::ChangeSignature()
{
    auto q = m_db.CreateQuery();
    q->SQL() << QStringLiteral("SELECT count(*) AS n, count(AssignedAccnu) AS a, max(ReceivedAt) AS t, "
                               "count(RemovedAt) AS r FROM DicomInstance");
    q->Open();
    QStringList parts;
    for (const char* f : {"n", "a", "t", "r"}) parts << q->FieldByName(QLatin1String(f)).AsString();
    return parts.join(QLatin1Char('|'));
}

QByteArray TDicomIndex::ThumbnailJpeg(const QString& sopInstanceUid)
{
    auto q = m_db.CreateQuery();
    q->SQL() << QStringLiteral("SELECT Thumbnail FROM DicomInstance WHERE SopInstanceUid = %1").arg(Literal(sopInstanceUid.trimmed()));
    q->Open();
    QByteArray jpeg;
    if (!q->Eof()) jpeg = QByteArray::fromBase64(q->FieldByName(QStringLiteral("Thumbnail")).AsString().toLatin1());
    q->Close();
    return jpeg;
}

QImage TDicomIndex::Thumbnail(const QString& sopInstanceUid)
{
    return QImage::fromData(ThumbnailJpeg(sopInstanceUid), "JPEG");
}

void TDicomIndex::Assign(const QString& sopInstanceUid, const QString& accnu)
{
    auto p = m_db.CreateStoredProc();
    p->SetProcedureName(QStringLiteral("sp_DicomAssignInstance"));
    p->RefreshParameters();
    p->ParamByName(QStringLiteral("@SopInstanceUid")).SetAsString(sopInstanceUid.trimmed());
    p->ParamByName(QStringLiteral("@Accnu")).SetAsString(accnu.trimmed());
    p->ExecProc();
}

void TDicomIndex::IndexInstance(const TDicomHeader& h, qint64 fileSize, const QString& storeName, const QString& filePath,
                                const QByteArray& thumbnailJpeg, bool forwardPending)
{
    auto p = m_db.CreateStoredProc();
    p->SetProcedureName(QStringLiteral("sp_DicomIndexInstance"));
    p->RefreshParameters();
    auto text = [&](const char* name, const QString& value, int max) {
        p->ParamByName(QString::fromLatin1(name)).SetAsString(value.left(max));
    };
    text("@SopInstanceUid", h.sopInstanceUid, 64);
    text("@SopClassUid", h.sopClassUid, 64);
    text("@StudyInstanceUid", h.studyInstanceUid, 64);
    text("@SeriesInstanceUid", h.seriesInstanceUid, 64);
    text("@AccessionNumber", h.accessionNumber, 100);
    text("@PatientId", h.patientId, 64);
    text("@PatientName", h.patientName, 200);
    text("@Modality", h.modality, 16);
    p->ParamByName(QStringLiteral("@InstanceNumber")).SetAsInteger(h.instanceNumber);
    p->ParamByName(QStringLiteral("@Frames")).SetAsInteger(h.frames);
    p->ParamByName(QStringLiteral("@Width")).SetAsInteger(h.width);
    p->ParamByName(QStringLiteral("@Height")).SetAsInteger(h.height);
    p->ParamByName(QStringLiteral("@FileSize")).Value = TDbValue(QVariant(fileSize));
    text("@StoreName", storeName, 200);
    text("@FilePath", filePath, 800);
    p->ParamByName(QStringLiteral("@Thumbnail")).SetAsString(QString::fromLatin1(thumbnailJpeg.toBase64()));
    p->ParamByName(QStringLiteral("@ForwardPending")).SetAsInteger(forwardPending ? 1 : 0);
    p->ExecProc();
}

std::vector<TDicomInstance> TDicomIndex::PendingForward(const QString& storeName, int limit)
{
    return Select(QStringLiteral("StoreName = %1 AND ForwardState = 1 AND RemovedAt IS NULL").arg(Literal(storeName)),
                  QStringLiteral("ReceivedAt, SopInstanceUid"), limit);
}

void TDicomIndex::RecordForward(const QString& sopInstanceUid, bool archived, const QString& error)
{
    auto p = m_db.CreateStoredProc();
    p->SetProcedureName(QStringLiteral("sp_DicomForwardResult"));
    p->RefreshParameters();
    p->ParamByName(QStringLiteral("@SopInstanceUid")).SetAsString(sopInstanceUid);
    p->ParamByName(QStringLiteral("@Archived")).SetAsInteger(archived ? 1 : 0);
    p->ParamByName(QStringLiteral("@ForwardError")).SetAsString(error.left(1000));
    p->ExecProc();
}

std::vector<TDicomInstance> TDicomIndex::Prunable(const QString& storeName, int keepDays, int limit)
{
    const int days = std::max(0, keepDays);
    QString cutoff;
    const QString dialect = m_db.Dialect();
    if (dialect == QLatin1String("sqlserver"))
        cutoff = QStringLiteral("DATEADD(day, -%1, SYSDATETIME())").arg(days);
    else if (dialect == QLatin1String("postgresql"))
        cutoff = QStringLiteral("(localtimestamp - interval '%1 days')").arg(days);
    else
        cutoff = QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-%1 days')").arg(days);
    return Select(QStringLiteral("StoreName = %1 AND ForwardState = 2 AND RemovedAt IS NULL AND ArchivedAt <= %2")
                      .arg(Literal(storeName), cutoff),
                  QStringLiteral("ArchivedAt, SopInstanceUid"), limit);
}

void TDicomIndex::MarkRemoved(const QString& sopInstanceUid)
{
    auto p = m_db.CreateStoredProc();
    p->SetProcedureName(QStringLiteral("sp_DicomFileRemoved"));
    p->RefreshParameters();
    p->ParamByName(QStringLiteral("@SopInstanceUid")).SetAsString(sopInstanceUid);
    p->ExecProc();
}

}  // namespace wr::imaging
