// SPDX-License-Identifier: MIT
#include "OwnerOnlyFile.h"
#include <QFile>
#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

bool ReadOwnerOnlyFile(const QString& path, const QString& kind, qint64 maxBytes, QByteArray* bytes, QString* error)
{
    bytes->clear();
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("the %1 %2 cannot be read: %3").arg(kind, path, f.errorString());
        return false;
    }
#ifdef Q_OS_UNIX
    struct stat st {};
    if (fstat(f.handle(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("the %1 %2 is not a regular file").arg(kind, path);
        return false;
    }
    const unsigned mode = st.st_mode & 07777;
    if (mode & (S_IRWXG | S_IRWXO)) {
        *error = QStringLiteral("the %1 %2 is refused: its group or other users may read or change it (mode %3); "
                                "allow only its owner: chmod 600 %2")
                     .arg(kind, path, QString::number(mode, 8).rightJustified(4, QLatin1Char('0')));
        return false;
    }
    if (st.st_uid != geteuid()) {
        *error = QStringLiteral("the %1 %2 is refused: it belongs to another user (uid %3)").arg(kind, path).arg(st.st_uid);
        return false;
    }
#endif
    if (f.size() > maxBytes) {
        *error = QStringLiteral("the %1 %2 is too large to be one (%3 bytes)").arg(kind, path).arg(f.size());
        return false;
    }
    *bytes = f.readAll();
    return true;
}

QString FirstLineOfSecret(QByteArray& bytes)
{
    qsizetype end = bytes.indexOf('\n');
    if (end < 0) end = bytes.size();
    if (end > 0 && bytes.at(end - 1) == '\r') --end;
    const QString line = QString::fromUtf8(bytes.constData(), end);
    bytes.fill('\0');
    return line;
}
