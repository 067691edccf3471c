// SPDX-License-Identifier: MIT
#include "DicomStore.h"
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSysInfo>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace wr::imaging {

namespace {

const QString kIncoming = QStringLiteral("incoming");
const QString kQueue = QStringLiteral("queue");

bool SyncDescriptor(const QString& path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0) return false;
    const bool ok = ::fsync(fd) == 0;
    ::close(fd);
    return ok;
}

QString Errno() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

bool SyncFile(const QString& path) { return SyncDescriptor(path, O_RDONLY); }
bool SyncFolder(const QString& folder) { return SyncDescriptor(folder, O_RDONLY | O_DIRECTORY); }

TDicomStore::TDicomStore(const QString& root) : m_root(QDir::cleanPath(QDir(root).absolutePath())) {}

QString TDicomStore::Name() const { return QSysInfo::machineHostName() + QLatin1Char(':') + m_root; }

qint64 TDicomStore::FreeBytes() const
{
    struct statvfs fs {};
    if (statvfs(QFile::encodeName(m_root).constData(), &fs) != 0) return -1;
    return qint64(fs.f_bavail) * qint64(fs.f_frsize);
}

bool TDicomStore::Prepare(QString* error)
{
    QDir dir(m_root);
    for (const QString& sub : {kIncoming, kQueue}) {
        if (!dir.mkpath(sub)) {
            if (error) *error = QStringLiteral("cannot create the store folder %1").arg(dir.filePath(sub));
            return false;
        }
    }
    QFile probe(dir.filePath(kIncoming + QStringLiteral("/.probe")));
    if (!probe.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("cannot write in the store %1: %2").arg(m_root, probe.errorString());
        return false;
    }
    probe.close();
    probe.remove();
    return true;
}

QString TDicomStore::NewTemporaryPath()
{
    std::lock_guard lock(m_mutex);
    return QStringLiteral("%1/%2/%3-%4-%5.part")
        .arg(m_root, kIncoming)
        .arg(QCoreApplication::applicationPid())
        .arg(QDateTime::currentMSecsSinceEpoch())
        .arg(++m_counter);
}

int TDicomStore::RemoveLeftovers()
{
    QDir dir(m_root + QLatin1Char('/') + kIncoming);
    int removed = 0;
    for (const QString& name : dir.entryList({QStringLiteral("*.part")}, QDir::Files))
        removed += dir.remove(name) ? 1 : 0;
    return removed;
}

bool TDicomStore::IsValidUid(const QString& uid)
{
    if (uid.isEmpty() || uid.size() > 64) return false;
    if (uid.startsWith(QLatin1Char('.')) || uid.endsWith(QLatin1Char('.')) || uid.contains(QLatin1String("..")))
        return false;
    return std::all_of(uid.begin(), uid.end(), [](QChar c) { return c.isDigit() || c == QLatin1Char('.'); })
        && std::all_of(uid.begin(), uid.end(), [](QChar c) { return c.unicode() < 128; });
}

QString TDicomStore::PathFor(const QString& sopUid) const
{
    // A stable spread over 256 folders, so no folder grows to hundreds of thousands of files.
    const QByteArray bytes = sopUid.toLatin1();
    const quint16 crc = qChecksum(QByteArrayView(bytes));
    return QStringLiteral("%1/%2/%3.dcm").arg(m_root).arg(crc & 0xff, 2, 16, QLatin1Char('0')).arg(sopUid);
}

TDicomStore::TCommit TDicomStore::Commit(const QString& temporaryPath, const QString& sopUid, QString* error)
{
    auto fail = [&](const QString& why) {
        QFile::remove(temporaryPath);
        if (error) *error = why;
        return TCommit::Failed;
    };
    if (!IsValidUid(sopUid)) return fail(QStringLiteral("invalid SOP Instance UID \"%1\"").arg(sopUid.left(80)));
    if (!SyncFile(temporaryPath)) return fail(QStringLiteral("cannot sync %1: %2").arg(temporaryPath, Errno()));

    std::lock_guard lock(m_mutex);
    const QString target = PathFor(sopUid);
    if (QFileInfo::exists(target)) {
        QFile::remove(temporaryPath);
        return TCommit::AlreadyStored;
    }
    const QString folder = QFileInfo(target).absolutePath();
    if (!QDir().mkpath(folder)) return fail(QStringLiteral("cannot create %1").arg(folder));
    // The marker first: a kill between it and the rename leaves a marker without a file, which
    // the indexer drops; never a stored file without a marker.
    const QString marker = m_root + QLatin1Char('/') + kQueue + QLatin1Char('/') + sopUid;
    {
        QFile m(marker);
        if (!m.open(QIODevice::WriteOnly)) return fail(QStringLiteral("cannot write %1: %2").arg(marker, m.errorString()));
    }
    if (!SyncFile(marker) || !SyncFolder(m_root + QLatin1Char('/') + kQueue))
        return fail(QStringLiteral("cannot sync %1: %2").arg(marker, Errno()));
    if (::rename(QFile::encodeName(temporaryPath).constData(), QFile::encodeName(target).constData()) != 0)
        return fail(QStringLiteral("cannot rename into %1: %2").arg(target, Errno()));
    if (!SyncFolder(folder)) {
        if (error) *error = QStringLiteral("cannot sync %1: %2").arg(folder, Errno());
        return TCommit::Failed;  // the file may or may not survive a power cut: not acknowledged
    }
    return TCommit::Stored;
}

QStringList TDicomStore::Queued() const
{
    QDir dir(m_root + QLatin1Char('/') + kQueue);
    QStringList uids;
    for (const QFileInfo& fi : dir.entryInfoList(QDir::Files, QDir::Time | QDir::Reversed))
        if (IsValidUid(fi.fileName())) uids << fi.fileName();
    return uids;
}

void TDicomStore::Dequeue(const QString& sopUid)
{
    if (IsValidUid(sopUid)) QFile::remove(m_root + QLatin1Char('/') + kQueue + QLatin1Char('/') + sopUid);
}

bool TDicomStore::DropMarkerWithoutFile(const QString& sopUid)
{
    std::lock_guard lock(m_mutex);
    if (!IsValidUid(sopUid) || QFileInfo::exists(PathFor(sopUid))) return false;
    Dequeue(sopUid);
    return true;
}

bool TDicomStore::Enqueue(const QString& sopUid, QString* error)
{
    if (!IsValidUid(sopUid)) {
        if (error) *error = QStringLiteral("invalid SOP Instance UID");
        return false;
    }
    const QString marker = m_root + QLatin1Char('/') + kQueue + QLatin1Char('/') + sopUid;
    QFile m(marker);
    if (!m.open(QIODevice::WriteOnly)) {
        if (error) *error = QStringLiteral("cannot write %1: %2").arg(marker, m.errorString());
        return false;
    }
    m.close();
    return SyncFile(marker);
}

bool TDicomStore::RemoveStored(const QString& sopUid, QString* error)
{
    const QString path = PathFor(sopUid);
    if (!QFileInfo::exists(path)) return true;
    if (!QFile::remove(path)) {
        if (error) *error = QStringLiteral("cannot delete %1").arg(path);
        return false;
    }
    SyncFolder(QFileInfo(path).absolutePath());
    return true;
}

}  // namespace wr::imaging
