// SPDX-License-Identifier: MIT
#include "database/DbConnect.h"
#include "database/HostDataModule.h"
#include "app/HostOptions.h"
#include "platform/DatabaseOpeners.h"
#include "platform/DialogService.h"
#include <cstdio>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace {
constexpr int kPromptAttempts = 3;

void Print(std::FILE* to, const QString& line)
{
    const QByteArray b = (line + QLatin1Char('\n')).toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), to);
    std::fflush(to);
}

// One line of standard input; without echo when it is a terminal.
bool ReadSecretLine(QString* line)
{
    const bool tty = ::isatty(STDIN_FILENO) == 1;
    termios saved {};
    if (tty && ::tcgetattr(STDIN_FILENO, &saved) == 0) {
        termios quiet = saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
        Print(stderr, QStringLiteral("database password: "));
    }
    std::string bytes;
    int c = 0;
    while ((c = std::fgetc(stdin)) != EOF && c != '\n') bytes.push_back(char(c));
    if (tty) {
        ::tcsetattr(STDIN_FILENO, TCSAFLUSH, &saved);
        Print(stderr, QString());
    }
    if (!bytes.empty() && bytes.back() == '\r') bytes.pop_back();
    *line = QString::fromUtf8(bytes.data(), qsizetype(bytes.size()));
    std::fill(bytes.begin(), bytes.end(), '\0');
    return !line->isEmpty();
}
} // namespace

bool ConnectHostDatabase(THostDataModule& module, const THostDbConnectOptions& o, const TCredentialLogFn& log,
                         QString* shown, QString* error)
{
    const QString db = module.Target();
    *shown = db;
    if (!IsOdbcTarget(db)) return module.DM_ConnectDB(*error);

    TDbCredentialOptions co;
    co.db = db;
    co.passwordFile = o.passwordFile;
    co.useKeyring = o.useKeyring;
    const TDbCredentials c = ResolveDbCredentials(co, log);
    *shown = c.display;
    if (!c.error.isEmpty()) {
        *error = c.error;
        return false;
    }
    module.SetTarget(c.connectionString);
    if (module.DM_ConnectDB(*error)) return true;

    // The command line's password and integrated authentication leave nothing to ask.
    if (c.source == QLatin1String("command line") || UsesIntegratedAuthentication(db)) return false;
    if (!o.mayAsk) {
        if (c.source == QLatin1String("none"))
            *error += QStringLiteral(
                " (no database password was found: store it with `wr-host --store-db-password --db ...`, or give "
                "--db-password-file FILE, readable by its owner only; a run without a person is never asked)");
        else
            *error += QStringLiteral(" (with the database password from the %1)").arg(c.source);
        return false;
    }
    const QString user = OdbcValue(db, {QStringLiteral("Uid"), QStringLiteral("User ID"), QStringLiteral("User"),
                                        QStringLiteral("Username")});
    QString reason = *error;
    for (int attempt = 0; attempt < kPromptAttempts; ++attempt) {
        TPasswordRequest r;
        r.caption = QStringLiteral("数据库密码");
        r.text = QStringLiteral("连接数据库需要密码：\n%1\n\n%2").arg(c.display, reason);
        r.userCode = user;
        std::optional<QString> password = Dialogs().AskPassword(r);
        if (!password) {
            *error = reason + QStringLiteral(" (the database password was not given)");
            return false;
        }
        module.SetTarget(WithOdbcPassword(db, *password));
        password->fill(QLatin1Char('\0'));
        if (module.DM_ConnectDB(*error)) {
            if (log) log(QStringLiteral("database password: typed in at the start"));
            return true;
        }
        if (log) log(QStringLiteral("database refused the typed password: %1").arg(*error));
        reason = *error;
    }
    return false;
}

int StoreDbPasswordCommand(const QString& db)
{
    if (db.trimmed().isEmpty() || !IsOdbcTarget(db)) {
        Print(stderr, QStringLiteral("wr-host: --store-db-password needs --db with a DSN or an ODBC connection string"));
        return ExitUsage;
    }
    if (HasOdbcPassword(db)) {
        Print(stderr, QStringLiteral("wr-host: give --db without its password; the password is read from standard input"));
        return ExitUsage;
    }
    QString password;
    if (!ReadSecretLine(&password)) {
        Print(stderr, QStringLiteral("wr-host: no password on standard input"));
        return ExitUsage;
    }
    QString error;
    const QString key = DbKeyringKey(db);
    const bool stored = StoreKeyringPassword(key, password, &error);
    password.fill(QLatin1Char('\0'));
    if (!stored) {
        Print(stderr, QStringLiteral("wr-host: the password could not be stored in the system keyring: %1 "
                                     "(use a password file instead: --db-password-file)").arg(error));
        return ExitDatabase;
    }
    Print(stdout, QStringLiteral("database password stored in the system keyring for %1").arg(key));
    return ExitOk;
}
