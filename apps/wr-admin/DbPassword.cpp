// SPDX-License-Identifier: MIT
#include "DbPassword.h"
#include <QFile>
#include <QFileInfo>
#include <sys/stat.h>

QString TargetWithPasswordFile(const QString& target, const QString& file, QString* error)
{
    struct stat st {};
    if (::stat(QFile::encodeName(file).constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        *error = QStringLiteral("the password file %1 does not exist").arg(file);
        return {};
    }
    if ((st.st_mode & (S_IRWXG | S_IRWXO)) != 0) {
        *error = QStringLiteral("the password file %1 is refused: its group or other users may read or change it "
                                "(mode %2); allow only its owner: chmod 600 %1")
                     .arg(file)
                     .arg(st.st_mode & 07777, 4, 8, QLatin1Char('0'));
        return {};
    }
    if (!target.contains(QLatin1Char('=')) || QFileInfo(target).isFile()) {
        *error = QStringLiteral("--db-password-file is for a database server; %1 is an SQLite file, which has no password").arg(target);
        return {};
    }
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("the password file %1 cannot be read: %2").arg(file, f.errorString());
        return {};
    }
    QByteArray line = f.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) {
        *error = QStringLiteral("the password file %1 is empty").arg(file);
        return {};
    }
    QString password = QString::fromUtf8(line);
    line.fill('\0');
    password.replace(QLatin1Char('}'), QStringLiteral("}}"));
    QString t = target.trimmed();
    if (!t.endsWith(QLatin1Char(';'))) t += QLatin1Char(';');
    return t + QStringLiteral("Pwd={") + password + QLatin1Char('}');
}
