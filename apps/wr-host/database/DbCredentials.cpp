// SPDX-License-Identifier: MIT
#include "database/DbCredentials.h"
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

TKeyringReadFn& KeyringReader()
{
    static TKeyringReadFn reader;
    return reader;
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

QString DbKeyringKey(const QString& db) { return WithoutOdbcPassword(db.trimmed()); }

void SetKeyringReaderForTests(TKeyringReadFn reader) { KeyringReader() = std::move(reader); }

TDbCredentials ResolveDbCredentials(const TDbCredentialOptions& o, const TCredentialLogFn& log)
{
    TDbCredentials c;
    const QString db = o.db.trimmed();
    c.display = WithoutOdbcPassword(db);
    c.connectionString = db;
    c.source = QStringLiteral("none");
    auto say = [&log](const QString& line) {
        if (log) log(line);
    };

    if (HasOdbcPassword(db)) {
        // Still accepted so that existing desktop entries keep working, but every local user
        // can read it in the process list.
        c.source = QStringLiteral("command line");
        say(QStringLiteral("warning: the database password is given on the command line (--db ...Pwd=), where every "
                           "user of this machine can read it in the process list; store it in the keyring "
                           "(wr-host --store-db-password) or a password file (--db-password-file) instead"));
        return c;
    }
    if (UsesIntegratedAuthentication(db)) {
        say(QStringLiteral("database: integrated authentication, no password needed"));
        return c;
    }

    if (o.useKeyring) {
        QString password, error;
        bool available = false;
        const bool found = KeyringReader() ? KeyringReader()(DbKeyringKey(db), &password, &available, &error)
                                           : ReadKeyringPassword(DbKeyringKey(db), &password, &available, &error);
        if (found && !password.isEmpty()) {
            c.connectionString = WithOdbcPassword(db, password);
            c.source = QStringLiteral("keyring");
            say(QStringLiteral("database password: from the system keyring"));
            return c;
        }
        say(available ? QStringLiteral("database password: none in the system keyring for this database")
                      : QStringLiteral("database password: no system keyring here (%1)")
                            .arg(error.isEmpty() ? QStringLiteral("no keyring service") : error));
    }

    const bool named = !o.passwordFile.isEmpty();
    const QString file = named ? o.passwordFile : DefaultDbPasswordFile();
    if (named || QFileInfo::exists(file)) {
        const TSecretFile f = ReadOwnerOnlySecretFile(file);
        if (!f.ok) {
            c.error = f.error;
            say(QStringLiteral("error: ") + f.error);
            return c;
        }
        c.connectionString = WithOdbcPassword(db, f.secret);
        c.source = QStringLiteral("file ") + file;
        say(QStringLiteral("database password: from the file %1").arg(file));
        return c;
    }
    say(QStringLiteral("database password: none stored (keyring, password file); connecting without one"));
    return c;
}
