// SPDX-License-Identifier: MIT
#include "hostdata/DbCredentials.h"
#include "platform/ConnectionString.h"
#include "platform/OwnerOnlyFile.h"
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

struct TPair {
    qsizetype start = 0, end = 0;  // [start, end) in the string, without the ';'
    QString key, value;            // trimmed; value without its braces
};

// key=value pairs separated by ';'; a braced value may hold ';' and '}}' stands for '}'.
QList<TPair> SplitPairs(const QString& s)
{
    QList<TPair> pairs;
    qsizetype i = 0;
    while (i < s.size()) {
        const qsizetype j = OdbcPairEnd(s, i);
        TPair p;
        p.start = i;
        p.end = j;
        const QString text = s.mid(i, j - i);
        const qsizetype eq = text.indexOf(QLatin1Char('='));
        p.key = (eq < 0 ? text : text.left(eq)).trimmed();
        QString v = eq < 0 ? QString() : text.mid(eq + 1).trimmed();
        if (v.startsWith(QLatin1Char('{')) && v.endsWith(QLatin1Char('}')) && v.size() >= 2) {
            v = v.mid(1, v.size() - 2);
            v.replace(QLatin1String("}}"), QLatin1String("}"));
        }
        p.value = v;
        pairs << p;
        i = j + 1;
    }
    return pairs;
}

bool IsPasswordKey(const QString& key)
{
    return key.compare(QLatin1String("pwd"), Qt::CaseInsensitive) == 0
        || key.compare(QLatin1String("password"), Qt::CaseInsensitive) == 0;
}

} // namespace

QString OdbcValue(const QString& connectionString, const QStringList& keys)
{
    for (const TPair& p : SplitPairs(connectionString))
        for (const QString& k : keys)
            if (p.key.compare(k, Qt::CaseInsensitive) == 0) return p.value;
    return {};
}

bool HasOdbcPassword(const QString& connectionString)
{
    for (const TPair& p : SplitPairs(connectionString))
        if (IsPasswordKey(p.key)) return true;
    return false;
}

QString WithoutOdbcPassword(const QString& connectionString)
{
    QStringList kept;
    for (const TPair& p : SplitPairs(connectionString)) {
        const QString text = connectionString.mid(p.start, p.end - p.start).trimmed();
        if (!text.isEmpty() && !IsPasswordKey(p.key)) kept << text;
    }
    return kept.join(QLatin1Char(';'));
}

QString WithOdbcPassword(const QString& connectionString, const QString& password)
{
    QString s = WithoutOdbcPassword(connectionString);
    QString escaped = password;
    escaped.replace(QLatin1String("}"), QLatin1String("}}"));
    if (!s.isEmpty()) s += QLatin1Char(';');
    return s + QStringLiteral("Pwd={") + escaped + QLatin1Char('}');
}

bool UsesIntegratedAuthentication(const QString& connectionString)
{
    auto yes = [](const QString& v) {
        return v.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0
            || v.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || v.compare(QLatin1String("sspi"), Qt::CaseInsensitive) == 0;
    };
    if (yes(OdbcValue(connectionString, {QStringLiteral("Trusted_Connection"), QStringLiteral("Integrated Security")})))
        return true;
    const QString authentication = OdbcValue(connectionString, {QStringLiteral("Authentication")});
    return authentication.compare(QLatin1String("ActiveDirectoryIntegrated"), Qt::CaseInsensitive) == 0;
}

QStringList MaskPasswordsInArguments(const QStringList& arguments)
{
    QStringList out;
    auto mask = [](const QString& db) {
        if (!HasOdbcPassword(db)) return db;
        QString s = WithoutOdbcPassword(db);
        if (!s.isEmpty()) s += QLatin1Char(';');
        return s + QStringLiteral("Pwd=***");
    };
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& a = arguments.at(i);
        if ((a == QLatin1String("--db") || a == QLatin1String("-db")) && i + 1 < arguments.size()) {
            out << a << mask(arguments.at(i + 1));
            ++i;
        } else if (a.startsWith(QLatin1String("--db=")) || a.startsWith(QLatin1String("-db="))) {
            const qsizetype eq = a.indexOf(QLatin1Char('='));
            out << a.left(eq + 1) + mask(a.mid(eq + 1));
        } else {
            // Whatever else carries a Pwd= (a mistyped option) is masked too.
            out << (HasOdbcPassword(a) && a.contains(QLatin1Char('=')) ? mask(a) : a);
        }
    }
    return out;
}

TSecretFile ReadOwnerOnlySecretFile(const QString& path)
{
    TSecretFile r;
    // A password file is a line or two; more is not a password file.
    QByteArray bytes;
    if (!ReadOwnerOnlyFile(path, QStringLiteral("password file"), 4096, &bytes, &r.error)) return r;
    r.secret = FirstLineOfSecret(bytes);
    if (r.secret.isEmpty()) {
        r.error = QStringLiteral("the password file %1 is empty (its first line is the password)").arg(path);
        return r;
    }
    r.ok = true;
    return r;
}

QString DefaultDbPasswordFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/WriteReport/db-password");
}

QString TargetWithPasswordFile(const QString& target, const QString& file, QString* error)
{
    QByteArray bytes;
    if (!ReadOwnerOnlyFile(file, QStringLiteral("password file"), 4096, &bytes, error)) return {};
    const QString password = FirstLineOfSecret(bytes);
    if (!target.contains(QLatin1Char('=')) || QFileInfo(target).isFile()) {
        *error = QStringLiteral("--db-password-file is for a database server; %1 is an SQLite file, which has no password").arg(target);
        return {};
    }
    if (password.isEmpty()) {
        *error = QStringLiteral("the password file %1 is empty").arg(file);
        return {};
    }
    // One password: one already written into the target gives way to the file's.
    return WithOdbcPassword(target.trimmed(), password);
}
