// SPDX-License-Identifier: MIT
#include "ReportDraft.h"
#include "ReportColumns.h"
#include "platform/PrivateFiles.h"
#include <algorithm>
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
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr int kFormatVersion = 1;
const QString kSuffix = QStringLiteral(".draft");

// The fields a draft keeps (those the form shows), in their place in the file.
const QList<const TReportColumn*>& DraftColumns()
{
    static const QList<const TReportColumn*> columns = [] {
        QList<const TReportColumn*> r;
        for (const TReportColumn& c : ReportColumnTable())
            if (c.draftPosition > 0) r << &c;
        std::sort(r.begin(), r.end(), [](auto* a, auto* b) { return a->draftPosition < b->draftPosition; });
        return r;
    }();
    return columns;
}

QString FieldText(const TReportInfo& r, const TReportColumn& c)
{
    switch (c.kind) {
    case TColumnKind::DateTime: return DateTimeToQDateTime(r.*c.date).toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    case TColumnKind::Flag: return r.*c.flag ? QStringLiteral("是") : QStringLiteral("否");
    case TColumnKind::Integer: return QString::number(r.*c.integer);
    case TColumnKind::Text:
    case TColumnKind::RichText: break;
    }
    return r.*c.text;
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
    if (!MakePrivateFolder(folder, error)) return false;
    QSaveFile f(file);
    // QSaveFile syncs the data before it renames the temporary file into place. The text is
    // the patient's: owner-only before the first byte is written.
    if (!f.open(QIODevice::WriteOnly) || ::fchmod(f.handle(), 0600) != 0 || f.write(content) != content.size() || !f.flush()
        || !f.commit()) {
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
    for (const TReportColumn* c : DraftColumns()) {
        switch (c->kind) {
        case TColumnKind::DateTime: fields[c->Name()] = d.record.*c->date; break;
        case TColumnKind::Flag: fields[c->Name()] = d.record.*c->flag; break;
        case TColumnKind::Integer: fields[c->Name()] = d.record.*c->integer; break;
        case TColumnKind::Text:
        case TColumnKind::RichText: fields[c->Name()] = d.record.*c->text; break;
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
    for (const TReportColumn* c : DraftColumns()) {
        const QJsonValue v = fields.value(c->Name());
        switch (c->kind) {
        case TColumnKind::DateTime: d.record.*c->date = v.toDouble(); break;
        case TColumnKind::Flag: d.record.*c->flag = v.toBool(); break;
        case TColumnKind::Integer: d.record.*c->integer = v.toInt(); break;
        case TColumnKind::Text:
        case TColumnKind::RichText: d.record.*c->text = v.toString(); break;
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
    MakePrivateFolder(day);
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

TDraftTidy TDraftStore::TidyAll(const QString& root, int keepDays, const QDateTime& now)
{
    TDraftTidy r;
    if (!QFileInfo(root).isDir()) return r;
    keepDays = std::max(1, keepDays);
    const QDateTime oldest = now.addDays(-keepDays);
    // Modes first, so what stays is private even where a removal below fails.
    QString error;
    r.tightened = MakeTreePrivate(root, &error);
    if (!error.isEmpty()) r.errors << error;
    for (const QFileInfo& user : QDir(root).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
        QDir folder(user.absoluteFilePath());
        for (const QFileInfo& draft : folder.entryInfoList({QStringLiteral("*") + kSuffix}, QDir::Files | QDir::NoSymLinks)) {
            if (draft.lastModified() >= oldest) continue;
            if (QFile::remove(draft.absoluteFilePath())) ++r.draftsRemoved;
            else r.errors << QStringLiteral("cannot remove %1").arg(draft.absoluteFilePath());
        }
        QDir backups(folder.filePath(QStringLiteral("backup")));
        for (const QString& name : backups.entryList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks)) {
            const QDate day = QDate::fromString(name, Qt::ISODate);
            if (!day.isValid() || day.daysTo(now.date()) <= keepDays) continue;
            if (QDir(backups.filePath(name)).removeRecursively()) ++r.backupDaysRemoved;
            else r.errors << QStringLiteral("cannot remove %1").arg(backups.filePath(name));
        }
        SyncFolder(folder.path());
    }
    return r;
}

QStringList TDraftStore::DraftRuids() const
{
    QStringList r;
    for (const QString& name : QDir(m_userFolder).entryList({QStringLiteral("*") + kSuffix}, QDir::Files, QDir::Name))
        r << name.chopped(kSuffix.size());
    return r;
}

TReportInfo TDraftStore::Restored(const TReportInfo& stored, const TReportDraft& draft)
{
    TReportInfo r = stored;
    for (const TReportColumn* c : DraftColumns()) {
        switch (c->kind) {
        case TColumnKind::Text:
        case TColumnKind::RichText: r.*c->text = draft.record.*c->text; break;
        case TColumnKind::Integer: r.*c->integer = draft.record.*c->integer; break;
        case TColumnKind::DateTime: r.*c->date = draft.record.*c->date; break;
        case TColumnKind::Flag: r.*c->flag = draft.record.*c->flag; break;
        }
    }
    r.Frtf_SuoJian = QString::fromLatin1(draft.rtfSuoJian);
    r.Frtf_JieLun = QString::fromLatin1(draft.rtfJieLun);
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
    // The layout of the first drafts, which files on disk still carry: the texts a draft does
    // not keep, the rich texts, the draft's own fields, then the other numbers and dates.
    auto others = [&](TColumnKind kind) {
        for (const TReportColumn* c : ReportRecordColumns())
            if (c->kind == kind && c->draftPosition == 0) add(FieldText(r, *c));
    };
    others(TColumnKind::Text);
    others(TColumnKind::RichText);
    for (const TReportColumn* c : DraftColumns())
        add(FieldText(r, *c) + QString::number(c->kind == TColumnKind::DateTime ? r.*c->date : 0, 'f', 8));
    others(TColumnKind::Integer);
    for (const TReportColumn* c : ReportRecordColumns())
        if (c->kind == TColumnKind::DateTime && c->draftPosition == 0) add(QString::number(r.*c->date, 'f', 8));
    others(TColumnKind::Flag);
    return h.result();
}

QList<TDraftDifference> TDraftStore::Differences(const TReportInfo& stored, const QString& storedPlainSuoJian,
                                                 const QString& storedPlainJieLun, const TReportDraft& draft,
                                                 const QString& draftPlainSuoJian, const QString& draftPlainJieLun)
{
    QList<TDraftDifference> out;
    for (const TReportColumn* c : DraftColumns()) {
        if (c->date == &TReportInfo::FshenHeDate) continue;
        QString a, b;
        if (c->text == &TReportInfo::FSuoJian) {
            a = storedPlainSuoJian;
            b = draftPlainSuoJian;
            if (a == b && stored.Frtf_SuoJian.toLatin1() != draft.rtfSuoJian) b += QStringLiteral("（格式不同）");
        } else if (c->text == &TReportInfo::FJieLun) {
            a = storedPlainJieLun;
            b = draftPlainJieLun;
            if (a == b && stored.Frtf_JieLun.toLatin1() != draft.rtfJieLun) b += QStringLiteral("（格式不同）");
        } else {
            a = FieldText(stored, *c);
            b = FieldText(draft.record, *c);
        }
        if (a != b) out.append({c->Label(), a, b});
    }
    return out;
}
