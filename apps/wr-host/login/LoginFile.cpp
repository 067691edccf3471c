// SPDX-License-Identifier: MIT
#include "LoginFile.h"
#include <QFile>
#include <QFileInfo>
#include <QStringList>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
// A log-in file holds two short lines; anything larger is not one.
constexpr qint64 kMaxLoginFileBytes = 64 * 1024;
} // namespace

bool ReadLoginFile(const QString& path, TLoginFile* out, QString* error)
{
    *out = TLoginFile{};
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the login file %1: %2").arg(path, f.errorString());
        return false;
    }
#ifdef Q_OS_UNIX
    // The mode of the file actually opened, so a file swapped after a check cannot slip by.
    struct stat st {};
    if (fstat(f.handle(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("the login file %1 is not a regular file").arg(path);
        return false;
    }
    const unsigned mode = st.st_mode & 07777;
    if (mode & (S_IRWXG | S_IRWXO)) {
        *error = QStringLiteral("the login file %1 is open to other users (mode %2); it must be readable by its owner "
                                "only: chmod 600 %1")
                     .arg(path)
                     .arg(QString::number(mode, 8).rightJustified(4, QLatin1Char('0')));
        return false;
    }
    if (st.st_uid != geteuid()) {
        *error = QStringLiteral("the login file %1 belongs to another user (uid %2)").arg(path).arg(st.st_uid);
        return false;
    }
#endif
    if (f.size() > kMaxLoginFileBytes) {
        *error = QStringLiteral("the login file %1 is too large to be one (%2 bytes)").arg(path).arg(f.size());
        return false;
    }
    QByteArray bytes = f.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) bytes.remove(0, 3);
    const QString text = QString::fromUtf8(bytes);
    bytes.fill('\0');
    bool haveUser = false, havePassword = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int i = 0; i < lines.size(); ++i) {
        QString line = lines.at(i);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(QLatin1Char('#'))) continue;
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        // The line may hold a password: say where it is, never what it says.
        if (eq < 0) {
            *error = QStringLiteral("%1:%2: not a 'key=value' line (keys: user, password)").arg(path).arg(i + 1);
            return false;
        }
        const QString key = line.left(eq).trimmed();
        if (key == QLatin1String("user")) {
            out->userCode = line.mid(eq + 1).trimmed();
            haveUser = true;
        } else if (key == QLatin1String("password")) {
            out->password = line.mid(eq + 1);
            havePassword = true;
        } else {
            *error = QStringLiteral("%1:%2: unknown key (keys: user, password)").arg(path).arg(i + 1);
            return false;
        }
    }
    if (!haveUser || out->userCode.isEmpty()) {
        *error = QStringLiteral("the login file %1 names no user (a line user=CODE)").arg(path);
        return false;
    }
    if (!havePassword || out->password.isEmpty()) {
        *error = QStringLiteral("the login file %1 holds no password (a line password=TEXT)").arg(path);
        out->userCode.clear();
        return false;
    }
    return true;
}
