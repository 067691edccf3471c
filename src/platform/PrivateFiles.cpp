// SPDX-License-Identifier: MIT
#include "PrivateFiles.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif
#ifdef Q_OS_LINUX
#include <sys/prctl.h>
#endif

namespace {

#ifdef Q_OS_UNIX
constexpr mode_t kFolderMode = 0700;
constexpr mode_t kFileMode = 0600;

QString Why(const QString& what, const QString& path)
{
    return QStringLiteral("cannot %1 %2: %3").arg(what, path, QString::fromLocal8Bit(std::strerror(errno)));
}

// chmod of one entry, never through a link: 1 when changed, 0 when already right or not a
// folder/regular file, -1 on failure.
int Tighten(const QByteArray& path, QString* error)
{
    struct stat st {};
    if (::lstat(path.constData(), &st) != 0) return 0;
    mode_t want;
    if (S_ISDIR(st.st_mode)) want = kFolderMode;
    else if (S_ISREG(st.st_mode)) want = kFileMode;
    else return 0;
    if ((st.st_mode & 07777) == want) return 0;
    if (::chmod(path.constData(), want) != 0) {
        if (error) *error = Why(QStringLiteral("set the mode of"), QFile::decodeName(path));
        return -1;
    }
    return 1;
}

void Walk(const QByteArray& folder, int* changed, QString* error)
{
    DIR* dir = ::opendir(folder.constData());
    if (!dir) {
        if (error) *error = Why(QStringLiteral("read the folder"), QFile::decodeName(folder));
        return;
    }
    while (const dirent* e = ::readdir(dir)) {
        const QByteArray name(e->d_name);
        if (name == "." || name == "..") continue;
        const QByteArray path = folder + '/' + name;
        struct stat st {};
        if (::lstat(path.constData(), &st) != 0) continue;
        if (const int r = Tighten(path, error); r > 0) ++*changed;
        if (S_ISDIR(st.st_mode)) Walk(path, changed, error);
    }
    ::closedir(dir);
}
#endif

} // namespace

bool MakePrivateFolder(const QString& path, QString* error)
{
    const QString clean = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
#ifdef Q_OS_UNIX
    // The parents this call creates are as private as the folder: a 0755 parent made here
    // would let others list the names below it.
    QStringList missing;
    for (QString p = clean; !p.isEmpty() && !QFileInfo::exists(p); p = QFileInfo(p).path()) {
        missing.prepend(p);
        if (p == QFileInfo(p).path()) break;
    }
    for (const QString& p : missing) {
        if (::mkdir(QFile::encodeName(p).constData(), kFolderMode) != 0 && errno != EEXIST) {
            if (error) *error = Why(QStringLiteral("create the folder"), p);
            return false;
        }
    }
    if (!QFileInfo(clean).isDir()) {
        if (error) *error = QStringLiteral("%1 is not a folder").arg(clean);
        return false;
    }
    return Tighten(QFile::encodeName(clean), error) >= 0;
#else
    if (QDir().mkpath(clean)) return true;
    if (error) *error = QStringLiteral("cannot create the folder %1").arg(clean);
    return false;
#endif
}

bool MakeFilePrivate(const QString& path, QString* error)
{
#ifdef Q_OS_UNIX
    return Tighten(QFile::encodeName(path), error) >= 0;
#else
    Q_UNUSED(path);
    Q_UNUSED(error);
    return true;
#endif
}

int MakeTreePrivate(const QString& root, QString* error)
{
    if (!MakePrivateFolder(root, error)) return -1;
    int changed = 0;
#ifdef Q_OS_UNIX
    Walk(QFile::encodeName(QDir::cleanPath(QFileInfo(root).absoluteFilePath())), &changed, error);
#endif
    return changed;
}

bool MakeProcessNonDumpable()
{
#ifdef Q_OS_LINUX
    return ::prctl(PR_SET_DUMPABLE, 0, 0, 0, 0) == 0;
#else
    return false;
#endif
}
