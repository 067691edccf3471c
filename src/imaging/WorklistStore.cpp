// SPDX-License-Identifier: MIT
#include "WorklistStore.h"
#include <QCryptographicHash>
#include <QUuid>

namespace wr::imaging {

namespace {

const QString kDateTimeFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz");

std::unique_ptr<TDbStoredProc> Procedure(TDbConnection& conn, const char* name)
{
    auto sp = conn.CreateStoredProc();
    sp->SetProcedureName(QLatin1String(name));
    sp->RefreshParameters();
    return sp;
}

QDateTime ExamTime(const QString& text)
{
    // 'yyyy-MM-dd HH:mm:ss[.zzz]' from every backend; a 'T' from hand-written rows.
    QString t = text.trimmed();
    t.replace(QLatin1Char('T'), QLatin1Char(' '));
    for (const char* f : {"yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-dd HH:mm", "yyyy-MM-dd"}) {
        const QDateTime d = QDateTime::fromString(t.left(QString::fromLatin1(f).size()), QLatin1String(f));
        if (d.isValid())
            return d;
    }
    return {};
}

// A non-negative number of any size as decimal digits, from its big-endian bytes.
QString Decimal(QByteArray bytes)
{
    QString digits;
    bool nonZero = true;
    while (nonZero) {
        nonZero = false;
        unsigned rem = 0;
        for (char& b : bytes) {
            const unsigned cur = (rem << 8) | static_cast<unsigned char>(b);
            b = static_cast<char>(cur / 10);
            rem = cur % 10;
            nonZero = nonZero || b != 0;
        }
        digits.prepend(QChar(u'0' + rem));
    }
    return digits;
}

}  // namespace

QList<TWorklistRow> TWorklistStore::Find(const TWorklistFilter& f)
{
    auto sp = Procedure(m_conn, "sp_WorklistFind");
    sp->ParamByName(QStringLiteral("@DateFrom")).SetAsString(f.from.toString(kDateTimeFormat));
    sp->ParamByName(QStringLiteral("@DateTo")).SetAsString(f.to.toString(kDateTimeFormat));
    sp->ParamByName(QStringLiteral("@Modality")).SetAsString(f.modality);
    sp->ParamByName(QStringLiteral("@Accnu")).SetAsString(f.accnuLike);
    sp->ParamByName(QStringLiteral("@PatientId")).SetAsString(f.patientIdLike);
    sp->ParamByName(QStringLiteral("@PatientName")).SetAsString(f.patientNameLike);
    sp->ParamByName(QStringLiteral("@StationAet")).SetAsString(f.stationAet);
    sp->ParamByName(QStringLiteral("@AccnuExact")).SetAsString(f.accnuExact);
    sp->ParamByName(QStringLiteral("@MaxRows")).SetAsInteger(f.maxRows);
    sp->ExecProc();
    const QString text = sp->ParamByName(QStringLiteral("@Matches")).Value.AsString();
    sp->Close();

    QList<TWorklistRow> rows;
    if (text.isEmpty())
        return rows;
    const QStringList records = text.split(QChar(30));
    rows.reserve(records.size());
    for (const QString& record : records) {
        const QStringList v = record.split(QChar(31));
        if (v.size() != 12)
            throw EDatabaseError(QStringLiteral("sp_WorklistFind: a row with %1 fields instead of 12").arg(v.size()));
        TWorklistRow r;
        r.accnu = v[0];
        r.patientName = v[1];
        r.sex = v[2];
        r.age = v[3];
        r.patientId = v[4];
        r.reqDept = v[5];
        r.bedNo = v[6];
        r.examTime = ExamTime(v[7]);
        r.modality = v[8];
        r.studyUid = v[9];
        r.stationAet = v[10];
        r.items = v[11];
        rows.append(r);
    }
    return rows;
}

QString TWorklistStore::KeepStudyUid(const QString& accnu, const QString& uid)
{
    if (!m_setUid)
        m_setUid = Procedure(m_conn, "sp_SetStudyUid");
    TDbStoredProc& sp = *m_setUid;
    sp.ParamByName(QStringLiteral("@Accnu")).SetAsString(accnu);
    sp.ParamByName(QStringLiteral("@StudyUid")).SetAsString(uid);
    sp.ParamByName(QStringLiteral("@Stored")).Value = TDbValue();
    sp.ExecProc();
    const QString stored = sp.ParamByName(QStringLiteral("@Stored")).Value.AsString().trimmed();
    sp.Close();
    return stored;
}

bool ValidUidRoot(const QString& root)
{
    if (root.isEmpty() || root.size() > 44)
        return false;
    const QStringList parts = root.split(QLatin1Char('.'));
    for (const QString& p : parts) {
        if (p.isEmpty() || (p.size() > 1 && p.startsWith(QLatin1Char('0'))))
            return false;
        for (QChar c : p)
            if (!c.isDigit() || c.unicode() > 0x7F)
                return false;
    }
    return true;
}

QString StudyUidFor(const QString& accnu, const QString& root)
{
    if (!ValidUidRoot(root)) {
        // A fixed namespace: the same accession gives the same UUID on every workstation.
        static const QUuid ns(QStringLiteral("{6f1d2b1e-8a43-5c1f-9a3e-2d7b5e0c4a91}"));
        const QUuid id = QUuid::createUuidV5(ns, accnu.toUtf8());
        return QStringLiteral("2.25.") + Decimal(id.toRfc4122());
    }
    // "<root>.1.<number>": up to 19 digits of the accession's hash, fewer when the root is
    // long, so the UID stays within 64 characters.
    const QByteArray hash = QCryptographicHash::hash(accnu.toUtf8(), QCryptographicHash::Sha256);
    QByteArray eight = hash.left(8);
    eight[0] = static_cast<char>(eight[0] & 0x7F);
    QString number = Decimal(eight);
    const int room = 64 - root.size() - 3;
    if (number.size() > room)
        number = number.left(room);
    while (number.size() > 1 && number.startsWith(QLatin1Char('0')))
        number.remove(0, 1);
    return root + QStringLiteral(".1.") + number;
}

}  // namespace wr::imaging
