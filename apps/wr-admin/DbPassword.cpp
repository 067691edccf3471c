// SPDX-License-Identifier: MIT
#include "DbPassword.h"
#include "platform/OwnerOnlyFile.h"
#include <QFileInfo>

QString TargetWithPasswordFile(const QString& target, const QString& file, QString* error)
{
    QByteArray bytes;
    if (!ReadOwnerOnlyFile(file, QStringLiteral("password file"), 4096, &bytes, error)) return {};
    QString password = FirstLineOfSecret(bytes);
    if (!target.contains(QLatin1Char('=')) || QFileInfo(target).isFile()) {
        *error = QStringLiteral("--db-password-file is for a database server; %1 is an SQLite file, which has no password").arg(target);
        return {};
    }
    if (password.isEmpty()) {
        *error = QStringLiteral("the password file %1 is empty").arg(file);
        return {};
    }
    password.replace(QLatin1Char('}'), QStringLiteral("}}"));
    QString t = target.trimmed();
    if (!t.endsWith(QLatin1Char(';'))) t += QLatin1Char(';');
    return t + QStringLiteral("Pwd={") + password + QLatin1Char('}');
}
