// SPDX-License-Identifier: MIT
#include "DbTarget.h"
#include "platform/DatabaseOpeners.h"
#include "platform/OwnerOnlyFile.h"
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

const QRegularExpression& PasswordPair()
{
    static const QRegularExpression re(QStringLiteral("(^|;)\\s*(pwd|password)\\s*=(\\{([^}]|\\}\\})*\\}|[^;]*)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

} // namespace

TDicomDbTarget ResolveDicomDbTarget(const QString& db, const QString& passwordFile)
{
    TDicomDbTarget t;
    t.target = db.trimmed();
    t.display = QString(t.target).replace(PasswordPair(), QStringLiteral("\\1\\2=***"));
    if (!IsOdbcTarget(t.target) || PasswordPair().match(t.target).hasMatch()) return t;
    const QString file = passwordFile.isEmpty()
        ? QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/WriteReport/db-password")
        : passwordFile;
    if (passwordFile.isEmpty() && !QFileInfo::exists(file)) return t;  // integrated log-in, or none needed
    QByteArray bytes;
    QString error;
    if (!ReadOwnerOnlyFile(file, QStringLiteral("password file"), 4096, &bytes, &error)) {
        t.error = error;
        return t;
    }
    QString password = FirstLineOfSecret(bytes);
    if (password.isEmpty()) {
        t.error = QStringLiteral("the password file %1 is empty").arg(file);
        return t;
    }
    password.replace(QLatin1Char('}'), QStringLiteral("}}"));
    if (!t.target.endsWith(QLatin1Char(';'))) t.target += QLatin1Char(';');
    t.target += QStringLiteral("Pwd={") + password + QLatin1Char('}');
    return t;
}

std::unique_ptr<TDbConnection> OpenDicomDatabase(const TDicomDbTarget& target)
{
    if (!target.error.isEmpty()) throw EDatabaseError(target.error);
    if (!IsOdbcTarget(target.target) && !QFileInfo(target.target).isFile())
        throw EDatabaseError(QStringLiteral("the database file %1 does not exist").arg(target.target));
    return OpenDatabase(target.target);
}
