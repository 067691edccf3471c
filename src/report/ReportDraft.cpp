// SPDX-License-Identifier: MIT
#include "ReportDraft.h"
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QStandardPaths>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kFormatVersion = 1;
const QString kSuffix = QStringLiteral(".draft");

enum class TKind { Text, Date, Flag };

// The fields a doctor edits, with the column name they are stored under and the caption of
// the section that shows them.
struct TDraftField {
    const char* column;
    const char* caption;
    TKind kind;
    QString TReportInfo::*text;
    TDateTime TReportInfo::*date;
    bool TReportInfo::*flag;
};

constexpr TDraftField T(const char* c, const char* cap, QString TReportInfo::*m) { return {c, cap, TKind::Text, m, nullptr, nullptr}; }
constexpr TDraftField D(const char* c, const char* cap, TDateTime TReportInfo::*m) { return {c, cap, TKind::Date, nullptr, m, nullptr}; }
constexpr TDraftField F(const char* c, const char* cap, bool TReportInfo::*m) { return {c, cap, TKind::Flag, nullptr, nullptr, m}; }

const TDraftField kFields[] = {
    T("jcMethod", "检查方法", &TReportInfo::FjcMethod),
    T("ItemName", "检查项目", &TReportInfo::FItemName),
    T("jcpart", "检查部位", &TReportInfo::Fjcpart),
    T("jcTuJing", "检查途径", &TReportInfo::FjcTuJing),
    T("ImgQuality", "图像质量", &TReportInfo::FImgQuality),
    T("JianYi", "建议", &TReportInfo::FJianYi),
    T("SuoJian", "影像表现", &TReportInfo::FSuoJian),
    T("JieLun", "诊断印像", &TReportInfo::FJieLun),
    T("TanTouRate", "探头频率", &TReportInfo::FTanTouRate),
    T("ExamDoctor", "检查医生", &TReportInfo::FExamDoctor),
    T("ReportDoctor", "报告医生", &TReportInfo::FReportDoctor),
    T("ShenHeDoctor", "审核医生", &TReportInfo::FShenHeDoctor),
    T("HuiZhenDoctor", "会诊医生", &TReportInfo::FHuiZhenDoctor),
    D("ReportDate", "报告日期", &TReportInfo::FReportDate),
    D("shenHeDate", "审核日期", &TReportInfo::FshenHeDate),
    F("YinYangXing", "阳性", &TReportInfo::FYinYangXing),
    T("WeiJiValue", "危急值", &TReportInfo::FWeiJiValue),
    T("BeiZhu", "备注", &TReportInfo::FBeiZhu),
    T("lczd", "临床诊断", &TReportInfo::Flczd),
    T("kgjLBaseLine", "髋关节(左)", &TReportInfo::FkgjLBaseLine),
    T("kgjLKjgd", "髋关节(左)", &TReportInfo::FkgjLKjgd),
    T("kgjLGxtq", "髋关节(左)", &TReportInfo::FkgjLGxtq),
    T("kgjLRgyc", "髋关节(左)", &TReportInfo::FkgjLRgyc),
    T("kgjLGxzx", "髋关节(左)", &TReportInfo::FkgjLGxzx),
    T("kgjRBaseLine", "髋关节(右)", &TReportInfo::FkgjRBaseLine),
    T("kgjRKjgd", "髋关节(右)", &TReportInfo::FkgjRKjgd),
    T("kgjRGxtq", "髋关节(右)", &TReportInfo::FkgjRGxtq),
    T("kgjRRgyc", "髋关节(右)", &TReportInfo::FkgjRRgyc),
    T("kgjRGxzx", "髋关节(右)", &TReportInfo::FkgjRGxzx),
    T("kgjL_A", "髋关节(左) α", &TReportInfo::FkgjL_A),
    T("kgjR_A", "髋关节(右) α", &TReportInfo::FkgjR_A),
    T("kgjL_B", "髋关节(左) β", &TReportInfo::FkgjL_B),
    T("kgjR_B", "髋关节(右) β", &TReportInfo::FkgjR_B),
};

QString FieldText(const TReportInfo& r, const TDraftField& f)
{
    switch (f.kind) {
    case TKind::Text: return r.*f.text;
    case TKind::Date: return DateTimeToQDateTime(r.*f.date).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case TKind::Flag: return r.*f.flag ? QStringLiteral("是") : QStringLiteral("否");
    }
    return {};
}

// A user name or code as one file-name component.
QString SafeComponent(const QString& s)
{
    QString out;
    for (QChar c : s) out += (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')) ? c : QLatin1Char('_');
    if (out.isEmpty() || out.startsWith(QLatin1Char('.'))) out.prepend(QLatin1Char('u'));
    return out;
}

// A GUID as a file name: the letters, digits and dashes of it, upper case, so that one
// report has one draft however the GUID's case is written.
QString RuidComponent(const QString& ruid) { return SafeComponent(ruid.trimmed().toUpper()); }

// Makes a rename or unlink in `folder` durable.
void SyncFolder(const QString& folder)
{
    const int fd = ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

bool WriteAtomically(const QString& file, const QByteArray& content, QString* error)
{
    const QString folder = QFileInfo(file).absolutePath();
    if (!QDir().mkpath(folder)) {
        if (error) *error = QStringLiteral("cannot create folder %1").arg(folder);
        return false;
    }
    QSaveFile f(file);
    // QSaveFile syncs the data before it renames the temporary file into place.
    if (!f.open(QIODevice::WriteOnly) || f.write(content) != content.size() || !f.flush() || !f.commit()) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(file, f.errorString());
        f.cancelWriting();
        return false;
    }
    SyncFolder(folder);
    return true;
}

QString HhMmSs() { return QTime::currentTime().toString(QStringLiteral("HHmmss")); }

} // namespace

TDraftStore::TDraftStore(QString root, const QString& userCode, const QString& userName)
    : m_root(std::move(root)), m_user(userCode.isEmpty() ? userName : userCode), m_userName(userName)
{
    m_userFolder = QDir(m_root).filePath(SafeComponent(m_user));
}

QString TDraftStore::DefaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/drafts");
}

QString TDraftStore::FileFor(const QString& ruid) const { return QDir(m_userFolder).filePath(RuidComponent(ruid) + kSuffix); }

QString TDraftStore::BackupFolder() const { return QDir(m_userFolder).filePath(QStringLiteral("backup")); }

QByteArray TDraftStore::Serialize(const TReportDraft& d)
{
    QJsonObject fields;
    for (const TDraftField& f : kFields) {
        switch (f.kind) {
        case TKind::Text: fields[QLatin1String(f.column)] = d.record.*f.text; break;
        case TKind::Date: fields[QLatin1String(f.column)] = d.record.*f.date; break;
        case TKind::Flag: fields[QLatin1String(f.column)] = d.record.*f.flag; break;
        }
    }
    QJsonObject o;
    o[QStringLiteral("format")] = kFormatVersion;
    o[QStringLiteral("ruid")] = d.ruid;
    o[QStringLiteral("user")] = d.userCode;
    o[QStringLiteral("userName")] = d.userName;
    o[QStringLiteral("written")] = d.written.toUTC().toString(Qt::ISODateWithMs);
    o[QStringLiteral("base")] = QString::fromLatin1(d.base.toHex());
    o[QStringLiteral("fields")] = fields;
    // RTF written by this program is 7-bit text.
    o[QStringLiteral("rtf_SuoJian")] = QString::fromLatin1(d.rtfSuoJian);
    o[QStringLiteral("rtf_JieLun")] = QString::fromLatin1(d.rtfJieLun);
    return QJsonDocument(o).toJson(QJsonDocument::Indented);
}

std::optional<TReportDraft> TDraftStore::Parse(const QByteArray& content, QString* error)
{
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(content, &pe);
    const QJsonObject o = doc.object();
    if (pe.error != QJsonParseError::NoError || !doc.isObject() || o.value(QStringLiteral("format")).toInt() != kFormatVersion) {
        if (error) *error = QStringLiteral("not a draft of this program (%1)").arg(pe.errorString());
        return std::nullopt;
    }
    TReportDraft d;
    d.ruid = o.value(QStringLiteral("ruid")).toString();
    d.userCode = o.value(QStringLiteral("user")).toString();
    d.userName = o.value(QStringLiteral("userName")).toString();
    d.written = QDateTime::fromString(o.value(QStringLiteral("written")).toString(), Qt::ISODateWithMs);
    d.base = QByteArray::fromHex(o.value(QStringLiteral("base")).toString().toLatin1());
    const QJsonObject fields = o.value(QStringLiteral("fields")).toObject();
    for (const TDraftField& f : kFields) {
        const QJsonValue v = fields.value(QLatin1String(f.column));
        switch (f.kind) {
        case TKind::Text: d.record.*f.text = v.toString(); break;
        case TKind::Date: d.record.*f.date = v.toDouble(); break;
        case TKind::Flag: d.record.*f.flag = v.toBool(); break;
        }
    }
    d.record.FRuid = d.ruid;
    d.rtfSuoJian = o.value(QStringLiteral("rtf_SuoJian")).toString().toLatin1();
    d.rtfJieLun = o.value(QStringLiteral("rtf_JieLun")).toString().toLatin1();
    return d;
}

bool TDraftStore::Write(const TReportDraft& draft, QString* error)
{
    return WriteAtomically(FileFor(draft.ruid), Serialize(draft), error);
}

std::optional<TReportDraft> TDraftStore::Read(const QString& ruid, QString* error) const
{
    QFile f(FileFor(ruid));
    if (!f.exists()) return std::nullopt;
    if (!f.open(QIODevice::ReadOnly)) {
        if (error) *error = QStringLiteral("cannot read %1: %2").arg(f.fileName(), f.errorString());
        return std::nullopt;
    }
    std::optional<TReportDraft> d = Parse(f.readAll(), error);
    if (!d) return d;
    // A file copied in from elsewhere is not this user's draft of this report.
    if (d->userCode != m_user && !(d->userCode.isEmpty() && d->userName == m_user)) {
        if (error) *error = QStringLiteral("%1 belongs to user %2").arg(f.fileName(), d->userCode);
        return std::nullopt;
    }
    if (RuidComponent(d->ruid) != RuidComponent(ruid)) {
        if (error) *error = QStringLiteral("%1 holds report %2").arg(f.fileName(), d->ruid);
        return std::nullopt;
    }
    return d;
}

bool TDraftStore::Exists(const QString& ruid) const { return QFileInfo::exists(FileFor(ruid)); }

bool TDraftStore::Remove(const QString& ruid)
{
    const QString file = FileFor(ruid);
    if (!QFileInfo::exists(file)) return true;
    const bool ok = QFile::remove(file);
    SyncFolder(m_userFolder);
    return ok;
}

bool TDraftStore::Discard(const QString& ruid, QString* error)
{
    const QString file = FileFor(ruid);
    if (!QFileInfo::exists(file)) return true;
    const QString day = QDir(BackupFolder()).filePath(QDate::currentDate().toString(Qt::ISODate));
    QDir().mkpath(day);
    const QString target = QDir(day).filePath(RuidComponent(ruid) + QLatin1Char('-') + HhMmSs() + kSuffix);
    QFile::remove(target);
    bool ok = QFile::rename(file, target);
    if (!ok) {
        if (error) *error = QStringLiteral("cannot move %1 to %2").arg(file, target);
        // Out of the way is what the doctor asked for; a backup that cannot be made is
        // not worth showing the discarded draft again and again.
        ok = QFile::remove(file);
    }
    SyncFolder(m_userFolder);
    PruneBackups(QDate::currentDate());
    return ok;
}

QString TDraftStore::KeepCopy(const TReportDraft& draft, const QString& label, QString* error)
{
    const QString day = QDir(BackupFolder()).filePath(QDate::currentDate().toString(Qt::ISODate));
    QString name = RuidComponent(draft.ruid) + QLatin1Char('-') + HhMmSs();
    if (!label.isEmpty()) name += QLatin1Char('-') + SafeComponent(label);
    const QString file = QDir(day).filePath(name + kSuffix);
    if (!WriteAtomically(file, Serialize(draft), error)) return {};
    PruneBackups(QDate::currentDate());
    return file;
}

int TDraftStore::PruneBackups(const QDate& today, int keepDays)
{
    int removed = 0;
    QDir backups(BackupFolder());
    for (const QString& name : backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDate day = QDate::fromString(name, Qt::ISODate);
        if (!day.isValid() || day.daysTo(today) <= keepDays) continue;
        if (QDir(backups.filePath(name)).removeRecursively()) ++removed;
    }
    return removed;
}

QStringList TDraftStore::DraftRuids() const
{
    QStringList r;
    for (const QString& name : QDir(m_userFolder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name))
        r << name.chopped(kSuffix.size());
    return r;
}

QByteArray TDraftStore::RowDigest(const TReportInfo& row)
{
    QCryptographicHash h(QCryptographicHash::Sha1);
    TReportInfo r = row;
    r.FshenHeDate = 0;
    auto add = [&h](const QString& s) {
        h.addData(s.toUtf8());
        h.addData(QByteArrayView("\x1f", 1));
    };
    for (const QString* s : {&r.FRuid, &r.FAccnu, &r.Fnbid, &r.FItemCode, &r.FJCDaLei, &r.FTiXing, &r.FExamDoctorCode,
                             &r.FReportDoctorCode, &r.FShenHeDoctorCode, &r.FHuizhenDoctorCode, &r.FjcPartcode,
                             &r.Frtf_SuoJian, &r.Frtf_JieLun})
        add(*s);
    for (const TDraftField& f : kFields) add(FieldText(r, f) + QString::number(f.kind == TKind::Date ? r.*f.date : 0, 'f', 8));
    add(QString::number(r.FReportState));
    add(QString::number(r.FPrintedCont));
    add(QString::number(r.FHuiZhenDate, 'f', 8));
    return h.result();
}

QList<TDraftDifference> TDraftStore::Differences(const TReportInfo& stored, const QString& storedPlainSuoJian,
                                                 const QString& storedPlainJieLun, const TReportDraft& draft,
                                                 const QString& draftPlainSuoJian, const QString& draftPlainJieLun)
{
    QList<TDraftDifference> out;
    for (const TDraftField& f : kFields) {
        if (f.kind == TKind::Date && f.date == &TReportInfo::FshenHeDate) continue;
        QString a, b;
        if (f.text == &TReportInfo::FSuoJian) {
            a = storedPlainSuoJian;
            b = draftPlainSuoJian;
            if (a == b && stored.Frtf_SuoJian.toLatin1() != draft.rtfSuoJian) b += QStringLiteral("（格式不同）");
        } else if (f.text == &TReportInfo::FJieLun) {
            a = storedPlainJieLun;
            b = draftPlainJieLun;
            if (a == b && stored.Frtf_JieLun.toLatin1() != draft.rtfJieLun) b += QStringLiteral("（格式不同）");
        } else {
            a = FieldText(stored, f);
            b = FieldText(draft.record, f);
        }
        if (a != b) out.append({QString::fromUtf8(f.caption), a, b});
    }
    return out;
}
