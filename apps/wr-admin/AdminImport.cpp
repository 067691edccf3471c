// SPDX-License-Identifier: MIT
// import-doctors: the department's doctors from a CSV file (UTF-8 or GB18030, as Excel on
// Chinese Windows saves it) into csdoctor, each with a user whose one-time password must be
// changed at the first log-in. The whole file is checked first; one bad row and nothing of it
// is applied, and the rows are written in one transaction.
#include "AdminSetup.h"
#include "AdminCommands.h"
#include "hostdata/UserAccounts.h"
#include "platform/LegacyText.h"
#include <QFile>
#include <QHash>
#include <QRandomGenerator>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace {

struct TDoctorRow {
    int line = 0;
    QString name, dept, code, role;
    int order = 0;
};

const QStringList kColumns{QStringLiteral("姓名"), QStringLiteral("科室代码"), QStringLiteral("代码"),
                           QStringLiteral("显示顺序"), QStringLiteral("角色")};

// One CSV record's fields: commas separate, double quotes enclose a field ("" is a quote).
QStringList CsvFields(const QString& line)
{
    QStringList fields;
    QString cur;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line.at(i);
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line.at(i + 1) == QLatin1Char('"')) cur += c, ++i;
            else if (c == QLatin1Char('"')) quoted = false;
            else cur += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            fields << cur.trimmed();
            cur.clear();
        } else {
            cur += c;
        }
    }
    fields << cur.trimmed();
    return fields;
}

// Role codes by code and by name (doctor / 书写医生).
QHash<QString, QString> Roles(TDbConnection& conn)
{
    QHash<QString, QString> roles;
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT RoleCode, RoleName FROM WrRole");
    q->Open();
    for (; !q->Eof(); q->Next()) {
        const QString code = q->FieldByName(QStringLiteral("RoleCode")).AsString();
        roles.insert(code, code);
        roles.insert(q->FieldByName(QStringLiteral("RoleName")).AsString(), code);
    }
    return roles;
}

// The rows of the file, or the first fault as "FILE:LINE: reason".
std::optional<QList<TDoctorRow>> ParseDoctors(const QString& file, const QHash<QString, QString>& roles, QString* error)
{
    const TDecodedText decoded = DecodeWindowsText(ReadFileBytes(file));
    const QStringList lines = decoded.text.split(QLatin1Char('\n'));
    QList<int> at;   // column index of each of kColumns
    QList<TDoctorRow> rows;
    QHash<QString, int> seen;
    for (int n = 0; n < lines.size(); ++n) {
        QString line = lines.at(n);
        if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
        if (line.trimmed().isEmpty()) continue;
        const QStringList f = CsvFields(line);
        auto fail = [&](const QString& why) {
            *error = QStringLiteral("%1:%2: %3").arg(file).arg(n + 1).arg(why);
            return std::nullopt;
        };
        if (at.isEmpty()) {
            for (const QString& c : kColumns) {
                if (!f.contains(c)) return fail(QStringLiteral("the header has no column %1 (it needs %2)").arg(c, kColumns.join(QLatin1Char(','))));
                at << int(f.indexOf(c));
            }
            continue;
        }
        TDoctorRow r;
        r.line = n + 1;
        if (f.size() < kColumns.size()) return fail(QStringLiteral("%1 fields, %2 expected").arg(f.size()).arg(kColumns.size()));
        r.name = f.value(at[0]), r.dept = f.value(at[1]), r.code = f.value(at[2]);
        bool ok = true;
        r.order = f.value(at[3]).isEmpty() ? 0 : f.value(at[3]).toInt(&ok);
        if (r.name.isEmpty() || r.code.isEmpty()) return fail(QStringLiteral("姓名 and 代码 must not be empty"));
        if (!ok) return fail(QStringLiteral("显示顺序 is not a number: %1").arg(f.value(at[3])));
        if (!roles.contains(f.value(at[4]))) return fail(QStringLiteral("unknown role %1").arg(f.value(at[4])));
        r.role = roles.value(f.value(at[4]));
        if (seen.contains(r.code)) return fail(QStringLiteral("code %1 is already on line %2").arg(r.code).arg(seen.value(r.code)));
        seen.insert(r.code, r.line);
        rows << r;
    }
    if (at.isEmpty()) {
        *error = QStringLiteral("%1: the file is empty").arg(file);
        return std::nullopt;
    }
    return rows;
}

QString OneTimePassword()
{
    // No 0/O, 1/l/I: it is read off paper.
    static const QString alphabet = QStringLiteral("ABCDEFGHJKLMNPQRSTUVWXYZabcdefghijkmnpqrstuvwxyz23456789");
    QString p;
    for (int i = 0; i < 12; ++i) p += alphabet.at(QRandomGenerator::system()->bounded(int(alphabet.size())));
    return p;
}

// Rolls back unless committed, whatever leaves the scope.
class TAdminTransaction {
public:
    explicit TAdminTransaction(TDbConnection& conn) : m_conn(conn)
    {
        Run(m_conn.Dialect() == QLatin1String("sqlite") ? "BEGIN IMMEDIATE"
            : m_conn.Dialect() == QLatin1String("sqlserver") ? "BEGIN TRANSACTION" : "BEGIN");
    }
    ~TAdminTransaction()
    {
        if (m_done) return;
        try {
            Run("ROLLBACK");
        } catch (...) {
        }
    }
    void Commit()
    {
        Run("COMMIT");
        m_done = true;
    }

private:
    void Run(const char* sql)
    {
        auto q = m_conn.CreateQuery();
        q->SQL() << QLatin1String(sql);
        q->ExecSQL();
    }
    TDbConnection& m_conn;
    bool m_done = false;
};

bool DoctorExists(TDbConnection& conn, const QString& code)
{
    auto q = conn.CreateQuery();
    q->SQL() << QStringLiteral("SELECT COUNT(*) AS n FROM csdoctor WHERE code = %1").arg(QuotedStr(code));
    q->Open();
    return q->FieldByName(QStringLiteral("n")).AsInteger() > 0;
}

// Writes the file new, readable by its owner only; false with *error when it exists.
bool WriteOwnerOnly(const QString& file, const QByteArray& bytes, QString* error)
{
    const int fd = ::open(QFile::encodeName(file).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) {
        *error = QStringLiteral("cannot create %1: %2").arg(file, QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    const bool ok = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size() && ::fsync(fd) == 0;
    ::close(fd);
    if (!ok) *error = QStringLiteral("cannot write %1").arg(file);
    return ok;
}

} // namespace

int ImportDoctorsCommand(TDbConnection& conn, const QStringList& args, QTextStream& out, QTextStream& err)
{
    const QString file = args.value(0);
    const qsizetype flag = args.indexOf(QLatin1String("--passwords-file"));
    const QString passwordsFile = flag >= 0 ? args.value(flag + 1) : QString();
    QString error;
    std::optional<QList<TDoctorRow>> rows;
    try {
        rows = ParseDoctors(file, Roles(conn), &error);
    } catch (const Exception& e) {
        error = e.Message();
    }
    if (!rows) {
        err << "wr-admin: " << error << "; nothing was imported\n";
        return kAdminFailed;
    }
    TUserAccounts users(conn);
    QStringList issued, report;
    bool wroteFile = false;
    // A passwords file of an import that did not happen would hand out passwords of nobody.
    auto forget = [&] { if (wroteFile) QFile::remove(passwordsFile); };
    try {
        TAdminTransaction transaction(conn);
        for (const TDoctorRow& r : *rows) {
            auto q = conn.CreateQuery();
            if (DoctorExists(conn, r.code))
                q->SQL() << QStringLiteral("UPDATE csdoctor SET [姓名] = %1, kscode = %2, displayindex = %3 WHERE code = %4")
                                .arg(QuotedStr(r.name), QuotedStr(r.dept)).arg(r.order).arg(QuotedStr(r.code));
            else
                q->SQL() << QStringLiteral("INSERT INTO csdoctor ([姓名], kscode, displayindex, code) VALUES (%1, %2, %3, %4)")
                                .arg(QuotedStr(r.name), QuotedStr(r.dept)).arg(r.order).arg(QuotedStr(r.code));
            q->ExecSQL();
            if (users.Find(r.code)) {
                // An existing user keeps the password already in use; only the role follows the file.
                users.SetRole(r.code, r.role);
                report << QStringLiteral("updated %1 %2 (%3)").arg(r.code, r.name, r.role);
                continue;
            }
            const QString password = OneTimePassword();
            TUserAccount a;
            a.userCode = r.code;
            a.roleCode = r.role;
            users.CreateUser(a, password, true);
            issued << QStringLiteral("%1\t%2\t%3").arg(r.code, r.name, password);
            report << QStringLiteral("added %1 %2 (%3)").arg(r.code, r.name, r.role);
        }
        if (!passwordsFile.isEmpty() && !WriteOwnerOnly(passwordsFile, (issued.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8(), &error))
            throw std::runtime_error(error.toStdString());
        wroteFile = !passwordsFile.isEmpty();
        transaction.Commit();
    } catch (const Exception& e) {
        forget();
        err << "wr-admin: " << e.Message().section(QStringLiteral(" (SQL: "), 0, 0) << "; nothing was imported\n";
        return kAdminFailed;
    } catch (const std::exception& e) {
        forget();
        err << "wr-admin: " << QString::fromUtf8(e.what()) << "; nothing was imported\n";
        return kAdminFailed;
    }
    for (const QString& line : report) out << line << '\n';
    if (passwordsFile.isEmpty()) {
        out << "one-time passwords (shown once; each must be changed at the first log-in):\n";
        for (const QString& line : issued) out << line << '\n';
    } else {
        out << issued.size() << " one-time password(s) written to " << passwordsFile << " (readable by you only)\n";
    }
    return kAdminOk;
}
