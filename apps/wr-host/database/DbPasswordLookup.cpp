// SPDX-License-Identifier: MIT
#include "database/DbPasswordLookup.h"
#include <QFileInfo>

namespace {
TKeyringReadFn& KeyringReader()
{
    static TKeyringReadFn reader;
    return reader;
}

} // namespace

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
