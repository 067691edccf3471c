// SPDX-License-Identifier: MIT
#include "KeyImages.h"
#include <QRegularExpression>

QString KeyImageChoiceText(const QList<TKeyImage>& images)
{
    QStringList parts;
    for (const TKeyImage& i : images) parts << QStringLiteral("%1:%2").arg(i.sopInstanceUid).arg(i.frame);
    return parts.join(QLatin1Char(' '));
}

bool ParseKeyImageChoice(const QString& text, QList<std::pair<QString, int>>* out, QString* error)
{
    static const QRegularExpression item(QStringLiteral("^([0-9.]{1,64}):([0-9]{1,9})$"));
    QList<std::pair<QString, int>> pairs;
    for (const QString& part : text.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch m = item.match(part);
        if (!m.hasMatch()) {
            if (error) *error = QStringLiteral("not a key image '<UID>:<frame>': %1").arg(part);
            return false;
        }
        pairs << std::pair{m.captured(1), m.captured(2).toInt()};
    }
    *out = pairs;
    return true;
}

bool KeyImagesAvailable(TDbConnection& conn)
{
    try {
        auto q = conn.CreateQuery();
        q->SQL() << QStringLiteral("SELECT count(*) AS n FROM KeyImageChoice WHERE 1=0");
        q->Open();
        q->Close();
        return true;
    } catch (const EDatabaseError&) {
        return false;
    }
}

QList<TKeyImage> LoadKeyImages(TDbConnection& conn, const QString& ruid)
{
    QList<TKeyImage> out;
    if (!KeyImagesAvailable(conn)) return out;
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT Position, SopInstanceUid, Frame, Width, Height, Jpeg FROM KeyImage WHERE ruid = %1 "
                               "ORDER BY Position")
                    .arg(QuotedStr(ruid));
    q->Open();
    for (q->First(); !q->Eof(); q->Next()) {
        TKeyImage i;
        i.sopInstanceUid = q->FieldByName(QStringLiteral("SopInstanceUid")).AsString().trimmed();
        i.frame = q->FieldByName(QStringLiteral("Frame")).AsInteger();
        i.width = q->FieldByName(QStringLiteral("Width")).AsInteger();
        i.height = q->FieldByName(QStringLiteral("Height")).AsInteger();
        i.jpeg = QByteArray::fromBase64(q->FieldByName(QStringLiteral("Jpeg")).AsString().toLatin1());
        out << i;
    }
    q->Close();
    return out;
}

QString StoredKeyImageChoice(TDbConnection& conn, const QString& ruid)
{
    if (!KeyImagesAvailable(conn)) return {};
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT Choice FROM KeyImageChoice WHERE ruid = %1").arg(QuotedStr(ruid));
    q->Open();
    q->First();
    const QString choice = q->Eof() ? QString() : q->FieldByName(QStringLiteral("Choice")).AsString().trimmed();
    q->Close();
    return choice;
}

std::optional<QString> KeyImageChoiceAt(TDbConnection& conn, const QString& ruid, qint64 reportVersion)
{
    if (!KeyImagesAvailable(conn)) return std::nullopt;
    // The current choice and the kept ones, newest first; the first saved at or before the
    // version is the one that went with it.
    const QString where = QStringLiteral("ruid = %1 AND ReportVersion <= %2").arg(QuotedStr(ruid)).arg(reportVersion);
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT Choice, 0 AS Kept, 0 AS HistoryId FROM KeyImageChoice WHERE %1 "
                               "UNION ALL SELECT Choice, 1 AS Kept, HistoryId FROM KeyImageChoiceHistory WHERE %1 "
                               "ORDER BY 2, 3 DESC")
                    .arg(where);
    q->Open();
    q->First();
    std::optional<QString> out;
    if (!q->Eof()) out = q->FieldByName(QStringLiteral("Choice")).AsString().trimmed();
    q->Close();
    return out;
}

void SaveKeyImages(TDbConnection& conn, const QString& ruid, const QList<TKeyImage>& images, const QString& savedBy)
{
    if (images.size() > kMaxKeyImagesOnSheet)
        throw EDatabaseError(QStringLiteral("%1 key images chosen; a sheet holds at most %2").arg(images.size()).arg(kMaxKeyImagesOnSheet));
    for (const TKeyImage& i : images)
        if (i.jpeg.isEmpty())
            throw EDatabaseError(QStringLiteral("key image %1 frame %2 has no rendered image").arg(i.sopInstanceUid).arg(i.frame + 1));
    auto choice = conn.CreateStoredProc();
    choice->SetProcedureName(QStringLiteral("sp_SaveKeyImageChoice"));
    choice->RefreshParameters();
    choice->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
    choice->ParamByName(QStringLiteral("@Choice")).SetAsString(KeyImageChoiceText(images));
    choice->ParamByName(QStringLiteral("@SavedBy")).SetAsString(savedBy);
    choice->ExecProc();
    choice->Close();
    for (int n = 0; n < images.size(); ++n) {
        const TKeyImage& i = images[n];
        auto sp = conn.CreateStoredProc();
        sp->SetProcedureName(QStringLiteral("sp_SaveKeyImage"));
        sp->RefreshParameters();
        sp->ParamByName(QStringLiteral("@Ruid")).SetAsString(ruid);
        sp->ParamByName(QStringLiteral("@Position")).SetAsInteger(n + 1);
        sp->ParamByName(QStringLiteral("@SopInstanceUid")).SetAsString(i.sopInstanceUid);
        sp->ParamByName(QStringLiteral("@Frame")).SetAsInteger(i.frame);
        sp->ParamByName(QStringLiteral("@Width")).SetAsInteger(i.width);
        sp->ParamByName(QStringLiteral("@Height")).SetAsInteger(i.height);
        sp->ParamByName(QStringLiteral("@Jpeg")).SetAsString(QString::fromLatin1(i.jpeg.toBase64()));
        sp->ExecProc();
        sp->Close();
    }
}

// ---- the open report's selection ---------------------------------------------------------

void TKeyImageSelection::Load(TDbConnection& conn, const QString& ruid)
{
    m_ruid = ruid;
    m_images = LoadKeyImages(conn, ruid);
    m_loadedChoice = KeyImageChoiceText(m_images);
}

void TKeyImageSelection::Reset()
{
    m_ruid.clear();
    m_images.clear();
    m_loadedChoice.clear();
}

int TKeyImageSelection::PositionOf(const QString& sopInstanceUid, int frame) const
{
    for (int n = 0; n < m_images.size(); ++n)
        if (m_images[n].sopInstanceUid == sopInstanceUid && (frame < 0 || m_images[n].frame == frame)) return n + 1;
    return 0;
}

bool TKeyImageSelection::Set(const QList<TKeyImage>& images, int max, QString* error)
{
    if (images.size() > max) {
        *error = QStringLiteral("at most %1 key images").arg(max);
        return false;
    }
    for (int a = 0; a < images.size(); ++a)
        for (int b = a + 1; b < images.size(); ++b)
            if (images[a].SameSource(images[b])) {
                *error = QStringLiteral("image %1 frame %2 given twice").arg(images[a].sopInstanceUid).arg(images[a].frame + 1);
                return false;
            }
    m_images = images;
    return true;
}

bool TKeyImageSelection::Add(const TKeyImage& image, int max, QString* error)
{
    QList<TKeyImage> next = m_images;
    next << image;
    return Set(next, max, error);
}

void TKeyImageSelection::Remove(const QString& sopInstanceUid, int frame)
{
    m_images.removeIf([&](const TKeyImage& i) { return i.sopInstanceUid == sopInstanceUid && i.frame == frame; });
}

bool TKeyImageSelection::Move(int from, int delta)
{
    const int to = from + delta;
    if (from < 1 || from > m_images.size() || to < 1 || to > m_images.size() || delta == 0) return false;
    m_images.move(from - 1, to - 1);
    return true;
}

bool TKeyImageSelection::Save(TDbConnection& conn, const QString& ruid, const QString& savedBy)
{
    if (!Changed() || ruid.compare(m_ruid, Qt::CaseInsensitive) != 0) return false;
    SaveKeyImages(conn, ruid, m_images, savedBy);
    return true;
}
